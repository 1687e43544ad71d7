// One program at a time in a working folder: a second program is refused plainly and touches
// nothing, while the same process may start its window there again.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include "tests/app/main_window_fixture.h"

namespace {

class FolderLock : public MainWindowTest {
protected:
    // The program run in the working folder to its end; its message boxes' texts.
    static QString RunSecondProgram() {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.start(STATION_EXIT_CHILD, {"--print-boxes"});
        EXPECT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        return QString::fromUtf8(child.readAllStandardOutput());
    }
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

}  // namespace
