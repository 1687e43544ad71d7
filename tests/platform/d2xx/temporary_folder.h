#pragma once
// A temporary folder for a test's files.
#include <filesystem>

namespace d2xx_test {

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace d2xx_test
