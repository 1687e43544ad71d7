#include "platform/tables/super_journals.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace tables {
namespace {

namespace fs = std::filesystem;

// A super-journal's name: the table's path, "-mj", six hex digits, "9" and two hex digits.
bool IsSuperJournalName(const std::string &name) {
    const size_t at = name.rfind("-mj");
    if (at == std::string::npos || name.size() != at + 3 + 9 || name[at + 3 + 6] != '9') return false;
    for (size_t i = at + 3; i < name.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

constexpr unsigned char kMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};

// The super-journal a live journal names: its last 16 bytes are the name's length and checksum (big
// endian) and the journal magic, preceded by the name. Empty when it names none, and when the
// journal is no longer live: its header no longer begins with the magic (a finished journal whose
// header was cleared keeps the name of an old super-journal at its end).
std::string SuperJournalOf(const fs::path &journal) {
    std::ifstream file(journal, std::ios::binary);
    unsigned char head[8];
    if (!file.read(reinterpret_cast<char *>(head), 8) || std::memcmp(head, kMagic, 8) != 0) return {};
    if (!file.seekg(0, std::ios::end)) return {};
    const std::streamoff size = file.tellg();
    if (size < 16) return {};
    unsigned char tail[16];
    if (!file.seekg(size - 16) || !file.read(reinterpret_cast<char *>(tail), 16)) return {};
    if (std::memcmp(tail + 8, kMagic, 8) != 0) return {};
    const uint32_t length =
        uint32_t{tail[0]} << 24 | uint32_t{tail[1]} << 16 | uint32_t{tail[2]} << 8 | tail[3];
    if (length == 0 || length > 4096 || length > size - 16) return {};
    std::string name(length, '\0');
    if (!file.seekg(size - 16 - length) || !file.read(name.data(), length)) return {};
    return name.substr(0, name.find('\0'));
}

// The journals a super-journal lists: full paths, each ending in a zero byte.
std::vector<std::string> ListedJournals(const fs::path &super) {
    std::ifstream file(super, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> journals;
    for (size_t at = 0; at < content.size();) {
        const size_t end = content.find('\0', at);
        journals.push_back(content.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return journals;
}

// Whether another process holds the write lock of the table file `path` (the engine's reserved
// byte): it is in the middle of a write and may yet name the super-journal.
bool BeingWritten(const std::string &path) {
    constexpr off_t kReservedByte = 0x40000001;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kReservedByte;
    lock.l_len = 1;
    const bool held = fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return held;
}

}  // namespace

std::vector<std::string> RemoveOrphanSuperJournals(const std::string &folder) {
    std::vector<fs::path> supers, journals;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (IsSuperJournalName(name))
            supers.push_back(entry->path());
        else if (name.size() > 8 && name.ends_with("-journal"))
            journals.push_back(entry->path());
    }
    std::sort(supers.begin(), supers.end());
    std::vector<std::pair<std::string, std::string>> named;  // super-journal, journal naming it
    for (const fs::path &journal : journals)
        named.emplace_back(fs::path(SuperJournalOf(journal)).filename().string(),
                           journal.filename().string());
    std::vector<std::string> removed;
    for (const fs::path &super : supers) {
        const std::string name = super.filename().string();
        const std::vector<std::string> listed = ListedJournals(super);
        // Needed while a live journal names it and it lists that journal back.
        const auto needs = [&](const auto &reference) {
            return reference.first == name &&
                   std::any_of(listed.begin(), listed.end(), [&](const std::string &path) {
                       return fs::path(path).filename() == reference.second;
                   });
        };
        if (std::any_of(named.begin(), named.end(), needs)) continue;
        // The table that made it, and those whose journals it lists.
        std::vector<std::string> written{super.string().substr(0, super.string().size() - 12)};
        for (const std::string &journal : listed)
            if (journal.ends_with("-journal")) written.push_back(journal.substr(0, journal.size() - 8));
        if (std::any_of(written.begin(), written.end(), BeingWritten)) continue;
        if (fs::remove(super, error)) removed.push_back(name);
    }
    return removed;
}

}  // namespace tables
