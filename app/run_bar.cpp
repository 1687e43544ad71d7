// The measuring-run bar: opened when the interface starts a test (the main screen is disabled, only
// "STOP" stays usable), animated by Timer7, closed by "STOP" or the end of the run.
#include "app/form1.h"
#include "app/run_bar_steps.h"
#include "platform/runtime/datetime.h"

namespace {

constexpr int kStopIndex = 22;  // "STOP" in ButtonPanels
constexpr int kLiveCourseCommand = 61;

}  // namespace

void TForm1::TestPelgrivator(uint8_t on) {
    if (on == 0) {
        EnableButton(1);
        Timer7->SetEnabled(false);
        Panel165->Hide();
        Panel167->Hide();
        MidReadoutPending = 1;
        Panel239->SetEnabled(true);
        TestReturn = 0;
        Timer13->SetEnabled(true);
        return;
    }
    Timer13->SetEnabled(false);
    if (Panel165->Visible()) return;
    LegResetPending = Panel392->Color() == clBlack ? 1 : 0;
    Panel165->Show();
    DistanceTestDone = 0;
    Panel167->Show();
    Panel167->SetLeft(Panel165->Left() + Panel165->Width() - Panel167->Width());
    Panel167->SetTop(Panel165->Top());
    Panel239->SetEnabled(false);
    Timer7->SetEnabled(true);
    ButtonId = 0;
    CurrentPage = 0;
    if (Timer8->Enabled()) {
        Label112->SetCaption(QStringLiteral("PLIK"));
    } else {
        Label112->SetCaption(QStringLiteral("TEST"));
        if (Panel393->Color() == clGreen) ButtonId = kLiveCourseCommand;
    }
    HeadButton();
}

void TForm1::TimerProgressTest() {
    ProgressBar1->SetPosition(shell::NextProgressPosition(ProgressBar1->Position()));
}

void TForm1::EnableButton(uint8_t enabled) {
    for (int i = 0; i < static_cast<int>(ButtonPanels.size()); ++i)
        if (i != kStopIndex) ButtonPanels[i]->SetEnabled(enabled != 0);
    for (TPanel *button : TariffSelPanels) button->SetEnabled(enabled != 0);
    Panel126->SetEnabled(enabled != 0);
    Panel127->SetEnabled(enabled != 0);
}

QString TForm1::Data() {
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    return shell::DateText(year, month, day);
}
