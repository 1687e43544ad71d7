#include "app/form1.h"
#include "printing/inspection_table.h"

void TForm1::SetPrintAddingPage2(TCanvas &canvas, int m) {
    printing::InspectionTableData data;
    data.ownFamily = MeterFamily != 0;
    data.typeDesignation = Edit20->Text();
    data.serialNumber = Edit21->Text();
    for (size_t i = 0; i < data.marks.size(); ++i)
        data.marks[i] = dynamic_cast<TPanel &>(*FindComponent(QString("Panel%1").arg(292 + i))).Caption();
    printing::DrawInspectionTable(canvas, m, data);
}
