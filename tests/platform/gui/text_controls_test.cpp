#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "gui_fixture.h"
#include "platform/gui/controls.h"
#include "platform/runtime/cp1250.h"
#include "platform/runtime/errors.h"

namespace {

class TextControls : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm>();
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        memo = new TMemo(form.get());
        memo->SetParent(form.get());
        edit->OnChange = [this](TObject *) { editChanges.push_back(edit->Text()); };
        memo->OnChange = [this](TObject *) { memoChanges.push_back(memo->Text()); };
    }
    std::unique_ptr<TForm> form;
    TEdit *edit = nullptr;
    TMemo *memo = nullptr;
    QStringList editChanges, memoChanges;
};

}  // namespace

TEST_F(TextControls, EditChangeFiresOnceInsideADifferingWriteAndNeverForTheSameText) {
    edit->SetText("---");
    EXPECT_EQ(editChanges, QStringList{"---"});
    edit->SetText("---");
    EXPECT_EQ(editChanges.size(), 1);
    edit->SetText("12,50");
    EXPECT_EQ(editChanges, (QStringList{"---", "12,50"}));
    EXPECT_EQ(static_cast<QLineEdit *>(edit->Widget())->text(), "12,50");
}

TEST_F(TextControls, MaxLengthLimitsTypingButNotTheProgramsText) {
    edit->SetMaxLength(3);
    edit->SetText("123456");
    EXPECT_EQ(edit->Text(), "123456");
    edit->SetText("");
    editChanges.clear();
    Type(edit->Widget(), "12345");
    EXPECT_EQ(edit->Text(), "123");
    EXPECT_EQ(editChanges, (QStringList{"1", "12", "123"}));
}

TEST_F(TextControls, ExceptionInATypedChangeIsReportedAndTypingGoesOn) {
    edit->OnChange = [](TObject *) { throw EConvertError("'x' is not a valid integer value"); };
    Type(edit->Widget(), "xy");
    EXPECT_EQ(edit->Text(), "xy");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, TModalBox::Error);
    EXPECT_EQ(boxes[0].text, "'x' is not a valid integer value.");
}

TEST_F(TextControls, MemoLinesAddFiresChangeAndTextEndsEveryLineWithCrLf) {
    memo->Lines().Add("---");
    memo->Lines().Add("---");
    EXPECT_EQ(memoChanges, (QStringList{"---\r\n", "---\r\n---\r\n"}));
    EXPECT_EQ(static_cast<QPlainTextEdit *>(memo->Widget())->toPlainText(), "---\n---");
    memo->SetText("---\r\n---\r\n");  // same lines: no change
    EXPECT_EQ(memoChanges.size(), 2);
    memo->Lines().Clear();
    memo->Lines().Clear();
    EXPECT_EQ(memoChanges.size(), 3);
    EXPECT_EQ(memo->Text(), "");
}

TEST_F(TextControls, TypingIntoAMemoUpdatesItsLines) {
    Type(memo->Widget(), "ab\r");
    EXPECT_EQ(memo->Lines().Count(), 1);
    EXPECT_EQ(memo->ShownText(), "ab\n");  // the typed break is kept
    Type(memo->Widget(), "c");
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->ShownText(), "ab\nc");
    EXPECT_EQ(memo->Lines()[1], "c");
    EXPECT_EQ(memoChanges.back(), "ab\r\nc\r\n");
}

TEST(Strings, IndexPastTheEndRaisesAListErrorWhileTheSafeGetterGivesEmpty) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_THROW(list.Strings(4), EListError);
    EXPECT_THROW(list.Strings(-1), EListError);
    EXPECT_THROW(list.SetStrings(4, "x"), EListError);
    EXPECT_THROW(list.Delete(4), EListError);
    EXPECT_EQ(list.StringOrEmpty(4), "");
    list.SetStrings(3, "D");
    list.Insert(4, "e");
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nD\r\ne\r\n");
    list.SetText("\r\n\r\n");
    EXPECT_EQ(list.Count(), 2);
}

TEST(Strings, FilesAreCodePage1250WithCrLf) {
    const QString polish = QString::fromUtf8("ĄąĆćĘęŁłŃńÓóŚśŹźŻż");
    QTemporaryDir folder;  // of its own: other builds' test programs may run this test meanwhile
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("strings_cp1250_test.txt");
    TStringList list;
    list.Add(polish);
    list.Add("");
    list.Add("mp");
    list.SaveToFile(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, QByteArray::fromStdString(Utf8ToCp1250(polish.toStdString())) + "\r\n\r\nmp\r\n");
    EXPECT_EQ(bytes.size(), polish.size() + 8);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Lines(), list.Lines());
    QFile::remove(path);
    EXPECT_THROW(back.LoadFromFile(path), Exception);
    EXPECT_THROW(back.SaveToFile(folder.filePath("no/such/dir/x.txt")), Exception);
    EXPECT_EQ(back.Count(), 3);  // a failed load keeps the lines
}
