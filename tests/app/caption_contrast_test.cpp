// Every caption of the window reads against what stands behind it: a contrast of at least 4.5:1
// (relative luminance of the sRGB colours), in the colours the window starts with and in the
// states the mode panels, tabs and options take.
#include <QImage>
#include <map>
#include <string>
#include <vector>

#include "tests/app/screen_clicks.h"
#include "tests/app/shell_fixture.h"

namespace {

TColor ColorOf(QRgb pixel) {
    return static_cast<TColor>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16);
}

// The contrast on the screen of what the control draws inside its frame: the strongest between
// two neighbouring pixels, where a caption's or a mark's strokes meet what they stand on.
double ShownContrast(TControl *control) {
    const QImage shown = control->Widget()->grab().toImage();
    const QRect inside = shown.rect().adjusted(3, 3, -3, -3);
    double strongest = 1;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            for (const QPoint next : {QPoint(x + 1, y), QPoint(x, y + 1)})
                if (inside.contains(next))
                    strongest = std::max(strongest, ContrastRatio(ColorOf(shown.pixel(x, y)), ColorOf(shown.pixel(next))));
    return strongest;
}

// The colour the control shows most.
QRgb CommonestPixel(TControl *control) {
    const QImage shown = control->Widget()->grab().toImage();
    std::map<QRgb, int> count;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) ++count[shown.pixel(x, y)];
    return std::ranges::max_element(count, {}, &std::pair<const QRgb, int>::second)->first;
}

// The colour behind a caption: a panel's own, an opaque label's own, else the label's parent's.
TColor Behind(const TControl *control) {
    const auto *label = dynamic_cast<const TLabel *>(control);
    if (label == nullptr || !label->Transparent()) return control->Color();
    return control->Parent() != nullptr ? control->Parent()->Color() : clBlack;
}

// Captions below the floor, as "name (ratio)".
std::vector<std::string> PoorCaptions(const TForm1 &w) {
    std::vector<std::string> poor;
    for (int i = 0; i < w.ComponentCount(); ++i) {
        QString caption;
        const TControl *control = nullptr;
        if (const auto *panel = dynamic_cast<const TPanel *>(w.Components(i))) {
            caption = panel->Caption();
            control = panel;
        } else if (const auto *label = dynamic_cast<const TLabel *>(w.Components(i))) {
            caption = label->Caption();
            control = label;
        }
        if (control == nullptr || caption.trimmed().isEmpty()) continue;
        const double ratio = ContrastRatio(control->Font().Color(), Behind(control));
        if (ratio < 4.5) poor.push_back(control->Name().toStdString() + " (" + std::to_string(ratio) + ")");
    }
    return poor;
}

using CaptionContrastTest = ShellTest;

TEST_F(CaptionContrastTest, EveryCaptionReadsInEveryStateOfTheScreen) {
    TForm1 &w = Create();
    EXPECT_EQ(PoorCaptions(w), std::vector<std::string>{}) << "at start";
    Press(w.Panel163);    // "Ust." lit, "Leg." unlit
    Press(w.Panel159);    // the results page: a tab selected, the test tabs shown
    w.Panel127->Click();  // the distance test chosen
    w.Panel392->Click();  // "AUTO-Leg" off
    w.Panel388->Click();  // "CZAS x10" white
    EXPECT_EQ(PoorCaptions(w), std::vector<std::string>{}) << "in the setting mode on the results page";
    for (TPanel *status : {w.Panel164, w.Panel393}) TForm1::ShowChannelStatus(status, true);
    w.Panel388->Click();  // "CZAS x10" black
    EXPECT_EQ(PoorCaptions(w), std::vector<std::string>{}) << "with both channels connected";
    for (TPanel *status : {w.Panel164, w.Panel393}) TForm1::ShowChannelStatus(status, false);
    EXPECT_EQ(PoorCaptions(w), std::vector<std::string>{}) << "with both channels lost";
}

TEST_F(CaptionContrastTest, TheRegimeCaptionReadsInBothVerdicts) {
    TForm1 &w = Create();
    Press(w.Panel9);  // Ogl.
    TPanel *item = w.InspectionItemPanels[5];
    bool red = false, black = false;
    for (int mark = 0; mark < 3; ++mark) {  // "-", "ND", "+"
        item->Click();
        red = red || w.Panel13->Font().Color() == clRed;
        black = black || w.Panel13->Font().Color() == clBlack;
        EXPECT_GE(ContrastRatio(w.Panel13->Font().Color(), w.Panel13->Color()), 4.5) << item->Caption().toStdString();
    }
    EXPECT_TRUE(red) << "a negative verdict seen";
}

TEST_F(CaptionContrastTest, TheUsbStatusAndThePriceOptionsStandCaptionedOnTheirScreens) {
    TForm1 &w = Create(1366, 768);
    w.Show();
    EXPECT_TRUE(w.Panel164->Showing());
    EXPECT_EQ(w.Panel164->Caption(), "USB");
    EXPECT_GE(w.Panel164->Width(), w.Panel393->Width() / 2) << "a status panel, not a swatch";
    for (const auto &[option, caption] :
         {std::pair{w.Panel28, w.OptionCaptionAgreedPrice}, std::pair{w.Panel29, w.OptionCaptionDiscount}}) {
        EXPECT_TRUE(option->Showing()) << option->Name().toStdString();
        EXPECT_GE(option->Width(), 10);
        EXPECT_EQ(caption->Top(), option->Top()) << "the caption beside its tick";
        EXPECT_GT(caption->Left(), option->Left() + option->Width() - 1);
    }
    EXPECT_EQ(w.OptionCaptionAgreedPrice->Caption(), "Cena umowna");
    EXPECT_EQ(w.OptionCaptionDiscount->Caption(), "Udzielanie rabatu");
}

// From the screen: the tariff buttons selected or not and tested or not, both status panels
// connected and lost, and the regime caption in both verdicts.
TEST_F(CaptionContrastTest, TariffButtonsStatusPanelsAndTheRegimeReadOnTheScreenInEveryState) {
    TForm1 &w = Create(1920, 1080);
    w.Show();
    Press(w.Panel163);  // "Ust."
    Press(w.Panel157);  // the first tariff page
    w.TestedTariffNames[w.LayoutBase + 1] = QStringLiteral("2A");
    for (int selected : {1, 0}) {
        ClickOnScreen(w, w.TariffSelPanels[selected]);
        ASSERT_EQ(w.CurrentTariff, selected);
        for (int t : {0, 1, 2})
            EXPECT_GE(ShownContrast(w.TariffSelPanels[t]), 4.5)
                << "tariff " << t + 1 << (t == selected ? " selected" : " not selected")
                << (t == 1 ? ", tested" : ", not tested");
    }
    for (bool connected : {true, false})
        for (TPanel *status : {w.Panel164, w.Panel393}) {
            TForm1::ShowChannelStatus(status, connected);
            EXPECT_GE(ShownContrast(status), 4.5)
                << status->Caption().toStdString() << (connected ? " connected" : " lost");
        }
    Press(w.Panel9);  // Ogl.
    TPanel *item = w.InspectionItemPanels[5];
    for (int mark = 0; mark < 3; ++mark) {  // "-", "ND", "+"
        ClickOnScreen(w, item);
        EXPECT_GE(ShownContrast(w.Panel13), 4.5) << "the regime with the item at " << item->Caption().toStdString();
    }
}

// A ticked box shows a white mark on its black face, an unticked one is white on the black page,
// and the certificate's box, which cannot be chosen after a failed inspection, is drawn greyed.
TEST_F(CaptionContrastTest, OptionBoxesShowWhetherTheyAreTickedAndWhetherTheyCanBeChosen) {
    TForm1 &w = Create(1366, 768);
    w.Show();
    Press(w.Panel163);  // "Ust."
    TPanel *box = w.Panel28;  // "Cena umowna"
    bool seen[2] = {};
    for (int click = 0; click < 2; ++click) {
        const bool ticked = box->Color() == clBlack;
        seen[ticked] = true;
        if (ticked) {
            EXPECT_GE(ShownContrast(box), 4.5) << "the mark of the ticked box";
        } else {
            EXPECT_EQ(CommonestPixel(box), ToQColor(clWhite).rgb());
            EXPECT_GE(ContrastRatio(box->Color(), box->Parent()->Color()), 3) << "the unticked box on its page";
        }
        ClickOnScreen(w, box);
    }
    EXPECT_TRUE(seen[0] && seen[1]);

    Press(w.Panel157);  // the first tariff page: the tariffs' enabled flags
    TPanel *flag = w.TariffActivePanels[0];
    if (flag->Color() != clBlack) ClickOnScreen(w, flag);
    ASSERT_EQ(flag->Color(), clBlack);
    EXPECT_GE(ShownContrast(flag), 4.5) << "the mark of a tariff enabled";

    Press(w.Panel9);  // Ogl.
    ClickOnScreen(w, w.InspectionItemPanels[5]);  // not met
    Press(w.Panel33);  // DRUKUJ
    ASSERT_TRUE(w.Panel7->Visible());
    ASSERT_FALSE(w.Panel249->Enabled());
    EXPECT_EQ(CommonestPixel(w.Panel249), ToQColor(clGrayText).rgb()) << "the certificate's box greyed";
    EXPECT_EQ(CommonestPixel(w.Panel246), ToQColor(w.Panel246->Color()).rgb()) << "an option that can be chosen";
    ClickOnScreen(w, w.Label150);  // the caption makes the certificate choosable again
    EXPECT_EQ(CommonestPixel(w.Panel249), ToQColor(clWhite).rgb());
}

// The job list's search edits: the grey hints and what the officer types both read.
TEST_F(CaptionContrastTest, TheJobListsSearchHintsAndTypedTextRead) {
    TForm1 &w = Create(1366, 768);
    w.Show();
    Press(w.Panel36);  // the saved jobs
    ASSERT_TRUE(w.Panel38->Visible());
    ClickOnScreen(w, w.Edit467);
    TypeOver(w.Edit467, QStringLiteral("WN/12"));
    for (TEdit *edit : w.SzukajEdits)
        EXPECT_GE(ShownContrast(edit), 4.5)
            << edit->Text().toStdString() << (edit->Font().Color() == clGray ? " (a hint)" : " (typed)");
}

}  // namespace
