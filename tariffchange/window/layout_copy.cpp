// The tariff pages while the change procedure is on: they show, and the officer edits, one side of
// the layout copy (before or after the change) instead of the normal tariff stores.
#include "app/form1.h"
#include "app/scoped_flag.h"

namespace {

const QString kNone = QStringLiteral("---");

QString Shown(const std::string &text) {
    return text.empty() ? kNone : QString::fromStdString(text);
}

}  // namespace

bool TForm1::StoreZmianaEdit() {
    if (!Lit(Panel342)) return false;
    CopyEditBufZmiana(true);
    return true;
}

void TForm1::CopyEditBufZmiana(bool store) {
    if (ZmianaBusy != 0) return;
    const ScopedFlag busy(ZmianaBusy);
    const int t = CurrentTariff;
    const int b = t > 3 ? 4 : 0;
    const int s = t + LayoutBase;
    const int g = s / 4;
    const int h = t / 4;
    const tariffchange::ZuLayout side = Layout(ZmianaView);
    const auto text = [](TEdit *edit) { return edit->Text().toStdString(); };
    const auto param = [this](int row, int tariff) {
        return TariffPanelEdits[static_cast<size_t>(8 * row + tariff)];
    };
    const auto ug = static_cast<size_t>(g);
    if (store) {
        // The initial fee goes last for the other family, as its readout writes it last.
        for (int row = MeterFamily == 1 ? 0 : 1; row < 5; ++row)
            side.params[static_cast<size_t>(row)][static_cast<size_t>(s)] = text(param(row, t));
        side.groupUnits[0][ug] = text(h == 0 ? Edit98 : Edit88);
        side.groupUnits[2][ug] = text(h == 0 ? Edit100 : Edit112);
        side.jdoplaty[static_cast<size_t>(s)] = text(TariffJdoplEdits[static_cast<size_t>(t)]);
        if (MeterFamily != 1) side.params[0][static_cast<size_t>(s)] = text(param(0, t));
    } else {
        for (int row = 0; row < 5; ++row)
            for (int j = 0; j < 4; ++j)
                param(row, b + j)
                    ->SetText(Shown(
                        side.params[static_cast<size_t>(row)][static_cast<size_t>(LayoutBase + b + j)]));
        (h == 0 ? Edit527 : Edit528)
            ->SetText(MeterFamily != 1               ? kNone
                      : side.initialSegment[ug] != 0 ? QStringLiteral("TAK")
                                                     : QStringLiteral("NIE"));
        (h == 0 ? Edit526 : Edit525)->SetText(Shown(side.maxSurcharge[ug]));
        (h == 0 ? Edit98 : Edit88)->SetText(Shown(side.groupUnits[0][ug]));
        (h == 0 ? Edit100 : Edit112)->SetText(Shown(side.groupUnits[2][ug]));
        for (int j = 0; j < 4; ++j)
            TariffJdoplEdits[static_cast<size_t>(b + j)]->SetText(
                Shown(side.jdoplaty[static_cast<size_t>(LayoutBase + b + j)]));
        const QString active = QStringLiteral("UKŁAD TARYF AKTYWNY od ") + Shown(side.validity[ug]) +
                               QStringLiteral(" do ") + Shown(side.validity[ug + 4]);
        Label220->SetCaption(active);
        Label219->SetCaption(active);
        // A group the meter gave no page letter (0) adds nothing to a caption.
        const auto letter = [this](int group) {
            const uint8_t code = LayoutPageCodes[static_cast<size_t>(4 * ZmianaView + group)];
            return code == 0 ? QString() : QString(QChar(code));
        };
        for (int j = 0; j < 4; ++j) {
            const QString own = letter(g) + QString::number(j + 1);
            TariffLayoutLabels[static_cast<size_t>(j)]->SetCaption(MeterFamily == 1 ? own
                                                                                    : QString::number(j + 1));
            TariffLayoutLabels[static_cast<size_t>(4 + j)]->SetCaption(
                MeterFamily == 1 ? own : QString::number(j + 5));
            const TColor colour = side.enabled[static_cast<size_t>(4 * g + j)] != 0 ? clBlack : clWhite;
            TariffActivePanels[static_cast<size_t>(j)]->SetColor(colour);
            TariffActivePanels[static_cast<size_t>(4 + j)]->SetColor(colour);
        }
        if (MeterFamily == 1) {
            Panel319->SetCaption(letter(g));
            Panel320->SetCaption(letter(g));
            Panel157->SetCaption(QStringLiteral("Tar.") + letter(0) + QStringLiteral("-") + letter(1));
            Panel158->SetCaption(QStringLiteral("Tar.") + letter(2) + QStringLiteral("-") + letter(3));
        } else {
            Panel157->SetCaption(QStringLiteral("Tar.1-4"));
            Panel158->SetCaption(QStringLiteral("Tar.5-8"));
        }
    }
}

void TForm1::ResetChangeLayouts() {
    ResetZuStores();
    LayoutPageCodes.fill(0);
    ChangedTariffsMask = 0;
}
