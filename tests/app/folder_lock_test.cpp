// One program at a time in a working folder: a second program is refused plainly and touches
// nothing, while the same process may start its window there again.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "platform/tables/table.h"
#include "storage/job_layout.h"
#include "tests/app/main_window_fixture.h"

namespace {

class FolderLock : public MainWindowTest {
protected:
    // Programs started side by side in `folder`, each kept running `ms` once its window is up, run to
    // their ends; their message boxes' texts.
    static QStringList RunPrograms(int count, const QString &folder, int ms = 400) {
        std::vector<std::unique_ptr<QProcess>> children;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("STATION_EXIT_CHILD_AFTER_MS", QString::number(ms));
        for (int n = 0; n < count; ++n) {
            children.push_back(std::make_unique<QProcess>());
            children.back()->setProcessEnvironment(environment);
            children.back()->setWorkingDirectory(folder);
        }
        for (const auto &child : children) child->start(STATION_EXIT_CHILD, {"--print-boxes"});
        QStringList said;
        for (const auto &child : children) {
            EXPECT_TRUE(child->waitForFinished(60000));
            EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
            said << QString::fromUtf8(child->readAllStandardOutput());
        }
        return said;
    }
    // The program run in the working folder to its end; its message boxes' texts.
    static QString RunSecondProgram() { return RunPrograms(1, QDir::currentPath()).front(); }
    // Every entry of the working folder with its size and time of change.
    static QStringList Snapshot() {
        QStringList entries;
        for (const QFileInfo &info :
             QDir().entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name))
            entries << info.fileName() + " " + QString::number(info.size()) + " " +
                           info.lastModified().toString(Qt::ISODateWithMs);
        return entries;
    }
};

TEST_F(FolderLock, ASecondProgramInTheFolderIsToldSoAndTouchesNothing) {
    Create();
    const QStringList before = Snapshot();
    const QString said = RunSecondProgram();
    EXPECT_TRUE(said.startsWith("Another program is using the tables in the folder \"" +
                                QDir::current().absolutePath() + "\""))
        << said.toStdString();
    EXPECT_EQ(Snapshot(), before);

    // The same process starts again beside and after its first window; once its windows are
    // gone, another program may start.
    std::unique_ptr<TForm1> second = CreateForm<TForm1>();
    form.reset();
    Create();
    second.reset();
    EXPECT_EQ(RunSecondProgram().count("Another program"), 1);
    form.reset();
    EXPECT_EQ(RunSecondProgram(), "");
}

// Two programs started at the same instant in an empty folder, again and again: exactly one works,
// the other is told that the folder is in use; the tables made are those a program alone makes,
// each opens with its own password and holds what a first start gives it, and nothing else (no
// journal, no partial file) is left beside them.
TEST_F(FolderLock, OfTwoProgramsStartedTogetherInAnEmptyFolderOneMakesSoundTablesAndTheOtherIsRefused) {
    const auto fileOf = [](const storage::TableFile &entry) {
        return QString::fromUtf8(entry.file.data(), static_cast<qsizetype>(entry.file.size()));
    };
    const auto namesIn = [](const QString &folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                                      QDir::Name);
    };
    QTemporaryDir alone;
    ASSERT_EQ(RunPrograms(1, alone.path()), QStringList{""});
    const QStringList made = namesIn(alone.path());
    for (const storage::TableFile &entry : storage::kTableSet)
        ASSERT_TRUE(made.contains(fileOf(entry))) << made.join(" ").toStdString();

    const QString refusal = "Another program is using the tables in the folder \"";
    for (int round = 0; round < 6; ++round) {
        QTemporaryDir folder;
        const QStringList said = RunPrograms(2, folder.path(), 2000);
        ASSERT_EQ(said.size(), 2);
        const int refused = said[0].startsWith(refusal) ? 0 : 1;
        EXPECT_TRUE(said[refused].startsWith(refusal + QDir(folder.path()).canonicalPath() + "\""))
            << "round " << round << ": " << said.join(" / ").toStdString();
        EXPECT_EQ(said[refused].count('\n'), 1) << "round " << round;
        EXPECT_EQ(said[1 - refused], "") << "round " << round;
        EXPECT_EQ(namesIn(folder.path()), made) << "round " << round;
        for (const storage::TableFile &entry : storage::kTableSet) {
            tables::TSession session;
            session.AddPassword(entry.password);
            tables::TTable table(session);
            table.SetTableName(QDir(folder.path()).filePath(fileOf(entry)).toStdString());
            table.SetStructure(storage::StructureOf(entry.object - 1));
            ASSERT_NO_THROW(table.Open()) << "round " << round << " " << entry.file;
            // The legal-basis tables hold the default text a first start gives them.
            EXPECT_EQ(table.RecordCount(), entry.object >= 11 ? 1 : 0) << "round " << round << " " << entry.file;
        }
    }
}

}  // namespace
