#include "app/form1.h"
#include "platform/gui/printer.h"
#include "printing/check_protocol.h"

void TForm1::SetPrintAddingPage(TCanvas &canvas, int m, int, int, int) {
    printing::CheckProtocolData data;
    for (const QString &name : printing::CheckProtocolEditNames()) {
        if (auto *edit = dynamic_cast<TEdit *>(FindComponent(name))) data.edits[name] = edit->Text();
    }
    for (const QString &name : printing::CheckProtocolMemoNames()) {
        if (auto *memo = dynamic_cast<TMemo *>(FindComponent(name))) data.memos[name] = memo->Lines().Lines();
    }
    data.zt = ApprovalRegime == 0;
    data.meterFamily = MeterFamily;
    // The verdict words come from a fresh evaluation of the verdict.
    GetPrzekroczenie();
    data.verdictStatus = VerdictStatus;
    data.repairerApplies = Panel232->Color() == clBlack;
    data.installerApplies = Panel233->Color() == clBlack;
    data.userApplies = Panel234->Color() == clBlack;
    data.printDate = Panel282->Color() == clBlack;
    printing::DrawCheckProtocol(canvas, m, PrintDevice != nullptr ? PrintDevice->PageWidth() : 0, data);

    // The annex titles and the notified-body lines, for the documents printed after the protocol.
    try {
        SaveAnnexTitles();
    } catch (const Exception &) {
        // The page is printed all the same; the file is written again on the next print.
    }
    Memo16->Lines().Clear();
}
