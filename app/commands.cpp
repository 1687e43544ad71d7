// Queued commands of the page tabs, the mode panels and "STOP": a press lowers the panel and arms
// Timer6; its tick runs the command once, outside the click handler.
#include <algorithm>
#include <span>

#include "app/command_table.h"
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
    if (const commands::Action run = commands::Find(command)) run(*this, command);
}

void TForm1::ShowPageCommand(int32_t command) {
    if (command == 0) {
        PageFunction(CurrentPage);
    } else {
        CurrentPage = command - kFirstTabCommand;
        PageFunction(CurrentPage);
    }
    SelectTab(CurrentPage);
}

void TForm1::VerificationModeCommand() {
    if (Lit(Panel163)) return;
    Legalizacja(0);
    TariffSelPanels[CurrentTariff]->SetColor(clInactiveCaptionText);
    UpdatePnelTaryf(CurrentTariff);
}

void TForm1::MeasuringModeCommand() {
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
}

void TForm1::StopCommand() {
    StopCaptureReplay();
    Panel169->Hide();
    TestPelgrivator(0);
}

std::span<const commands::Row> commands::ShellRows() {
    static constexpr auto page = [](TForm1 &form, int32_t command) { form.ShowPageCommand(command); };
    static constexpr Row rows[] = {
        {0, page},
        {14, page}, {15, page}, {16, page}, {17, page}, {18, page}, {19, page}, {20, page},
        {21, [](TForm1 &form, int32_t) { form.VerificationModeCommand(); }},
        {22, [](TForm1 &form, int32_t) { form.MeasuringModeCommand(); }},
        {23, [](TForm1 &form, int32_t) { form.StopCommand(); }},
    };
    return rows;
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
