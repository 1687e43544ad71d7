// The verdict shown on the window: the reasons in Memo1, the "no results" label and the regime's
// colour, computed by the evaluation core from the window's controls.
#include <algorithm>

#include "app/form1.h"
#include "evaluation/verdict.h"

uint8_t TForm1::GetPrzekroczenie() {
    evaluation::VerdictControls controls;
    controls.ChangeModeOn = Lit(Panel342);
    controls.BothModeButtonsGrey =
        Panel162->Color() == clInactiveCaptionText && Panel163->Color() == clInactiveCaptionText;
    controls.TestedTariffsEmpty = Edit8->Text().isEmpty();
    controls.VehicleResults = VehicleResults;
    for (int i = 0; i < evaluation::kInspectionItems; ++i)
        controls.ItemMarks[i] = InspectionItemPanels[i]->Caption().toStdString();
    const evaluation::VerdictView view = evaluation::ComputeVerdict(*this, controls);
    if (view.ReasonLines) {
        Memo1->Lines().Clear();
        for (const std::string &line : *view.ReasonLines) Memo1->Lines().Add(QString::fromStdString(line));
        // The memo shows two lines: scroll to the first reason, so it is seen even on line 3.
        const auto first = std::find_if(view.ReasonLines->begin(), view.ReasonLines->end(),
                                        [](const std::string &line) { return !line.empty(); });
        Memo1->ScrollToLine(
            first == view.ReasonLines->end() ? 0 : static_cast<int>(first - view.ReasonLines->begin()));
    }
    if (view.NoResultsLabelVisible) Label218->SetVisible(*view.NoResultsLabelVisible);
    if (view.RegimeFontRed) {
        // Red reads at 4:1 at most on white; on black it reads at 5.3:1.
        Panel13->Font().SetColor(*view.RegimeFontRed ? clRed : clBlack);
        Panel13->SetColor(*view.RegimeFontRed ? clBlack : clWhite);
    }
    return view.Failed ? 1 : 0;
}

bool TForm1::ClickPanelOgl(TPanel *panel) {
    panel->SetCaption(QString::fromStdString(evaluation::NextInspectionMark(panel->Caption().toStdString())));
    return GetPrzekroczenie() != 0;
}

void TForm1::Panel292Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[0]);
}
void TForm1::Panel293Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[1]);
}
void TForm1::Panel294Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[2]);
}
void TForm1::Panel295Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[3]);
}
void TForm1::Panel296Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[4]);
}
void TForm1::Panel298Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[5]);
}
void TForm1::Panel297Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[6]);
}
void TForm1::Panel299Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[7]);
}
void TForm1::Panel300Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[8]);
}
void TForm1::Panel301Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[9]);
}
void TForm1::Panel302Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[10]);
}
void TForm1::Panel303Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[11]);
}
void TForm1::Panel304Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[12]);
}
void TForm1::Panel305Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[13]);
}
void TForm1::Panel306Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[14]);
}
void TForm1::Panel307Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[15]);
}
void TForm1::Panel308Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[16]);
}
void TForm1::Panel309Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[17]);
}
void TForm1::Panel310Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[18]);
}
void TForm1::Panel311Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[19]);
}
void TForm1::Panel312Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[20]);
}
void TForm1::Panel313Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[21]);
}
void TForm1::Panel314Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[22]);
}
void TForm1::Panel281Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[23]);
}
void TForm1::Panel315Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[24]);
}
void TForm1::Panel65Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[25]);
}
void TForm1::Panel64Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[26]);
}
void TForm1::Panel57Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[27]);
}
void TForm1::Panel68Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[28]);
}
void TForm1::Panel69Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[29]);
}
void TForm1::Panel60Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[30]);
}
void TForm1::Panel66Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[31]);
}
void TForm1::Panel50Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[32]);
}
void TForm1::Panel381Click(TObject *) {
    ClickPanelOgl(InspectionItemPanels[33]);
}
