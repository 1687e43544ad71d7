// Queued commands of the page tabs, the mode panels and "STOP": a press lowers the panel and arms
// Timer6; its tick runs the command once, outside the click handler.
#include <algorithm>
#include <span>

#include "app/form1.h"
#include "app/scoped_flag.h"

namespace {

constexpr int kFirstTabIndex = 13;  // ButtonPanels 13..19: "Param." .. "Ogl."
constexpr int kFirstTabCommand = 14;

}  // namespace

void TForm1::ClickButton(uint8_t panelIndex, uint8_t buttonId, uint8_t row, uint8_t delRow) {
    ButtonId = buttonId;
    ButtonRow = row;
    ButtonDelRow = delRow;
    ButtonPanelIndex = panelIndex;
    ButtonPanelIndexByte = panelIndex;
    PressedPanel()->SetBevelOuter(bvLowered);
    Timer6->SetEnabled(true);
}

TPanel *TForm1::PressedPanel() const {
    switch (ButtonId) {
        case 8: return JobRowPanels.at(ButtonRow);
        case 34: return JobHidePanels.at(ButtonDelRow);
        case 40: return ResultSlotPanels.at(ButtonPanelIndexByte);
        default: return ButtonPanels.at(ButtonPanelIndex);
    }
}

void TForm1::TimerButton() {
    Timer6->SetEnabled(false);
    if (ButtonBusy != 0) return;  // a command still running: the queued one is dropped
    const ScopedFlag busy(ButtonBusy);
    HeadButton();
}

void TForm1::HeadButton() {
    PressedPanel()->SetBevelOuter(bvRaised);
    // A command may queue or run another one (the measuring-run bar runs command 0): the number is
    // read once.
    const int32_t command = ButtonId;
    if (command == 0) {
        PageFunction(CurrentPage);
        SelectTab(CurrentPage);
    } else if (command >= kFirstTabCommand && command < kFirstTabCommand + 7) {
        PageFunction(command - kFirstTabCommand);
        CurrentPage = command - kFirstTabCommand;
        SelectTab(CurrentPage);
    } else if (command == 21) {
        if (Lit(Panel163)) return;
        Legalizacja(0);
        TariffSelPanels[CurrentTariff]->SetColor(clInactiveCaptionText);
        UpdatePnelTaryf(CurrentTariff);
    } else if (command == 22) {
        if (Lit(Panel162)) return;
        if (!Lit(Panel163)) {
            Edit14->SetText(QStringLiteral("---"));
            Edit15->SetText(QStringLiteral("---"));
            Label155->SetCaption(QString());
        }
        CalcModeState = 0;
        Legalizacja(1);
        TariffSelPanels[CurrentTariff]->SetColor(clWhite);
        UpdatePnelTaryf(CurrentTariff);
        ResetLiveCourse();
    } else if (command == 23) {
        StopCaptureReplay();
        Panel169->Hide();
        TestPelgrivator(0);
    } else if (command == 26) {
        StartCaptureReplay();
    } else if (command == 61) {
        PageFunction(7);
        SelectTab(7);
    }
}

void TForm1::ResetLiveCourse() {
    KursLicznik = 0;
    for (TLabel *label : {Label465, Label466, Label467}) label->SetCaption(QStringLiteral("---"));
    Label469->SetCaption(Label468->Caption());
    Label470->SetCaption(Label468->Caption());
    Label471->SetCaption(QStringLiteral("WOLNY"));
    Label471->Font().SetColor(clRed);
    KursSystem = 0;
    KursTaryfa = 0xFF;
    KursTariffBytes = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
}

void TForm1::PageTabClick(TObject *Sender) {
    const auto tabs = std::span(ButtonPanels).subspan(kFirstTabIndex, 7);
    const auto tab = std::find(tabs.begin(), tabs.end(), Sender);
    if (tab == tabs.end()) return;
    const int index = kFirstTabIndex + static_cast<int>(tab - tabs.begin());
    ClickButton(index, index - kFirstTabIndex + kFirstTabCommand, 0, 0);
}

void TForm1::Panel163Click(TObject *) { ClickButton(20, 21, 0, 0); }

void TForm1::Panel162Click(TObject *) { ClickButton(21, 22, 0, 0); }

void TForm1::Panel167Click(TObject *) { ClickButton(22, 23, 0, 0); }
