// The station's folder: the files it makes are readable by the owner only from their first byte and
// never made through a symbolic link; names of its text files that are not regular files are not
// read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <string>

#include "app/shell_fixture.h"

namespace {

// The mode of every file of the folder as the table engine finds it when it opens the file: at
// once after the open, before anything was written or changed.
std::map<std::string, mode_t> modesAtOpen;

int RecordingOpen(const char *path, int flags, int mode) {
    const int fd = open(path, flags, mode);
    struct stat status {};
    if (fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
        modesAtOpen.emplace(QFileInfo(path).fileName().toStdString(), status.st_mode & 07777);
    return fd;
}

class WindowFolder : public ShellTest {
protected:
    void TearDown() override {
        sqlite3_vfs *engine = sqlite3_vfs_find("unix");
        engine->xSetSystemCall(engine, "open", nullptr);
        ShellTest::TearDown();
    }
};

// The first start makes the tables, a save makes journals and a super-journal: each is 0600 when
// the engine first opens it, whatever the umask, and the tables stay 0600.
TEST_F(WindowFolder, TablesAndJournalsAreOwnerOnlyFromTheirFirstByte) {
    sqlite3_vfs *engine = sqlite3_vfs_find("unix");
    modesAtOpen.clear();
    ASSERT_EQ(engine->xSetSystemCall(engine, "open", reinterpret_cast<sqlite3_syscall_ptr>(RecordingOpen)),
              SQLITE_OK);
    const mode_t umaskBefore = umask(0);
    TForm1 &w = Create();
    w.Edit21->SetText("SN-mode");
    Press(w.Panel35);   // "ZAPISZ BD"
    Press(w.Panel151);  // "ZAPISZ"
    umask(umaskBefore);
    w.Table1->Open();
    EXPECT_EQ(w.Table1->RecordCount(), 1);
    w.Table1->Close();
    bool superJournal = false;
    for (const auto &[name, mode] : modesAtOpen) {
        EXPECT_EQ(mode, 0600u) << name;
        superJournal |= name.find("-mj") != std::string::npos;
    }
    EXPECT_TRUE(superJournal);
    EXPECT_TRUE(modesAtOpen.count("GenData.db-journal"));
    const QStringList tables = QDir().entryList({"*.db"}, QDir::Files);
    EXPECT_EQ(tables.size(), 12);
    for (const QString &table : tables) {
        struct stat status {};
        ASSERT_EQ(stat(table.toUtf8().constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0600u) << table.toStdString();
    }
}

// A link planted where a table is to be made is not followed: the start stops naming the table and
// nothing is made at the link's target.
TEST_F(WindowFolder, NoTableIsMadeThroughASymbolicLink) {
    QDir().mkdir("elsewhere");
    ASSERT_EQ(symlink("elsewhere/planted.db", "GenData.db"), 0);
    try {
        Create();
        ADD_FAILURE() << "the window opened";
    } catch (const EDatabaseError &error) {
        EXPECT_NE(std::string(error.what()).find("GenData.db: "), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("symbolic link"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(QDir("elsewhere").isEmpty());
    EXPECT_TRUE(QFileInfo("GenData.db").isSymLink());
}

// Remembered and start-up text files that are named pipes: the start goes on without waiting for a
// writer, and each is reported once, by name. Seen from outside: the start runs in a child.
TEST_F(WindowFolder, TextFilesThatAreNamedPipesDoNotHoldUpTheStart) {
    for (const char *name : {"lz.txt", "ee.txt", "poz.txt"}) ASSERT_EQ(mkfifo(name, 0600), 0) << name;
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(report[0]);
        alarm(120);  // a start that hangs ends here, seen by the parent as a signal
        Application->ModalBoxResponder = [&](const TModalBox &box) {
            const QByteArray line = box.text.toUtf8() + '\n';
            (void)!write(report[1], line.constData(), static_cast<size_t>(line.size()));
            return IDOK;
        };
        int code = 1;
        try {
            Create();
            (void)!write(report[1], "started\n", 8);
            code = 0;
        } catch (...) {
        }
        _exit(code);
    }
    close(report[1]);
    QByteArray said;
    char chunk[512];
    for (ssize_t n; (n = read(report[0], chunk, sizeof chunk)) > 0;) said.append(chunk, n);
    close(report[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    QStringList lines = QString::fromUtf8(said).split('\n', Qt::SkipEmptyParts);
    lines.sort();
    EXPECT_EQ(lines, QStringList({"Cannot read file \"ee.txt\". It is not a regular file.",
                                  "Cannot read file \"lz.txt\". It is not a regular file.",
                                  "Cannot read file \"poz.txt\". It is not a regular file.", "started"}));
}

}  // namespace
