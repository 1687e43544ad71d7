// The station's text files on any bytes: read as lines up to a cap, written back and read again,
// they give the same lines; the cap is never exceeded.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/runtime/text_file.h"

namespace {

// A file in memory, read through its descriptor's path.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("text_file_fuzzer", 0)), path_("/proc/self/fd/" + std::to_string(fd_)) {}
    ~MemoryFile() { close(fd_); }
    const std::string &Hold(const uint8_t *data, size_t size) {
        if (ftruncate(fd_, 0) != 0 || pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size)) __builtin_trap();
        return path_;
    }

private:
    int fd_;
    std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    static MemoryFile file;
    const size_t cap = data[0];  // caps of 0..255 bytes cut lines and breaks anywhere
    const std::vector<std::string> lines = textfile::ReadLines(file.Hold(data + 1, size - 1), cap);
    size_t characters = 0;
    for (const std::string &line : lines)
        for (const char c : line) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters > cap) __builtin_trap();

    const std::string bytes = textfile::EncodeLines(lines);
    const std::string &again = file.Hold(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    if (textfile::ReadLines(again, bytes.size()) != lines) __builtin_trap();
    return 0;
}
