// A job save spans ten tables: all of it lands or none of it, also when the process dies.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "job_tables.h"
#include "platform/runtime/errors.h"

using tables::TSession;
using tables::TTable;

namespace tables_test {
namespace {

class TransactionTest : public TableTest {
protected:
    // One job saved and committed before the test's own work.
    void SaveOneJob() {
        TSession session;
        JobTables job(session, folder_);
        job.OpenAll();
        job.AppendJob("committed");
    }
    // Checks that the tables hold only what SaveOneJob left.
    void ExpectOneJob() {
        TSession session;
        JobTables job(session, folder_);
        job.ExpectJobs(1, "committed");
    }
};

TEST_F(TransactionTest, CommitLandsTheJobInAllTenTables) {
    TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    job.StartTransaction(session);
    job.AppendJob("first");
    EXPECT_TRUE(session.InTransaction());
    session.Commit();
    EXPECT_FALSE(session.InTransaction());
    job.AppendJob("outside");  // the tables go on working on their own afterwards

    TSession later;
    JobTables reread(later, folder_);
    reread.ExpectJobs(2, "outside");
}

TEST_F(TransactionTest, RollbackLeavesNothingInAnyOfTheTenTables) {
    TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    job.AppendJob("kept");
    job.StartTransaction(session);
    job.AppendJob("undone");
    job[0].Close();  // closed and reopened inside the transaction: still part of it
    job[0].Open();
    job[0].Last();
    EXPECT_EQ(job[0].Fields[7].AsString(), "undone");
    job[0].SetRecNo(1);
    job[0].Edit();
    job[0].Fields[47].SetAsInteger(1);
    job[0].Post();
    job[5].Append();  // pending at the rollback
    job[5].Fields[1].SetAsInteger(99);
    session.Rollback();

    EXPECT_EQ(job[5].GetState(), TTable::State::Browse);
    EXPECT_EQ(job[3].RecNo(), 1);  // stood on the undone record: back on the last that stayed
    job.ExpectJobs(1, "kept");
    job[0].First();
    EXPECT_EQ(job[0].Fields[47].AsString(), "");
    job.AppendJob("after");
    job.ExpectJobs(2, "after");
}

TEST_F(TransactionTest, AnExceptionInsideAScopeRollsTheWholeJobBack) {
    TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    try {
        tables::TransactionScope scope(session, {&job[0], &job[1], &job[2]});
        job[0].Append();
        job[0].Post();
        job[1].Append();
        job[1].Post();
        job[2].Append();
        job[2].Fields[2].SetAsInteger(1);
        job[2].Fields[1].AsBoolean();  // raises: an integer field
        scope.Commit();
    } catch (const EDatabaseError &) {
    }
    EXPECT_FALSE(session.InTransaction());
    job.ExpectJobs(0, "");
}

TEST_F(TransactionTest, ALockedTableRaisesInsteadOfWaitingForEver) {
    TSession holder, session;
    JobTables held(holder, folder_), job(session, folder_);
    held.OpenAll();
    job.OpenAll();
    held.StartTransaction(holder);  // holds the write locks of all ten files
    held.AppendJob("holder");
    try {
        job.AppendJob("blocked");
        FAIL();
    } catch (const EDatabaseError &error) {
        EXPECT_NE(std::string(error.what()).find("GenData.db: database is locked"), std::string::npos)
            << error.what();
    }
    EXPECT_THROW(job.StartTransaction(session), EDatabaseError);
    EXPECT_FALSE(session.InTransaction());
    holder.Rollback();
    job.AppendJob("free again");
    job.ExpectJobs(1, "free again");
}

// A table written for a moment by another connection is waited for: the write then lands.
TEST_F(TransactionTest, ATableBusyForAMomentIsWaitedFor) {
    TSession holder, session;
    JobTables held(holder, folder_), job(session, folder_);
    held.OpenAll();
    job.OpenAll();
    held.StartTransaction(holder);
    held.AppendJob("first");
    std::thread committer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        holder.Commit();
    });
    EXPECT_NO_THROW(job.AppendJob("second"));
    committer.join();
    job.ExpectJobs(2, "second");
}

TEST_F(TransactionTest, MisuseOfTransactionsRaises) {
    TSession session;
    JobTables job(session, folder_);
    EXPECT_THROW(job.StartTransaction(session), EDatabaseError);  // tables not open
    EXPECT_FALSE(session.InTransaction());
    job.OpenAll();
    EXPECT_THROW(session.StartTransaction({&job[0], &job[0]}), EDatabaseError);
    EXPECT_THROW(session.StartTransaction({}), EDatabaseError);
    EXPECT_THROW(session.Commit(), EDatabaseError);
    session.Rollback();  // nothing to undo: nothing happens
    session.StartTransaction({&job[0]});
    EXPECT_THROW(session.StartTransaction({&job[1]}), EDatabaseError);
    job[0].Append();
    job[0].Post();
    session.Commit();
    EXPECT_EQ(job[0].RecordCount(), 1);
}

// The child writes one job to all ten tables inside a transaction, reports through a pipe and
// waits; the parent kills it before it can commit.
TEST_F(TransactionTest, AProcessKilledMidTransactionLeavesEveryTableAsBefore) {
    SaveOneJob();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        try {
            TSession session;
            JobTables job(session, folder_);
            job.OpenAll();
            job.StartTransaction(session);
            job.AppendJob("killed");
            job.AppendJob("killed too");
            job[0].SetRecNo(1);
            job[0].Edit();
            job[0].Fields[7].SetAsString("overwritten");
            job[0].Post();
            (void)!write(ready[1], "w", 1);
            for (;;) pause();  // killed here, inside the transaction
        } catch (...) {
            (void)!write(ready[1], "e", 1);
        }
        _exit(1);
    }
    close(ready[1]);
    char report = 0;
    ASSERT_EQ(read(ready[0], &report, 1), 1);
    close(ready[0]);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(report, 'w') << "the child failed before it was killed";
    ASSERT_TRUE(WIFSIGNALED(status));
    for (const JobFile &file : kJobFiles)  // each file is left with a hot journal
        EXPECT_TRUE(std::filesystem::exists(PathOf(std::string(file.file) + "-journal"))) << file.file;

    ExpectOneJob();
    TSession session;
    JobTables job(session, folder_);
    job.OpenAll();
    job.StartTransaction(session);
    job.AppendJob("next");
    session.Commit();
    job.ExpectJobs(2, "next");
    for (const JobFile &file : kJobFiles)
        EXPECT_FALSE(std::filesystem::exists(PathOf(std::string(file.file) + "-journal"))) << file.file;
}

// A full disk, made with a file-size limit in a child process: the failing save raises and
// leaves the tables as they were.
TEST_F(TransactionTest, AFullDiskFailsTheSaveWithoutAPartialWrite) {
    SaveOneJob();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{256 * 1024, 256 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        int code = 1;
        try {
            TSession session;
            JobTables job(session, folder_);
            job.OpenAll();
            job.StartTransaction(session);
            const std::string bulk(3000, 'x');
            for (int n = 0; n < 200; ++n) {
                job[0].Append();
                for (int field = 200; field < 210; ++field) job[0].Fields[field].SetAsString(bulk);
                job[0].Post();
            }
            session.Commit();
        } catch (const EDatabaseError &error) {
            code = std::string(error.what()).find("GenData.db") != std::string::npos ? 0 : 2;
        } catch (...) {
            code = 3;
        }
        _exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: no error raised, 2: the message does not name the table, 3: another exception";

    ExpectOneJob();
}

}  // namespace
}  // namespace tables_test
