// The verdict shown on the window: the reasons in Memo1, the "no results" label and the regime's
// colour, computed by the evaluation core from the window's controls.
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
    }
    if (view.NoResultsLabelVisible) Label218->SetVisible(*view.NoResultsLabelVisible);
    if (view.RegimeFontRed) Panel13->Font().SetColor(*view.RegimeFontRed ? clRed : clBlack);
    return view.Failed ? 1 : 0;
}
