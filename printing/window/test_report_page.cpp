#include "app/form1.h"
#include "printing/test_report.h"

namespace {

QString TwoLines(const TMemo *memo) {
    return memo->Lines().StringOrEmpty(0) + ", " + memo->Lines().StringOrEmpty(1);
}

printing::TestReportData ReportData(const TForm1 &w) {
    printing::TestReportData data;
    data.today = Date();
    data.applicant = TwoLines(w.Memo5);
    data.maker = TwoLines(w.Memo3);
    data.serialNumber = w.Edit21->Text();
    data.productionDate = w.Edit22->Text();
    data.certificate = w.Edit23->Text();
    data.software = w.Edit24->Text() + "/" + w.Edit434->Text();
    data.calculationMode = w.Edit12->Text();
    data.meterConstant = w.Edit107->Text();
    data.cashRegisterTariff = w.Edit25->Text();
    data.station = w.Edit27->Text() + " Nr " + w.Edit28->Text();
    data.discount = w.Panel29->Color() == clBlack;
    data.contractPrice = w.Panel28->Color() == clBlack;
    data.fiscalMode = w.TrybFiskalny;
    data.pageCode = w.TariffPageCode;
    data.optionFlags = w.TivarOptionFlags;
    for (size_t group = 0; group < 4; ++group) {
        data.groupDates[2 * group] = w.TariffGroupTexts[group][0];
        data.groupDates[2 * group + 1] = w.TariffGroupTexts[group][1];
        data.tariffUnit[group] = QString::fromStdString(w.TariffGroupUnits[evaluation::kJT][group]);
        data.initialSegmentFlag[group] = w.TariffGroupFlag[group];
        data.groupMaxSurcharge[group] = QString::fromStdString(w.GroupMaxSurcharge[group]);
    }
    data.groupActiveTariffs = w.TariffPageActiveCount;
    for (size_t row = 0; row < 5; ++row)
        for (size_t slot = 0; slot < 16; ++slot)
            data.tariffParams[row][slot] = QString::fromStdString(w.TariffParams[row][slot]);
    for (size_t slot = 0; slot < 16; ++slot)
        data.surchargeUnit[slot] = QString::fromStdString(w.TariffJdoplaty[slot]);
    data.headPicture = w.Image2->Picture().Graphic();
    data.sidePicture = w.Image6->Picture().Graphic();
    data.annexes = {w.Edit495->Text(), w.Edit496->Text(), w.Edit497->Text()};
    return data;
}

}  // namespace

void TForm1::SetPrintProtokolBadan(TCanvas &canvas, int m) {
    printing::DrawTestReportPage1(canvas, m, ReportData(*this));
}

void TForm1::SetPrintProtokolBadan2(TCanvas &canvas, int m) {
    printing::DrawTestReportPage2(canvas, m, ReportData(*this));
    SaveAnnexList();
}
