// Queued commands: a press on a command panel lowers it and arms Timer6; the tick runs the command
// once, outside the click handler, through the dispatch table. The shell's own commands are here.
#include <algorithm>
#include <array>
#include <span>

#include "app/command_table.h"
#include "app/form1.h"
#include "app/scoped_flag.h"

namespace {

constexpr int kFirstTabCommand = 14;  // "Param." .. "Ogl." are commands 14 .. 20
constexpr int kExitPanelIndex = 23;
constexpr int kExitCommand = 24;

// The command each panel of ButtonPanels queues, by its index; -1 for the hidden "<" (index 0) and
// the second entries of ">" and "<" (10, 11), which no press reaches.
constexpr std::array<int8_t, 65> kPanelCommand = {
    -1, 1,  2,  3,  4,  5,  6,  7,  9,  10, -1, -1, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
    23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 35, 36, 37, 38, 39, 41, 42, 43, 44, 45, 46,
    47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67};

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
    if (DllLoaded == 1) OdczytNrDev();
    ResetLiveCourse();
}

void TForm1::StopCommand() {
    StopCaptureReplay();
    Panel169->Hide();
    TestPelgrivator(0);
}

void TForm1::CloseKeyboardCommand() {
    Panel171->Hide();
    Panel239->Show();
}

void TForm1::LeaveScanScreenCommand() {
    const int current = CurrentTariff;
    CloseScanScreen();
    // The intake may have filled the tariff stores: every tariff is shown afresh.
    for (int tariff = 0; tariff < 8; ++tariff) UpdatePnelTaryf(tariff);
    UpdatePnelTaryf(current);
}

void TForm1::InspectionNoticeOkCommand() {
    Panel279->Hide();
    Panel239->SetEnabled(true);
    Memo1->SetFocus();
}

std::span<const commands::Row> commands::ShellRows() {
    static constexpr auto page = [](TForm1 &form, int32_t command) { form.ShowPageCommand(command); };
    static constexpr Row rows[] = {
        {0, page},
        {2, [](TForm1 &, int32_t) { Application->Minimize(); }},
        {13, [](TForm1 &form, int32_t) { form.UsunWyniki(); }},
        {14, page}, {15, page}, {16, page}, {17, page}, {18, page}, {19, page}, {20, page},
        {21, [](TForm1 &form, int32_t) { form.VerificationModeCommand(); }},
        {22, [](TForm1 &form, int32_t) { form.MeasuringModeCommand(); }},
        {23, [](TForm1 &form, int32_t) { form.StopCommand(); }},
        {24, [](TForm1 &form, int32_t) { form.ExitCommand(); }},
        {25, [](TForm1 &form, int32_t) { form.CloseKeyboardCommand(); }},
        {29, [](TForm1 &form, int32_t) { form.OpenScanScreen(); }},
        {30, [](TForm1 &form, int32_t) { form.LeaveScanScreenCommand(); }},
        {35, [](TForm1 &form, int32_t) { form.InspectionNoticeOkCommand(); }},
    };
    return rows;
}

void TForm1::ResetLiveCourse() {
    ResetCourses();
    ForgetCourseCounts();
    ClearMemoData();
    for (TLabel *label : {Label465, Label466, Label467}) label->SetCaption(QStringLiteral("---"));
    Label469->SetCaption(Label468->Caption());
    Label470->SetCaption(Label468->Caption());
    Label471->SetCaption(QStringLiteral("WOLNY"));
    Label471->Font().SetColor(clRed);
}

void TForm1::CommandPanelClick(TObject *Sender) {
    // A caption label standing on a command panel acts as the panel.
    if (const auto *caption = dynamic_cast<TLabel *>(Sender)) Sender = caption->Parent();
    const auto indexIn = [Sender](std::span<TPanel *const> panels) {
        const auto found = std::find(panels.begin(), panels.end(), Sender);
        return found == panels.end() ? -1 : static_cast<int>(found - panels.begin());
    };
    if (const int row = indexIn(JobRowPanels); row >= 0) return ClickButton(0, 8, row, 0);
    if (const int row = indexIn(JobHidePanels); row >= 0) return ClickButton(0, 34, 0, row);
    if (const int slot = indexIn(ResultSlotPanels); slot >= 0) return ClickButton(slot, 40, 0, 0);
    // "<" and ">" stand twice in ButtonPanels: the first index is the one their press queues.
    const int index = indexIn(ButtonPanels);
    if (index < 0 || kPanelCommand[index] < 0) return;
    ClickButton(index, kPanelCommand[index], 0, 0);
}

void TForm1::Panel6Click(TObject *) {
    Panel6->SetBevelOuter(bvLowered);
    ButtonPanelIndex = kExitPanelIndex;
    ButtonId = kExitCommand;
    Timer6->SetEnabled(true);
}
