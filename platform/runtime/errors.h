#pragma once
// The exception family of the station's runtime. Every failure the program reports to the
// operator derives from Exception, whose message is shown as the framework's error box.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a number of the requested kind.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index past the end of a list of lines or items.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Any failure of the table engine (wrong password, missing or locked file, full disk, ...).
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};
