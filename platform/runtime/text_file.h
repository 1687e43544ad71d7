#pragma once
// The station's small text files (remembered texts, annex titles): code page 1250, one value a
// line, CR LF after every line. Reading takes only the head of a file; rewriting never leaves a
// torn file.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/errors.h"

namespace textfile {

// The files the station writes are a few hundred bytes; of a larger file only the first lines
// are used, so reading stops here.
inline constexpr size_t kReadCap = 64 * 1024;

// Raised for a name that is not a regular file (a folder, a named pipe, a device): it is not read.
class ENotRegularFile : public Exception {
public:
    using Exception::Exception;
};

// The lines (UTF-8) of the first maxBytes bytes of the file. Lines end at CR LF, LF or CR; a break
// at the very end adds no empty line; a line cut by the cap is kept as far as it was read.
// Raises Exception naming the file and the cause when it cannot be opened or read, ENotRegularFile
// when it is not a regular file.
std::vector<std::string> ReadLines(const std::string &path, size_t maxBytes = kReadCap);

// The lines of a text as ReadLines splits a file: at CR LF, LF or CR, no empty line after a final
// break.
std::vector<std::string> SplitLines(std::string_view text);

// The bytes of a file holding the lines (UTF-8): each in code page 1250, ended by CR LF.
std::string EncodeLines(const std::vector<std::string> &lines);

// Replaces the file by the lines (UTF-8, stored in code page 1250 with CR LF after each). They are
// written to a temporary file in the same folder, synced and renamed over the old file, so a
// failure at any point leaves the old file as it was. The file is readable by its owner only.
// Raises Exception naming the file and the cause.
void WriteLines(const std::string &path, const std::vector<std::string> &lines);

}  // namespace textfile
