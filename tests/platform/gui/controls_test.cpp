#include "platform/gui/controls.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <optional>

#include "gui_fixture.h"
#include "platform/runtime/errors.h"

namespace {

class Controls : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm>();
        outer = new TPanel(form.get());
        outer->SetParent(form.get());
        inner = new TPanel(form.get());
        inner->SetParent(outer);
        edit = new TEdit(form.get());
        edit->SetParent(inner);
    }
    std::unique_ptr<TForm> form;
    TPanel *outer = nullptr;
    TPanel *inner = nullptr;
    TEdit *edit = nullptr;
};

}  // namespace

TEST_F(Controls, ColoursReadBackExactlyAsWrittenSystemColoursIncluded) {
    const TColor colours[] = {
        clInactiveCaptionText, clBtnFace, clBtnShadow, cl3DLight,
        clMoneyGreen,          clWhite,   clBlack,     static_cast<TColor>(0x80000013u)};
    for (TColor c : colours) {
        inner->SetColor(c);
        edit->SetColor(c);
        edit->Font().SetColor(c);
        EXPECT_EQ(inner->Color(), c);
        EXPECT_EQ(edit->Color(), c);
        EXPECT_EQ(edit->Font().Color(), c);
    }
    EXPECT_EQ(inner->Color(), static_cast<TColor>(0x80000013u));
    // The system colour is resolved only for painting.
    EXPECT_EQ(edit->Widget()->palette().color(QPalette::Base), ToQColor(clInactiveCaptionText));
}

TEST_F(Controls, VisibleAndEnabledAreOwnFlagsWhileParentsStillHideAndDisable) {
    form->Show();
    EXPECT_TRUE(edit->Showing());
    outer->Hide();
    EXPECT_TRUE(edit->Visible());
    EXPECT_FALSE(edit->Showing());
    EXPECT_FALSE(edit->Widget()->isVisible());
    outer->Show();
    EXPECT_TRUE(edit->Widget()->isVisible());

    inner->SetEnabled(false);
    EXPECT_TRUE(edit->Enabled());
    EXPECT_FALSE(edit->EnabledInTree());
    EXPECT_FALSE(edit->Widget()->isEnabled());
    edit->SetEnabled(false);
    inner->SetEnabled(true);
    EXPECT_FALSE(edit->Enabled());
    EXPECT_FALSE(edit->Widget()->isEnabled());
    form->Hide();
}

TEST_F(Controls, ClicksAreNotDeliveredToDisabledControlsOrControlsOfDisabledParents) {
    int clicks = 0;
    edit->OnClick = [&](TObject *sender) {
        EXPECT_EQ(sender, edit);
        ++clicks;
    };
    edit->Click();
    edit->SetEnabled(false);
    edit->Click();
    edit->SetEnabled(true);
    form->SetEnabled(false);
    edit->Click();
    form->SetEnabled(true);
    edit->Click();
    EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, SetFocusIsANoOpOnHiddenOrDisabledControls) {
    auto *other = new TEdit(form.get());
    other->SetParent(outer);
    other->SetFocus();
    ASSERT_TRUE(other->Focused());
    edit->SetVisible(false);
    edit->SetFocus();
    inner->SetEnabled(false);
    edit->SetVisible(true);
    edit->SetFocus();
    EXPECT_TRUE(other->Focused());
    inner->SetEnabled(true);
    edit->SetFocus();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(form->ActiveControl(), edit);
}

TEST_F(Controls, GeometryIsSettablePropertyByProperty) {
    inner->SetLeft(17);
    inner->SetTop(37);
    inner->SetWidth(638);
    inner->SetHeight(458);
    EXPECT_EQ(inner->Widget()->geometry(), QRect(17, 37, 638, 458));
    EXPECT_EQ((std::array{inner->Left(), inner->Top(), inner->Width(), inner->Height()}),
              (std::array{17, 37, 638, 458}));
}

TEST_F(Controls, PanelKeepsCaptionAndBevels) {
    inner->SetCaption("ND");
    inner->SetBevelOuter(bvLowered);
    inner->SetBevelWidth(2);
    EXPECT_EQ(inner->Caption(), "ND");
    EXPECT_EQ(inner->BevelOuter(), 1);
    inner->SetBevelOuter(bvRaised);
    EXPECT_EQ(inner->BevelOuter(), 2);
    EXPECT_EQ(inner->BevelWidth(), 2);
}

TEST_F(Controls, AutoSizedLabelMeasuresEveryCaptionLineAtOnce) {
    auto *label = new TLabel(form.get());
    label->SetParent(inner);
    label->Font().SetSize(10);
    const QFontMetrics metrics(label->Font().ToQFont());
    label->SetCaption("Pkt.1\r\nlonger second line");
    EXPECT_EQ(label->Width(), metrics.horizontalAdvance("longer second line"));
    EXPECT_EQ(label->Height(), 2 * metrics.height());
    const int before = label->Width();
    label->SetCaption("Pkt.1\r\nlonger second line ");  // one blank more is wider
    EXPECT_GT(label->Width(), before);
    label->SetCaption("");
    EXPECT_EQ(label->Height(), metrics.height());
}

TEST_F(Controls, ChildrenTakeTheParentFontUntilTheyGetTheirOwn) {
    auto *label = new TLabel(form.get());
    label->SetParent(inner);
    inner->Font().SetSize(14);
    EXPECT_EQ(label->Font().Size(), 14);
    label->Font().SetSize(9);
    inner->Font().SetSize(16);
    EXPECT_EQ(label->Font().Size(), 9);
    EXPECT_EQ(edit->Font().Size(), 16);
}

TEST_F(Controls, RadioButtonsAreExclusiveWithinTheirParent) {
    TRadioButton *radios[3];
    for (auto &r : radios) {
        r = new TRadioButton(form.get());
        r->SetParent(inner);
    }
    auto *elsewhere = new TRadioButton(form.get());
    elsewhere->SetParent(outer);
    elsewhere->SetChecked(true);
    int clicks = 0;
    radios[1]->OnClick = [&](TObject *) { ++clicks; };
    radios[0]->SetChecked(true);
    radios[1]->Click();
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_EQ(clicks, 1);
    radios[2]->SetChecked(true);
    EXPECT_FALSE(radios[1]->Checked());
}

TEST_F(Controls, CheckBoxTogglesOnClickAndReportsChanges) {
    auto *box = new TCheckBox(form.get());
    box->SetParent(inner);
    int clicks = 0;
    box->OnClick = [&](TObject *) { ++clicks; };
    box->Click();
    EXPECT_TRUE(box->Checked());
    box->SetChecked(true);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST_F(Controls, StringGridCellsWidthsAndSelectedRow) {
    auto *grid = new TStringGrid(form.get());
    grid->SetParent(inner);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->SetCells(2, 3, "17");
    grid->SetColWidths(1, 200);
    grid->SetDefaultRowHeight(18);
    grid->SetRow(3);
    EXPECT_EQ(grid->Cells(2, 3), "17");
    EXPECT_EQ(grid->Cells(9, 9), "");
    EXPECT_EQ(grid->ColWidths(1), 200);
    EXPECT_EQ(grid->Row(), 3);
    grid->SetRow(7);  // outside: ignored
    grid->SetRow(0);  // heading: ignored
    EXPECT_EQ(grid->Row(), 3);
    grid->SetRowCount(2);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(Controls, ProgressBarPositionStaysWithinItsRange) {
    auto *bar = new TProgressBar(form.get());
    bar->SetParent(inner);
    const std::pair<int, int> cases[] = {{50, 50}, {100, 100}, {110, 100}, {-5, 0}};
    for (auto [written, read] : cases) {
        bar->SetPosition(written);
        EXPECT_EQ(bar->Position(), read) << written;
    }
}

TEST_F(Controls, OwnerDestroysItsComponentsAndNamesAreFound) {
    edit->SetName("Edit21");
    EXPECT_EQ(form->FindComponent("Edit21"), edit);
    EXPECT_EQ(form->FindComponent("Edit22"), nullptr);
    const int before = form->ComponentCount();
    delete inner;  // its child edit stays, owned by the form
    EXPECT_EQ(form->ComponentCount(), before - 1);
    EXPECT_EQ(edit->Parent(), nullptr);
    edit->SetText("still here");
    EXPECT_EQ(edit->Text(), "still here");
}

// A tick box shows its state and whether it can be changed: ticked a mark, white while it can be
// changed and grey while it cannot; unticked its face, grey while it cannot be changed.
TEST_F(Controls, ATickBoxShowsItsStateAndWhetherItCanBeChanged) {
    struct Case {
        TColor state;
        bool enabled;
        TColor face;
        std::optional<TColor> mark;
    };
    const Case cases[] = {
        {clBlack, true, clBlack, clWhite},
        {clBlack, false, clBlack, clGrayText},
        {clWhite, true, clWhite, std::nullopt},
        {clWhite, false, clGrayText, std::nullopt},
    };
    auto *box = new TPanel(form.get());
    box->SetParent(outer);
    box->SetBounds(0, 0, 24, 24);
    box->SetTickBox(true);
    for (const Case &c : cases) {
        box->SetColor(c.state);
        box->SetEnabled(c.enabled);
        const QImage shown = box->Widget()->grab().toImage();
        const QRgb centre = shown.pixel(12, 12), corner = shown.pixel(4, 4);
        SCOPED_TRACE(testing::Message() << std::hex << c.state << (c.enabled ? " enabled" : " disabled"));
        EXPECT_EQ(corner, ToQColor(c.face).rgb()) << "the face";
        int marked = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                marked += c.mark && shown.pixel(x, y) == ToQColor(*c.mark).rgb() ? 1 : 0;
        if (c.mark)
            EXPECT_GT(marked, 10) << "the mark";
        else
            EXPECT_EQ(centre, ToQColor(c.face).rgb()) << "no mark";
    }
}

// Contrast ratios of colours as painted, system colours resolved.
TEST(ContrastRatio, OfColoursAsPainted) {
    struct Case {
        TColor a, b;
        double ratio;
    };
    const Case cases[] = {{clBlack, clWhite, 21.0},  {clWhite, clWhite, 1.0},   {clGreen, clBtnShadow, 1.30},
                          {clGreen, clWhite, 5.14},  {clGray, clBlack, 5.32},   {clRed, clBlack, 5.25},
                          {clGray, clGradientInactiveCaption, 4.67}};
    for (const Case &c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << std::hex << c.a << " on " << c.b;
        EXPECT_DOUBLE_EQ(ContrastRatio(c.a, c.b), ContrastRatio(c.b, c.a));
    }
}
