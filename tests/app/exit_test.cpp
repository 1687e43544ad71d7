// The program ends cleanly: windows, then the Qt application, are destroyed before static
// destruction, with exit code 0 and nothing reported by the sanitizers.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

// Runs the program with the given arguments until it ends.
void RunChild(QProcess &child, const QStringList &arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(STATION_EXIT_CHILD, arguments);
    ASSERT_TRUE(child.waitForFinished(60000));
}

}  // namespace

TEST(ProgramExit, ClosingTheMainWindowEndsTheProgramCleanly) {
    QProcess child;
    RunChild(child, {});
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains("Sanitizer") || errors.contains("runtime error")) << errors.toStdString();
}

TEST(ProgramExit, TheWindowsOwnExitButtonEndsTheProgramWithCodeZero) {
    QProcess child;
    RunChild(child, {"--exit-button"});
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << errors.toStdString();
}
