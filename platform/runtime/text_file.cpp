#include "platform/runtime/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/runtime/cp1250.h"
#include "platform/runtime/errors.h"

namespace textfile {

namespace {

[[noreturn]] void Fail(const char *what, const std::string &path, int error) {
    throw Exception(std::string(what) + " \"" + path + "\". " + std::strerror(error));
}

// Closes the descriptor when the scope ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now; false (errno set) when the close reports a failed write.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string FolderOf(const std::string &path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        if (end == text.size()) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::vector<std::string> ReadLines(const std::string &path, size_t maxBytes) {
    // Opened without waiting (a named pipe would block the open until a writer came), and read only
    // when it is a regular file.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) Fail("Cannot open file", path, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) Fail("Cannot read file", path, errno);
    if (!S_ISREG(status.st_mode))
        throw ENotRegularFile("Cannot read file \"" + path + "\". It is not a regular file");
    std::string bytes;
    char chunk[16384];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(file.get(), chunk, std::min(sizeof chunk, maxBytes - bytes.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail("Cannot read file", path, errno);
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    return SplitLines(Cp1250ToUtf8(bytes));
}

std::string EncodeLines(const std::vector<std::string> &lines) {
    std::string bytes;
    for (const std::string &line : lines) bytes += Utf8ToCp1250(line) + "\r\n";
    return bytes;
}

void WriteLines(const std::string &path, const std::vector<std::string> &lines) {
    const std::string bytes = EncodeLines(lines);

    std::string temporary = path + ".XXXXXX";
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));  // created 0600
    if (file.get() < 0) Fail("Cannot create file", path, errno);
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.Close() ||
        ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail("Cannot write file", path, error);
    }
    // The rename itself is made durable with the folder; the new file is in place either way.
    Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
}

}  // namespace textfile
