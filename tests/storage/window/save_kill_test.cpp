// A station killed while the save command writes a job leaves the job whole or absent, never a
// part of it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/shell_fixture.h"
#include "storage/job_layout.h"

namespace {

constexpr int kDictionaryRecords = 300;  // earlier jobs' entries, which the save walks inside its transaction

class WindowSaveKill : public ShellTest {
protected:
    // In a child: a window with many earlier dictionary entries, a job filled in and the save
    // screen open; it reports 'r' on `ready`, then presses "ZAPISZ".
    [[noreturn]] void SaveInChild(int ready) {
        int code = 1;
        try {
            TForm1 &w = Create();
            TTable &dictionary = *w.Table6;
            dictionary.Open();
            TTable::Session().StartTransaction({&dictionary.Table()});
            for (int n = 0; n < kDictionaryRecords; ++n) {
                dictionary.Append();
                for (int field = storage::kPersonField; field <= storage::kPositionField; ++field)
                    dictionary.SetFieldText(field, QString("wpis %1.%2").arg(n).arg(field));
                dictionary.Post();
            }
            TTable::Session().Commit();
            dictionary.Close();
            w.Edit21->SetText("SN-kill");
            w.Memo8->SetText("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
            w.Memo9->SetText("g\r\nh\r\ni\r\nj\r\nk\r\nl\r\n");
            Press(w.Panel35);  // "ZAPISZ BD"
            (void)!write(ready, "r", 1);
            Press(w.Panel151);  // "ZAPISZ"
            code = 0;
        } catch (...) {
        }
        _exit(code);
    }

    int Records(TForm1 &w, int object) {
        TTable *table = w.TableObjects()[static_cast<size_t>(object - 1)];
        table->Open();
        const int count = table->RecordCount();
        table->Close();
        return count;
    }
};

TEST_F(WindowSaveKill, AKilledSaveLeavesTheJobWholeOrAbsent) {
    bool killedInside = false;
    for (int attempt = 0; attempt < 3 && !killedInside; ++attempt) {
        SCOPED_TRACE(attempt);
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            SaveInChild(ready[1]);
        }
        close(ready[1]);
        char report = 0;
        ASSERT_EQ(read(ready[0], &report, 1), 1);
        close(ready[0]);
        // Killed as soon as the save has begun writing the job table.
        int status = 0;
        while (!QFile::exists("GenData.db-journal") && waitpid(child, &status, WNOHANG) == 0) {
        }
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        killedInside = WIFSIGNALED(status) && QFile::exists("GenData.db-journal");

        TForm1 &w = Create();
        const int jobs = Records(w, 1);
        EXPECT_TRUE(jobs == 0 || jobs == 1) << jobs;
        EXPECT_TRUE(killedInside || jobs == 1);
        for (int object = 2; object <= 10; ++object)
            EXPECT_EQ(Records(w, object), object == 6 ? kDictionaryRecords + jobs : jobs) << "Table" << object;
        // The station goes on saving.
        Press(w.Panel35);
        Press(w.Panel151);
        for (int object = 1; object <= 10; ++object)
            EXPECT_EQ(Records(w, object), (object == 6 ? kDictionaryRecords : 0) + jobs + 1) << "Table" << object;
        form.reset();
        QDir::setCurrent(workDir.path());
    }
    EXPECT_TRUE(killedInside) << "no kill landed inside the save";
}

}  // namespace
