// Every caption of the window reads against what stands behind it: a contrast of at least 4.5:1
// (relative luminance of the sRGB colours), in the colours the window starts with and in the
// states the mode panels, tabs and options take.
#include <cmath>
#include <string>
#include <vector>

#include "tests/app/shell_fixture.h"

namespace {

double Luminance(TColor color) {
    const uint32_t bgr = ColorToRGB(color);
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};  // red, green, blue
    for (int channel = 0; channel < 3; ++channel) {
        const double c = ((bgr >> (8 * channel)) & 0xFF) / 255.0;
        sum += weights[channel] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
        const double ratio = Contrast(control->Font().Color(), Behind(control));
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
        EXPECT_GE(Contrast(w.Panel13->Font().Color(), w.Panel13->Color()), 4.5) << item->Caption().toStdString();
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

}  // namespace
