#include "platform/runtime/text_file.h"

#include <dirent.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/runtime/errors.h"

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

class TextFile : public testing::Test {
protected:
    TextFile() {
        char name[] = "/tmp/text_file_test.XXXXXX";
        folder_ = ::mkdtemp(name);
    }
    ~TextFile() override {
        for (const std::string &name : Names()) ::unlink((folder_ + "/" + name).c_str());
        ::rmdir(folder_.c_str());
    }

    std::string Path(const std::string &name) const { return folder_ + "/" + name; }

    void Write(const std::string &name, const std::string &bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string &name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        if (DIR *dir = ::opendir(folder_.c_str())) {
            while (const dirent *entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            ::closedir(dir);
        }
        return names;
    }

private:
    std::string folder_;
};

TEST_F(TextFile, LinesSplitAtEveryBreakAndKeepEveryByte) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        // Polish letters, and bytes the code page leaves without a letter, cost no other line.
        {"\xA3\xB9ka\r\n\x81\x83\x88\x90\x98\r\nok\r\n", {"Łąka", "\u0081\u0083\u0088\u0090\u0098", "ok"}},
    };
    for (const Case &c : cases) {
        Write("t.txt", c.bytes);
        EXPECT_EQ(textfile::ReadLines(Path("t.txt")), c.lines) << c.bytes;
    }
}

TEST_F(TextFile, OnlyTheHeadOfABigFileIsRead) {
    // A sparse file of 300 MB without a single line break reads as one line cut to the cap.
    {
        std::ofstream out(Path("big.txt"), std::ios::binary);
        out << "tytul";
    }
    ASSERT_EQ(::truncate(Path("big.txt").c_str(), 300L << 20), 0);
    const std::vector<std::string> big = textfile::ReadLines(Path("big.txt"));
    ASSERT_EQ(big.size(), 1u);
    EXPECT_EQ(big[0].size(), textfile::kReadCap);
    EXPECT_EQ(big[0].substr(0, 5), "tytul");

    Write("t.txt", "jeden\r\ndwa\r\ntrzy\r\n");
    EXPECT_THAT(textfile::ReadLines(Path("t.txt"), 9), ElementsAre("jeden", "dw"));
    EXPECT_THAT(textfile::ReadLines(Path("t.txt"), 7), ElementsAre("jeden"));
}

TEST_F(TextFile, ReadFailuresNameTheFileAndTheCause) {
    try {
        textfile::ReadLines(Path("none.txt"));
        FAIL();
    } catch (const Exception &e) {
        EXPECT_THAT(e.what(), HasSubstr("none.txt"));
        EXPECT_THAT(e.what(), HasSubstr("No such file or directory"));
    }
}

// A folder, a named pipe with no writer (whose open would wait for one) and a device are not read;
// the error names the file once. A link to a regular file is read.
TEST_F(TextFile, NamesThatAreNotRegularFilesAreNotRead) {
    ASSERT_EQ(::mkdir(Path("folder.txt").c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(Path("pipe.txt").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", Path("device.txt").c_str()), 0);
    for (const std::string name : {"folder.txt", "pipe.txt", "device.txt"}) {
        try {
            textfile::ReadLines(Path(name));
            ADD_FAILURE() << name;
        } catch (const textfile::ENotRegularFile &e) {
            const std::string message = e.what();
            EXPECT_EQ(message, "Cannot read file \"" + Path(name) + "\". It is not a regular file");
        }
    }
    ::rmdir(Path("folder.txt").c_str());
    Write("real.txt", "a\r\nb\r\n");
    ASSERT_EQ(::symlink(Path("real.txt").c_str(), Path("link.txt").c_str()), 0);
    EXPECT_THAT(textfile::ReadLines(Path("link.txt")), ElementsAre("a", "b"));
}

TEST_F(TextFile, ARewriteReplacesTheFileWholeReadableByItsOwnerOnly) {
    Write("lz.txt", "stary\r\n");
    ASSERT_EQ(::chmod(Path("lz.txt").c_str(), 0644), 0);
    textfile::WriteLines(Path("lz.txt"), {"Załącznik A", "", "€"});
    EXPECT_EQ(Read("lz.txt"), "Za\xB3\xB9\x63znik A\r\n\r\n\x80\r\n");
    EXPECT_THAT(textfile::ReadLines(Path("lz.txt")), ElementsAre("Załącznik A", "", "€"));
    textfile::WriteLines(Path("new.txt"), {});
    EXPECT_EQ(Read("new.txt"), "");
    for (const char *name : {"lz.txt", "new.txt"}) {
        struct stat st {};
        ASSERT_EQ(::stat(Path(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
    }
    EXPECT_EQ(Names().size(), 2u);  // no temporary file left behind
}

TEST_F(TextFile, AFailedRewriteLeavesTheOldFileByteForByte) {
    const std::string old = "pierwszy\r\ndrugi\r\n";
    Write("lz.txt", old);

    // A file size limit below the new text: the write fails part way through.
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    try {
        textfile::WriteLines(Path("lz.txt"), {std::string(10000, 'x'), "koniec"});
    } catch (const Exception &e) {
        error = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_THAT(error, HasSubstr("lz.txt"));
    EXPECT_THAT(error, HasSubstr("File too large"));
    EXPECT_EQ(Read("lz.txt"), old);
    EXPECT_THAT(Names(), ElementsAre("lz.txt"));

    try {
        textfile::WriteLines(Path("no/such/folder/x.txt"), {"a"});
        FAIL();
    } catch (const Exception &e) {
        EXPECT_THAT(e.what(), HasSubstr("No such file or directory"));
    }
}

}  // namespace
