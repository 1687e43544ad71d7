#include "app/form1.h"
#include "platform/gui/bitmap.h"
#include "printing/certificate.h"
#include "printing/duplicate_mark.h"
#include "printing/window/annex_b_pages.h"

void TForm1::SetPrintAddingPage6(TCanvas &canvas, int m, int, int, int) {
    printing::CertificateJob job;
    for (TEdit *edit : {Edit7, Edit20, Edit21, Edit22, Edit23, Edit24, Edit35, Edit38, Edit107, Edit111, Edit434,
                        Edit457, Edit458, Edit473, Edit482, Edit486})
        job.texts[edit->Name()] = edit->Text();
    for (TMemo *memo : {Memo3, Memo4, Memo5, Memo10, Memo22}) job.memos[memo->Name()] = memo->Lines().Lines();
    for (int i = 0; i < 6; ++i) {
        // The additional devices' lines, where the window has them.
        if (auto *device = dynamic_cast<TEdit *>(FindComponent("Edit" + QString::number(459 + i))))
            job.devices[i] = device->Text();
        job.markNames[i] = MarkNameEdits[i]->Text();
        job.markCounts[i] = MarkCountEdits[i]->Text();
    }
    job.meterFamily = MeterFamily;
    job.approvalRegime = ApprovalRegime;
    job.duplicate = Panel383->Color() == clBlack;
    job.workingModeOn = Lit(Panel162) || Lit(Panel163);
    job.roles = {Panel232->Color() == clBlack, Panel233->Color() == clBlack, Panel234->Color() == clBlack};
    job.recordSaveDate = RecordSaveDate;
    job.today = printing::Today();
    std::array<uint8_t, 16> active{};
    job.activeTariffs = GetActivTaryf(active);
    job.printScale = PrintScale;
    job.emblem = Image1->Picture().Graphic();
    if (Image5->Picture().Graphic() == nullptr) {
        // The watermark is drawn once, the first time a certificate needs it.
        TBitmap mark;
        mark.SetImage(printing::DuplicateWatermark());
        Image5->Picture().SetGraphic(&mark);
    }
    job.duplicateMark = Image5->Picture().Graphic();
    printing::DrawCertificate(canvas, m, job, *templab, PrintDevice);
}
