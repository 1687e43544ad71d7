// make_capture: writes a capture file (the raw byte stream of the measuring interface, as the
// replay and the simulator take it) from a readable description of the messages in it.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/d2xx/capture_description.h"

namespace {

constexpr char kHelp[] = R"(Usage: make_capture [-o OUTPUT] [DESCRIPTION]

Writes the bytes described by DESCRIPTION (a file; standard input when absent or "-") to OUTPUT
(standard output when absent or "-").

The description has one item per line:
  kline SRC DATA...   a K-line frame from source byte SRC carrying DATA (0 to 255 bytes):
                      80 EE SRC length DATA checksum, the checksum being the 8-bit sum of
                      all bytes before it
  record DATA...      a meter record: 02 DATA 03 (0 to 254 bytes, without 02 or 03)
  raw DATA...         the bytes as they stand

DATA is a list of hexadecimal byte runs (2E, 0x2E, or 2EF31A with two digits per byte) and
quoted texts ("B123", with the escapes \" \\ and \xHH) whose bytes are taken as they stand.
'#' outside quotes starts a comment; empty lines are skipped.

Example:
  # interface identification text, then a meter record
  kline F1 2E F1 9A "QM2024"
  record "K" 31 32
  raw 80 EE           # a stray header

Exit status: 0 on success, 1 on a fault in the description (reported with its line number),
2 on a usage or file error.
)";

int UsageError(const std::string &message) {
    std::cerr << "make_capture: " << message << "\nTry 'make_capture --help'.\n";
    return 2;
}

bool ReadAll(const std::string &path, std::string &text) {
    std::ostringstream content;
    if (path.empty() || path == "-") {
        content << std::cin.rdbuf();
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) return false;
        content << file.rdbuf();
    }
    text = content.str();
    return true;
}

bool WriteAll(const std::string &path, const d2xx::Bytes &bytes) {
    const auto *data = reinterpret_cast<const char *>(bytes.data());
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (path.empty() || path == "-") {
        std::cout.write(data, size);
        return static_cast<bool>(std::cout.flush());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(data, size);
    return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char **argv) {
    std::string input;
    std::string output;
    bool haveInput = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kHelp;
            return 0;
        }
        if (argument == "-o") {
            if (i + 1 >= argc) return UsageError("-o needs a file name");
            output = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            return UsageError("unknown option " + argument);
        } else if (haveInput) {
            return UsageError("more than one description given");
        } else {
            input = argument;
            haveInput = true;
        }
    }
    std::string text;
    if (!ReadAll(input, text)) return UsageError("cannot read " + input);
    d2xx::Bytes bytes;
    std::string error;
    if (!d2xx::ParseCaptureDescription(text, bytes, error)) {
        std::cerr << "make_capture: " << (input.empty() ? std::string("-") : input) << ": " << error << '\n';
        return 1;
    }
    if (!WriteAll(output, bytes)) {
        std::cerr << "make_capture: cannot write " << output << '\n';
        return 2;
    }
    return 0;
}
