#include "app/form1.h"
#include "printing/checklist_page.h"

void TForm1::SetPrintOgledziny(TCanvas &canvas, int m) {
    printing::InspectionAnnexData data;
    data.ownFamily = MeterFamily != 0;
    data.typeDesignation = Edit20->Text();
    data.serialNumber = Edit21->Text();
    for (size_t i = 0; i < data.marks.size(); ++i) data.marks[i] = InspectionItemPanels[i]->Caption();
    printing::DrawInspectionAnnex(canvas, m, data);
}
