// The program ends cleanly: windows, then the Qt application, are destroyed before static
// destruction, with exit code 0 and nothing reported by the sanitizers.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

TEST(ProgramExit, ClosingTheMainWindowEndsTheProgramCleanly) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(STATION_EXIT_CHILD, {});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains("Sanitizer") || errors.contains("runtime error")) << errors.toStdString();
}
