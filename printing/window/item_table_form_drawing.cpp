#include "app/form1.h"
#include "printing/item_table_form.h"

namespace {

// The captions of the mark panels Panel<first> onwards.
template <size_t N>
std::array<QString, N> Marks(const TForm1 &window, int first) {
    std::array<QString, N> marks;
    for (size_t i = 0; i < N; ++i)
        marks[i] =
            dynamic_cast<TPanel &>(*window.FindComponent(QString("Panel%1").arg(first + static_cast<int>(i))))
                .Caption();
    return marks;
}

}  // namespace

void TForm1::SetPrintAddingPage2(TCanvas &canvas, int m) {
    printing::InspectionTableData data;
    data.ownFamily = MeterFamily != 0;
    data.typeDesignation = Edit20->Text();
    data.serialNumber = Edit21->Text();
    data.marks = Marks<17>(*this, 292);
    printing::DrawInspectionTable(canvas, m, data);
}

void TForm1::SetPrintAddingPage3(TCanvas &canvas, int m) {
    printing::DrawInspectionTableRows9To15(canvas, m, Marks<7>(*this, 300));
}

void TForm1::SetPrintAddingPage4(TCanvas &canvas, int m) {
    printing::DrawInspectionTableRows16To22(canvas, m, Marks<7>(*this, 307));
}

void TForm1::SetPrintAddingPage5(TCanvas &canvas, int m) {
    printing::DrawInspectionTableRows23To24(canvas, m, Marks<2>(*this, 314));
}
