#pragma once
// Exceptions of the GIF and bitmap library; each carries a fixed English message.
#include "platform/runtime/errors.h"

class EDIBError : public Exception {
public:
    using Exception::Exception;
};

class EScanError : public Exception {
public:
    using Exception::Exception;
};

class EQuantError : public Exception {
public:
    using Exception::Exception;
};

class ELogPalError : public Exception {
public:
    using Exception::Exception;
};

class ESplitProblem : public Exception {
public:
    using Exception::Exception;
};

class ELZWError : public Exception {
public:
    using Exception::Exception;
};

class EGIFError : public Exception {
public:
    using Exception::Exception;
};

class EAnimateError : public Exception {
public:
    using Exception::Exception;
};
