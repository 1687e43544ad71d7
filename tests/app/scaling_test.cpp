#include "main_window_fixture.h"

namespace {

TEST_F(MainWindowTest, FactorsAreClampedToTheDesignProportions) {
    struct Case {
        int width, height;
        float sx, sy;
    };
    for (const Case &c : {Case{638, 458, 1.0f, 0.8f}, Case{1276, 458, 1.8f, 1.0f},
                          Case{1920, 1080, 1920.0f / 638, 1080.0f / 458}}) {
        TForm1 &w = Create(c.width, c.height);
        EXPECT_FLOAT_EQ(w.ScaleX(), c.sx) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(w.ScaleY(), c.sy) << c.width << "x" << c.height;
        EXPECT_EQ((std::array{w.Panel239->Width(), w.Panel239->Height(), w.Panel38->Width()}),
                  (std::array{c.width, c.height, c.width}));
        EXPECT_EQ(w.BorderStyle(), bsNone);
    }
}

TEST_F(MainWindowTest, ScaledValuesAreTruncated) {
    EXPECT_EQ(TForm1::Scaled(15, 0.75f), 11);
    EXPECT_EQ(TForm1::Scaled(-15, 0.75f), -11);
}

// The design-size desktop has sx 1, so its horizontal values are the design's; a desktop of twice
// the width has sx 1.8 and sy 1.
TEST_F(MainWindowTest, EachControlIsScaledOnceAndLabel57Twice) {
    TForm1 &design = Create();
    const int edit35Left = design.Edit35->Left(), edit20Width = design.Edit20->Width();
    const int memo4Width = design.Memo4->Width(), memo2Width = design.Memo2->Width();
    const int label57Left = design.Label57->Left(), gridWidth = design.Edit298->Width();
    // The keyboard screen, its keys and the layout letters stand in no table.
    const int keyboardWidth = design.Panel171->Width(), keyLeft = design.Panel187->Left();
    const int keyWidth = design.Panel187->Width(), lettersWidth = design.Panel2->Width();
    // Page controls that no table names, and a caption of our own on a page.
    const int radioLeft = design.RadioButton1->Left(), radioWidth = design.RadioButton1->Width();
    const int remarksCaptionLeft = design.ParamCaptionRemarks->Left();
    ASSERT_GT(label57Left, 0);

    TForm1 &wide = Create(1276, 458);
    const float sx = 1.8f;
    EXPECT_EQ(wide.Edit35->Left(), TForm1::Scaled(edit35Left, sx));
    EXPECT_EQ(wide.Edit20->Width(), TForm1::Scaled(edit20Width, sx));
    EXPECT_EQ(wide.Memo4->Width(), TForm1::Scaled(memo4Width, sx));
    EXPECT_EQ(wide.Memo2->Width(), TForm1::Scaled(memo2Width, sx));
    EXPECT_EQ(wide.Edit298->Width(), TForm1::Scaled(gridWidth, sx));
    EXPECT_EQ(wide.Label57->Left(), TForm1::Scaled(TForm1::Scaled(label57Left, sx), sx));
    EXPECT_EQ(wide.Panel171->Width(), TForm1::Scaled(keyboardWidth, sx));
    EXPECT_EQ(wide.Panel187->Left(), TForm1::Scaled(keyLeft, sx));
    EXPECT_EQ(wide.Panel187->Width(), TForm1::Scaled(keyWidth, sx));
    EXPECT_EQ(wide.Panel2->Width(), TForm1::Scaled(lettersWidth, sx));
    EXPECT_EQ(wide.RadioButton1->Left(), TForm1::Scaled(radioLeft, sx));
    EXPECT_EQ(wide.RadioButton1->Width(), TForm1::Scaled(radioWidth, sx));
    EXPECT_EQ(wide.ParamCaptionRemarks->Left(), TForm1::Scaled(remarksCaptionLeft, sx));
}

TEST_F(MainWindowTest, CentringRoundsTowardZero) {
    TForm1 &w = Create();
    TPanel parent(nullptr), child(nullptr);
    parent.SetBounds(0, 0, 101, 51);
    child.SetBounds(7, 9, 20, 10);
    TForm1::SetCenterPositionHorizontal(&child, &parent);
    EXPECT_EQ((std::array{child.Left(), child.Top()}), (std::array{40, 9}));
    TForm1::SetCenterPosition(&child, &parent);
    EXPECT_EQ((std::array{child.Left(), child.Top()}), (std::array{40, 20}));
    TForm1::SetCenterPosition(w.Panel384, w.Panel239);
    EXPECT_EQ(w.Panel384->Left(), (638 - 385) / 2);
}

}  // namespace
