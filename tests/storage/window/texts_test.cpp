// The remembered text files of the main window: typed fields rewrite them, the next start reads
// them; damaged, huge and unwritable files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>

#include "platform/runtime/cp1250.h"
#include "platform/runtime/text_file.h"
#include "storage/window/texts_window_fixture.h"

namespace {

class WindowTexts : public TextsWindowTest {
protected:
    // A sparse file of the given size that starts with head and holds no line break after it.
    static void WriteHugeFile(const QString &name, const QByteArray &head, qint64 size) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(head);
        ASSERT_TRUE(file.resize(size));
    }
    static QByteArray Cp1250(const char *utf8) {
        return QByteArray::fromStdString(Utf8ToCp1250(utf8));
    }
};

TEST_F(WindowTexts, TypedFieldsRewriteTheirFilesAndComeBackAtTheNextStart) {
    TForm1 *w = &Start();
    TypeOver(w->Edit460, "kasa fiskalna");
    TypeOver(w->Edit17, "pokrywa");
    TypeOver(w->Edit452, "2");
    TypeOver(w->Edit485, "2026-12-10");
    TypeOver(w->Memo2, "Gdańsk\nul. Długa 1");

    EXPECT_EQ(Bytes("ee.txt"), "---\r\nkasa fiskalna\r\n---\r\n---\r\n---\r\n---\r\n");
    EXPECT_EQ(Bytes("em.txt"), "---\r\npokrywa\r\n---\r\n---\r\n---\r\n---\r\n");
    EXPECT_EQ(Bytes("ems.txt"), "---\r\n2\r\n---\r\n---\r\n---\r\n---\r\n");
    EXPECT_EQ(Bytes("poz.txt"), "---\r\n2026-12-10\r\n---\r\n---\r\n---\r\n");
    EXPECT_EQ(Bytes("mp.txt"), Cp1250("Gdańsk\r\nul. Długa 1\r\n"));

    w = &Start();
    EXPECT_EQ(w->Edit460->Text(), "kasa fiskalna");
    EXPECT_EQ(w->Edit17->Text(), "pokrywa");
    EXPECT_EQ(w->Edit452->Text(), "2");
    EXPECT_EQ(w->Edit485->Text(), "2026-12-10");
    EXPECT_EQ(w->Edit483->Text(), "---");
    EXPECT_EQ(w->Memo2->Text(), "Gdańsk\r\nul. Długa 1\r\n");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowTexts, ShortEmptyAndOddFilesLoadWithoutLosingTheOtherLines) {
    QFile::remove("ee.txt");
    WriteFile("ee.txt", "drukarka\r\n\r\n");
    WriteFile("em.txt", "");
    // 0x81 and 0x98 have no letter in the code page; they stay what they are.
    WriteFile("ems.txt", "1\r\n\x81\x98\r\n3");
    WriteFile("poz.txt", "\xA3\xF3\x64\xBF\r\n");
    TForm1 *w = &Start();
    EXPECT_EQ(w->ExtraDeviceEdits[0]->Text(), "drukarka");
    EXPECT_EQ(w->ExtraDeviceEdits[1]->Text(), "");
    for (int i = 2; i < 6; ++i) EXPECT_EQ(w->ExtraDeviceEdits[i]->Text(), "---") << i;
    for (TEdit *edit : w->MarkNameEdits) EXPECT_EQ(edit->Text(), "---");
    EXPECT_EQ(w->MarkCountEdits[0]->Text(), "1");
    EXPECT_EQ(w->MarkCountEdits[2]->Text(), "3");
    EXPECT_EQ(w->MarkCountEdits[3]->Text(), "---");
    EXPECT_EQ(w->Edit483->Text(), "Łódż");
    EXPECT_EQ(w->Edit485->Text(), "---");

    // A rewrite keeps the odd bytes of the other lines.
    TypeOver(w->MarkCountEdits[5], "6");
    EXPECT_EQ(Bytes("ems.txt"), "1\r\n\x81\x98\r\n3\r\n---\r\n---\r\n6\r\n");
    EXPECT_EQ(Start().MarkCountEdits[1]->Text(), QString::fromStdString(Cp1250ToUtf8("\x81\x98")));
}

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

TEST_F(WindowTexts, AFileThatCannotBeWrittenIsReportedOnceAndTheTypedTextStays) {
    TForm1 &w = Start();
    ASSERT_TRUE(QDir().mkdir("ee.txt"));
    TypeOver(w.Edit459, "abc");
    EXPECT_EQ(w.Edit459->Text(), "abc");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("ee.txt")) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.contains("Is a directory")) << boxes[0].text.toStdString();

    ASSERT_TRUE(QDir().rmdir("ee.txt"));
    TypeOver(w.Edit459, "d");
    EXPECT_EQ(Bytes("ee.txt").left(3), "d\r\n");
    ASSERT_TRUE(QFile::remove("ee.txt") && QDir().mkdir("ee.txt"));
    TypeOver(w.Edit459, "ef");
    EXPECT_EQ(boxes.size(), 2u) << "reported again after a good rewrite";
    QDir().rmdir("ee.txt");
}

TEST_F(WindowTexts, OfficeLinesKeepSixLinesOf45CharactersAndOkWritesTheAnnexFile) {
    TForm1 &w = Start();
    w.Panel390->Show();  // the office-lines screen: no control of this window shows it
    const QString longLine(50, QLatin1Char('x'));
    // Pasted whole: the handler's own writes move the caret, so typing key by key would scatter.
    const auto paste = [&](const QString &text) { static_cast<QPlainTextEdit *>(w.Memo19->Widget())->setPlainText(text); };
    paste(longLine + "\nJednostka\n" + longLine + "\n4\n5\n6");
    EXPECT_EQ(w.Memo19->Lines().Lines(), (QStringList{longLine.left(45), "Jednostka", longLine.left(45), "4", "5", "6"}));
    // A seventh line puts back the lines the memo held before.
    paste("Nowa\n2\n3\n4\n5\n6\n7");
    EXPECT_EQ(w.Memo19->Lines().Lines(), (QStringList{"Nowa", "Jednostka", longLine.left(45), "4", "5", "6"}));

    w.Edit495->SetText("Załącznik A");
    Click(w.Button20);
    EXPECT_EQ(w.Label156->Caption(), "Nowa\r\nJednostka");
    EXPECT_FALSE(w.Panel390->Visible());
    EXPECT_EQ(ReadTextFileLines("lz.txt"), (QStringList{"Załącznik A", w.Edit496->Text(), w.Edit497->Text(), "Nowa",
                                                        "Jednostka", longLine.left(45), "4", "5", "6"}));
    EXPECT_EQ(Bytes("lz.txt").left(13), Cp1250("Załącznik A\r\n"));
}

TEST_F(WindowTexts, TheCalculationSystemIsKeptInTheFirstJobRecord) {
    TForm1 &w = Start();
    TypeOver(w.Edit12, "D");  // no job yet: nothing to write, no error
    EXPECT_EQ(w.Edit12->Text(), "D");
    w.write_gen_db();
    w.write_gen_db();
    struct Case {
        QString typed, shown, stored;
    };
    for (const Case &c : {Case{"S", "S", "0"}, Case{"D", "D", "1"}, Case{"x", "S", "0"}}) {
        TypeOver(w.Edit12, c.typed);
        EXPECT_EQ(w.Edit12->Text(), c.shown);
        EXPECT_EQ(Stored(w.Table1, 42, 1), c.stored) << c.typed.toStdString();
        EXPECT_EQ(Stored(w.Table1, 42, 2), "") << "only the first record holds the setting";
    }
    EXPECT_FALSE(w.Table1->Active());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowTexts, TheTyreSizeMovesTheFocusOnOnlyWhenComplete) {
    TForm1 &w = Start();
    BringOnScreen(w.Edit111);
    w.Edit111->SetFocus();
    TypeOver(w.Edit111, "---");
    EXPECT_TRUE(w.Edit111->Focused());
    TypeOver(w.Edit111, "205");
    EXPECT_TRUE(w.Edit457->Focused());
    TypeOver(w.Edit457, "55");
    EXPECT_TRUE(w.Edit458->Focused());
}

TEST_F(WindowTexts, TheApplicantKindIsOneOfThreeAndTravelsWithTheJob) {
    TForm1 *w = &Start();
    EXPECT_EQ(w->Panel232->Color(), clBlack);
    EXPECT_EQ(w->GetWnioskodawce(), 0);
    Click(w->Panel234);
    EXPECT_EQ(w->GetWnioskodawce(), 2);
    Click(w->Panel233);
    EXPECT_EQ(w->Panel233->Color(), clBlack);
    EXPECT_EQ(w->Panel232->Color(), clWhite);
    EXPECT_EQ(w->Panel234->Color(), clWhite);
    TypeOver(w->Memo5, "Jan Kowalski");
    Command(w->Panel35);   // "ZAPISZ BD"
    Command(w->Panel151);  // "ZAPISZ"
    EXPECT_EQ(Stored(w->Table1, 46), "1");

    // The next start begins with the repairer; the saved job brings its applicant back.
    w = &Start();
    EXPECT_EQ(w->GetWnioskodawce(), 0);
    EXPECT_EQ(w->Memo5->Text(), "Jan Kowalski\r\n");
    Command(w->Panel36);  // "CZYTAJ BD"
    Command(w->JobRowPanels[0]);
    EXPECT_EQ(w->GetWnioskodawce(), 1);
    EXPECT_EQ(w->Panel233->Color(), clBlack);
}

}  // namespace
