// The remembered text files of the main window: start-up reading and the rewrites.
#include <gtest/gtest.h>

#include <QFile>

#include "app/shell_fixture.h"
#include "platform/runtime/text_file.h"

namespace {

class WindowTexts : public ShellTest {
protected:
    static QByteArray Bytes(const QString &name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A sparse file of the given size that starts with head and holds no line break after it.
    static void WriteHugeFile(const QString &name, const QByteArray &head, qint64 size) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(head);
        ASSERT_TRUE(file.resize(size));
    }
};

TEST_F(WindowTexts, HugeTextFilesOpenTheWindowWithTheirHeadsOnly) {
    WriteHugeFile("lz.txt", "Aneks A\r\nAneks B\r\n", 300LL << 20);
    WriteHugeFile("ee.txt", "drukarka\r\n", 300LL << 20);
    TForm1 &w = Create();
    EXPECT_EQ(w.Edit495->Text(), "Aneks A");
    EXPECT_EQ(w.Edit496->Text(), "Aneks B");
    EXPECT_EQ(w.Edit497->Text().size(), qsizetype(textfile::kReadCap) - 18);
    EXPECT_EQ(w.ExtraDeviceEdits[0]->Text(), "drukarka");
    EXPECT_EQ(w.Memo8->Lines().Count(), 6);
}

}  // namespace
