// Typing: the on-screen keyboard appends each key's character to its target edit once the key has
// been shown pressed and released; the physical keyboard types Polish letters into the fields.
#include <QKeyEvent>

#include "tests/app/screen_clicks.h"
#include "tests/app/screen_samples.h"
#include "tests/app/shell_fixture.h"

namespace {

class KeyboardTest : public ShellTest {
protected:
    TForm1 &OpenKeyboard(bool hideTarget, const QString &text) {
        TForm1 &w = Create();
        w.Show();
        w.SetPanelKey(hideTarget, 0, text);
        for (TPanel *key : w.KeyPanels) key->Show();
        if (!hideTarget) w.Panel172->Show();
        return w;
    }
    // A key clicked, shown pressed on the next tick of Timer10 and released 200 ms later.
    static void Key(TForm1 &w, int key) {
        ClickOnScreen(w, w.KeyPanels[key]);
        gui::AdvanceTime(50);
        EXPECT_EQ(w.KeyPanels[key]->BevelOuter(), bvLowered) << key;
        gui::AdvanceTime(200);
        EXPECT_EQ(w.KeyPanels[key]->BevelOuter(), bvRaised) << key;
    }
};

TEST_F(KeyboardTest, KeysAppendTheirCharacters) {
    TForm1 &w = OpenKeyboard(false, "ab");
    EXPECT_TRUE(w.Panel171->Visible());
    EXPECT_FALSE(w.Panel239->Visible());
    EXPECT_EQ(w.Edit13->Text(), "ab");
    // key index and the text after it: "q", "0", "\", "ENTER", "_", "<-" (shows nothing), "/"
    const std::pair<int, const char *> typed[] = {{13, "abq"},       {9, "abq0"},       {25, "abq0\\"},
                                                 {37, "abq0\\\r"},   {48, "abq0\\\r "}, {12, "abq0\\\r "},
                                                 {47, "abq0\\\r /"}};
    for (const auto &[key, text] : typed) {
        Key(w, key);
        EXPECT_EQ(w.Edit13->Text(), text) << key;
        EXPECT_EQ(w.PendingKey, shell::kNoKey);
    }
}

TEST_F(KeyboardTest, ASecondKeyBeforeTheReleaseReplacesTheFirst) {
    TForm1 &w = OpenKeyboard(false, "");
    ClickOnScreen(w, w.KeyPanels[14]);  // "w"
    gui::AdvanceTime(50);
    ClickOnScreen(w, w.KeyPanels[15]);  // "e"
    gui::AdvanceTime(200);
    EXPECT_EQ(w.Edit13->Text(), "e");
    EXPECT_EQ(w.KeyPanels[14]->BevelOuter(), bvLowered) << "the first key is never released";
    EXPECT_EQ(w.KeyPanels[15]->BevelOuter(), bvRaised);
}

TEST_F(KeyboardTest, WithTheTargetHiddenKeysAnimateAndAppendNothing) {
    TForm1 &w = OpenKeyboard(true, "ab");
    EXPECT_FALSE(w.Edit13->Visible());
    const QString before = w.Edit13->Text();
    Key(w, 26);  // "a"
    EXPECT_EQ(w.Edit13->Text(), before);
}

TEST_F(KeyboardTest, KeyCodesFollowTheKeyboardRows) {
    const std::pair<int, int> codes[] = {{0, '1'}, {8, '9'}, {9, '0'}, {10, '-'}, {11, '='}, {12, 0},
                                         {13, 'q'}, {23, '['}, {25, '\\'}, {26, 'a'}, {35, ';'}, {36, '\''},
                                         {37, 13}, {38, 'z'}, {45, ','}, {47, '/'}, {48, ' '}, {49, 255},
                                         {-1, 255}, {1000, 255}};
    for (const auto &[key, code] : codes) EXPECT_EQ(shell::GetCodeChar(key), code) << key;
}

TEST_F(KeyboardTest, ThePhysicalKeyboardTypesPolishLettersIntoAnEditAndAMemo) {
    TForm1 &w = Create();
    w.Show();
    const QString polish = QStringLiteral("Zażółć gęślą jaźń ĄĘŁŃÓŚŹŻ");
    int changes = 0;
    w.Edit21->OnChange = [&changes](TObject *) { ++changes; };
    for (TWinControl *field : std::initializer_list<TWinControl *>{w.Edit21, w.Memo1}) {
        field->SetFocus();
        for (QChar c : polish) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(field->Widget(), &press);
        }
    }
    EXPECT_EQ(w.Edit21->Text(), "---" + polish);
    EXPECT_EQ(w.Memo1->Text(), polish + "\r\n");
    EXPECT_EQ(changes, polish.size()) << "one change per typed letter";
}

}  // namespace
