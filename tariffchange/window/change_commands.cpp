// The commands of the tariff-layout change procedure: the "Z/U" panel and its question, the
// inspection checklist's answers and the before/after view switch.
#include "app/command_table.h"
#include "app/form1.h"
#include "tariffchange/change_record.h"

void TForm1::ZuPanelCommand() {
    if (ZuModeOn != 0) {
        SetLit(Panel342, false);
        ZmianaUkladow(0);
        Panel162->SetColor(clInactiveCaptionText);
        Legalizacja(1);
        if (DllLoaded == 1) OdczytNrDev();
        return;
    }
    Panel239->SetEnabled(false);
    Panel384->SetVisible(true);
}

void TForm1::ZuQuestionCommand(bool yes) {
    Panel239->SetEnabled(true);
    Panel384->SetVisible(false);
    if (!yes) return;
    SetLit(Panel342, true);
    Panel162->SetColor(clInactiveCaptionText);
    Legalizacja(1);
    ZmianaUkladow(1);
}

bool TForm1::GetStatusOgledzinZU() {
    std::array<bool, tariffchange::kInspectionItems> yes{};
    for (int item = 0; item < tariffchange::kInspectionItems; ++item)
        yes[static_cast<size_t>(item)] =
            ButtonPanels[static_cast<size_t>(kFirstInspectionPanel + item)]->Caption() == QStringLiteral("TAK");
    const std::string failed = tariffchange::FailedInspectionItems(yes);
    Memo1->SetText(failed.empty() ? QString()
                                  : QStringLiteral("OGLĘDZINY ZEWNĘTRZNE: poz. ") + QString::fromStdString(failed));
    return !failed.empty();
}

void TForm1::ZuInspectionAnswerCommand(int32_t command) {
    TPanel *answer = ButtonPanels[static_cast<size_t>(kFirstInspectionPanel + command - 42)];
    answer->SetCaption(answer->Caption() == QStringLiteral("TAK") ? QStringLiteral("NIE") : QStringLiteral("TAK"));
    GetStatusOgledzinZU();
}

void TForm1::ZuViewCommand() {
    ZmianaView = ZmianaView == 1 ? 0 : 1;
    Label423->SetCaption(ZmianaView == 1 ? QStringLiteral("Po zmianie") : QStringLiteral("Przed zmianą"));
    SetCenterPositionHorizontal(Label423, Panel343);
    CopyEditBufZmiana(false);
}

std::span<const commands::Row> commands::TariffChangeRows() {
    static constexpr auto answer = [](TForm1 &form, int32_t command) { form.ZuInspectionAnswerCommand(command); };
    static const Row rows[] = {
        {41, [](TForm1 &form, int32_t) { form.ZuPanelCommand(); }},
        {42, answer}, {43, answer}, {44, answer}, {45, answer}, {46, answer}, {47, answer},
        {48, answer}, {49, answer}, {50, answer}, {51, answer}, {52, answer}, {53, answer},
        {54, answer}, {55, answer}, {56, answer}, {57, answer},
        {58, [](TForm1 &form, int32_t) { form.ZuViewCommand(); }},
        {59, [](TForm1 &form, int32_t) { form.ZuQuestionCommand(true); }},
        {60, [](TForm1 &form, int32_t) { form.ZuQuestionCommand(false); }},
    };
    return rows;
}
