#include "app/entry.h"

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/form2.h"
#include "platform/gui/picture.h"
#include "platform/runtime/errors.h"

namespace {

class Entry : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        Application->ModalBoxResponder = [this](const TModalBox &box) {
            boxes.push_back(box);
            return IDOK;
        };
    }
    void TearDown() override {
        Application->ModalBoxResponder = nullptr;
        Application->DestroyComponents();
    }
    std::vector<TModalBox> boxes;
};

}  // namespace

TEST_F(Entry, CreatesTheMainWindowAndAHiddenSecondWindow) {
    int argc = 1;
    char name[] = "kestrium";
    char *argv[] = {name, nullptr};
    Application->Terminate();  // the loop ends at once
    EXPECT_EQ(RunEntry([&] { StartStation(argc, argv); }), 0);
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_EQ(Form1->Caption(), "Kestrium v1.04.02");
    EXPECT_EQ((std::array{Form1->Left(), Form1->Top()}), (std::array{0, 0}));
    EXPECT_TRUE(Form1->AutoSize());
    EXPECT_EQ(Form1->Color(), clGray);
    EXPECT_TRUE(Form1->Visible());
    ASSERT_NE(Form2, nullptr);
    EXPECT_EQ(Form2->Caption(), "Form2");
    EXPECT_EQ((std::array{Form2->Left(), Form2->Top(), Form2->Width(), Form2->Height()}),
              (std::array{274, 143, 253, 87}));
    EXPECT_FALSE(Form2->Visible());
    EXPECT_TRUE(boxes.empty());
    // The program reads the picture formats of its documents.
    for (const char *format : {"bmp", "jpg", "gif"})
        EXPECT_FALSE(TPicture::FileFormatDescription(format).isEmpty()) << format;
}

TEST_F(Entry, AnEscapingExceptionIsShownInTheErrorBoxAndTheEntryReturnsZero) {
    EXPECT_EQ(RunEntry([] { throw EDatabaseError("Invalid password"); }), 0);
    EXPECT_EQ(RunEntry([] { throw std::bad_alloc(); }), 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, TModalBox::Error);
    EXPECT_EQ(boxes[0].text, "Invalid password.");
    EXPECT_EQ(boxes[1].text, "");
}
