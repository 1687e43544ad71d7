// The tariff buttons, parameter-page headings and page-code panels of the tariff screen: numbered
// 1..8 for NOVITIUS, named by the meter's page letter and place (A1..A4) for the own family.
#include "app/form1.h"

namespace {

const QString kNone = QStringLiteral("---");

bool ValidPageLetter(uint8_t letter) {
    return letter == 'A' || letter == 'C' || letter == 'E' || letter == 'H' || letter == 'F';
}

QString TariffCaption(uint8_t letter, int place) {
    return ValidPageLetter(letter) ? QChar(letter) + QString::number(place) : kNone;
}

QString LetterOrDash(uint8_t letter) { return ValidPageLetter(letter) ? QString(QChar(letter)) : QStringLiteral("-"); }

}  // namespace

void TForm1::MoveInitialFeesToFirstColumn() {
    Edit352->SetLeft(Edit40->Left());
    Edit121->SetLeft(Edit46->Left());
}

void TForm1::SetPaneleTaryf(uint8_t family, int page, int half) {
    const bool resultsOrCounters = page == 3 || page == 4;
    if (family == 0) {
        SetNovitiusTariffPanels(page, resultsOrCounters);
        return;
    }
    MoveInitialFeesToFirstColumn();
    for (int t = 0; t < 8; ++t) TariffParamEdits[t]->Show();
    if (page == 1 || page == 2) SetOwnTariffHalf(page, half);
    if (resultsOrCounters) {
        const uint8_t first = TariffPageCode[half == 1 ? 0 : 2];
        const uint8_t second = TariffPageCode[half == 1 ? 1 : 3];
        for (int j = 0; j < 4; ++j) {
            TariffSelPanels[j]->SetCaption(TariffCaption(first, j + 1));
            TariffSelPanels[j + 4]->SetCaption(TariffCaption(second, j + 1));
        }
        const QString layout = LetterOrDash(first) + QStringLiteral("-") + LetterOrDash(second);
        Panel318->SetCaption(layout);
        Panel317->SetCaption(layout);
        for (TPanel *button : TariffSelPanels) button->Show();
    }
}

// One fee per group of four: the initial fee of tariffs 1 and 5 stands in the tariff-unit column.
void TForm1::SetNovitiusTariffPanels(int page, bool resultsOrCounters) {
    for (int t = 0; t < 8; ++t) {
        if (resultsOrCounters) TariffSelPanels[t]->Show();
        TEdit *initialFee = TariffParamEdits[t];
        const bool firstOfGroup = t % 4 == 0;
        initialFee->SetVisible(firstOfGroup);
        if (firstOfGroup) initialFee->SetLeft(Edit98->Left());
        TariffSelPanels[t]->SetCaption(QString::number(t + 1));
    }
    const std::array<TLabel *, 4> secondHeadings{Label269, Label270, Label271, Label272};
    for (int j = 0; j < 4; ++j) {
        TPanel *first = TariffSelPanels[j];
        TPanel *second = TariffSelPanels[j + 4];
        if (page == 1) {
            first->Show();
            first->SetCaption(QString::number(j + 1));
            second->Hide();
        } else if (page == 2) {
            first->Hide();
            second->Show();
            second->SetCaption(QString::number(j + 5));
            secondHeadings[j]->SetCaption(second->Caption());
        }
    }
}

// The own family's tabs are its two layouts, each shown as two halves of four tariffs. In the
// layout-change procedure the buttons are hidden and the letters come from the layout viewed.
void TForm1::SetOwnTariffHalf(int page, int half) {
    const bool changeOn = Panel342->Color() == clWhite;
    const int k = (page - 1) * 2 + (half == 1 ? 0 : 1);
    const uint8_t letter = changeOn && ZmianaView == 1 ? LayoutPageCodes[k + 4]
                           : changeOn                  ? LayoutPageCodes[k]
                                                       : TariffPageCode[k];
    const int shown = half == 1 ? 0 : 4;
    const int other = half == 1 ? 4 : 0;
    TPanel *code = half == 1 ? Panel320 : Panel319;
    const std::array<TLabel *, 4> headings = half == 1 ? std::array<TLabel *, 4>{Label267, Label275, Label276, Label277}
                                                       : std::array<TLabel *, 4>{Label269, Label270, Label271, Label272};
    code->SetCaption(ValidPageLetter(letter) ? QString(QChar(letter)) : kNone);
    for (int j = 0; j < 4; ++j) {
        TPanel *button = TariffSelPanels[shown + j];
        button->SetVisible(!changeOn);
        button->SetCaption(TariffCaption(letter, j + 1));
        headings[j]->SetCaption(button->Caption());
        TariffSelPanels[other + j]->Hide();
    }
}
