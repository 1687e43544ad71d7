// Switching the main window between the ordinary verification and the tariff-layout change
// procedure, and the procedure's reset.
#include <initializer_list>

#include "app/form1.h"
#include "tariffchange/change_record.h"

namespace {

constexpr TColor kInactive = static_cast<TColor>(0x80000013);
constexpr TColor kGreyFont = static_cast<TColor>(0xA4A0A0);

const QString kNone = QStringLiteral("---");

// Row captions of the tariff panels: the procedure shows rows 0..8, the ordinary form rows 1..9.
struct RowCaption {
    const char *name, *unit;
};
constexpr RowCaption kRowCaptions[10] = {
    {"Odc. początkowy włączony", ""},
    {"Jednostka taryfowa", "(JT) [zł]"},
    {"Stała taryf C", "STC"},
    {"Jednostka dopłaty", "JDOPŁ [zł]"},
    {"Opłata początkowa", "(OpłP) [zł]"},
    {"Opłata za 1 km", "(OpłD) [zł/km]"},
    {"Opłata za 1 h", "(OpłC) [zł/h]"},
    {"Odcinek początkowy drogi", "(Dps) [m]"},
    {"Okres początkowy czasu", "(Cps) [s]"},
    {"Prędkość gr. dla odc. począt.", "(Vgp) [km/h]"},
};

QString AppTitle(const char *heading) {
    return QString::fromUtf8(heading) + QStringLiteral("   (Kestrium ") + QStringLiteral("v1.04.02") +
           QStringLiteral(")");
}

void SetShown(std::initializer_list<TControl *> controls, bool shown) {
    for (TControl *control : controls) control->SetVisible(shown);
}

}  // namespace

void TForm1::SetZmianaCaptions(int first) {
    for (int i = 0; i < 9; ++i) {
        const bool surcharge = first == 0 && i == 2;
        const RowCaption &caption = kRowCaptions[i + first];
        for (int panel = 0; panel < 2; ++panel) {
            ZmianaCaptionLabels[static_cast<size_t>(18 * panel + 2 * i)]->SetCaption(
                surcharge ? QStringLiteral("Maximum dopłaty") : QString::fromUtf8(caption.name));
            ZmianaCaptionLabels[static_cast<size_t>(18 * panel + 2 * i + 1)]->SetCaption(
                surcharge ? QStringLiteral("MAX.D[zł]") : QString::fromUtf8(caption.unit));
        }
    }
}

// The edits that the procedure moves one row down to make room for its initial-segment row.
void TForm1::ShiftZmianaRows(int step) {
    std::vector<TEdit *> moved = {Edit526, Edit525, Edit98, Edit88, Edit100, Edit112};
    for (int row = 0; row < 5; ++row)
        for (int t = 0; t < 8; ++t) moved.push_back(TariffPanelEdits[static_cast<size_t>(8 * row + t)]);
    moved.insert(moved.end(), TariffJdoplEdits.begin(), TariffJdoplEdits.end());
    for (TEdit *edit : moved) edit->SetTop(edit->Top() + step);
}

// The controls of the rows Vgp..Cns and Opw that the procedure hides.
std::vector<TControl *> TForm1::ZmianaHiddenRows() {
    std::vector<TControl *> rows;
    for (const char *name : {"Label298", "Label317", "Label299", "Label300", "Label312", "Label159", "Label309",
                             "Label310", "Label313", "Label160", "Label318", "Label319", "Label340", "Label157",
                             "Label328", "Label329", "Label346", "Label158"})
        rows.push_back(Named<TLabel>(name));
    for (int row = 5; row < 9; ++row)
        for (int t = 0; t < 8; ++t) rows.push_back(TariffParamEdits[static_cast<size_t>(8 * row + t)]);
    for (int t = 0; t < 8; ++t) rows.push_back(TariffPanelEdits[static_cast<size_t>(8 * 6 + t)]);
    return rows;
}

void TForm1::ZmianaUkladow(uint8_t on) {
    // Switching into the mode it is already in would shift the rows again and overwrite the saved
    // general data with the procedure's own: it changes nothing.
    if ((on != 0) == (ZuModeOn != 0)) return;
    ZuModeOn = on != 0 ? 1 : 0;
    if (on != 0)
        ZmianaOn();
    else
        ZmianaOff();
    Panel61->SetHeight(Panel62->Top() - Panel61->Top());
    Panel63->SetHeight(Panel62->Top() - Panel63->Top());
    Panel51->SetHeight(Panel52->Top() - Panel51->Top());
    Panel53->SetHeight(Panel52->Top() - Panel53->Top());
    Edit8->SetLeft(Label331->Left() + Label331->Width() + Edit8->Height() / 2);
    ClickButton(13, 14, 0, 0);
}

void TForm1::ZmianaOn() {
    SetShown({Label214, Label243, Label262, Edit508, Edit510}, true);
    Panel342->SetColor(clWhite);
    Panel342->Font().SetColor(clBlack);
    UsunDaneDoZU();
    Edit14->SetEnabled(false);
    Edit15->SetEnabled(false);
    Memo3->SetEnabled(true);
    Button3->SetEnabled(true);
    for (TPanel *box : {Panel275, Panel248, Panel277}) {
        box->SetColor(clWhite);
        box->SetEnabled(false);
    }
    for (TEdit *annex : {Edit495, Edit496, Edit497}) {
        annex->SetText(kNone);
        annex->SetEnabled(false);
    }
    for (TLabel *label : {Label161, Label151, Label150, Label163}) label->Font().SetColor(kGreyFont);
    Label153->SetCaption(QStringLiteral("SPRAWDZENIE POPRAWNOŚCI ZMIANY UKŁADÓW TARYF TAKSOMETRU"));
    SetShown({Edit527, Edit528, Panel235}, true);
    Panel62->SetTop(Label316->Top() + Label316->Height() + Label316->Height() / 3);
    Panel52->SetTop(Label290->Top() + Label290->Height() + Label290->Height() / 3);
    for (TControl *row : ZmianaHiddenRows()) row->SetVisible(false);
    SetShown({Label124, Edit108, Label222, Label120}, false);
    Label242->SetCaption(QStringLiteral("Przyrząd użyty w legalizacji:"));
    Panel5->SetCaption(AppTitle("SPRAWDZENIE TAKSOMETRU W ZAKRSIE ZMIANY UKŁADÓW TARYF"));
    Label331->SetCaption(QStringLiteral("ZMIENIONE UKŁADY  TARYF"));
    Panel159->SetCaption(QStringLiteral("REJ. ZMIAN / LICZNIKI"));
    Panel393->SetVisible(false);
    Panel159->SetWidth(3 * Panel158->Width());
    Panel161->SetLeft(Panel159->Left() + Panel159->Width());
    Panel9->SetLeft(Panel161->Left() + Panel161->Width());
    const int size = Panel158->Font().Size();
    Panel159->Font().SetSize(size - size / 8);
    Label117->SetCaption(QStringLiteral("Informacja o miejscach usunięcia cech zabezpieczających"));
    SetShown({Panel163, Panel391, Panel162, Panel13, Panel126, Panel127, Panel8, Label218, Panel160, Label130,
              Label132, Edit437},
             false);
    UpdateMain(1);
    EnableTaryfy(false);
    SetShown({Label288, Label321, Label280, Label302}, true);
    SetShown({Edit99, Edit96}, false);
    const int step = Edit99->Top() - Edit98->Top();
    SetShown({Edit526, Edit525}, true);
    ShiftZmianaRows(step);
    SetZmianaCaptions(0);
}

void TForm1::ZmianaOff() {
    SetShown({Label214, Label243, Label262, Edit508, Edit510}, false);
    Panel342->SetColor(kInactive);
    Panel342->Font().SetColor(clWhite);
    const bool modeLit = Lit(Panel163) || Lit(Panel162);
    Memo3->SetEnabled(modeLit);
    Button3->SetEnabled(modeLit);
    Panel275->SetColor(clWhite);
    Panel275->SetEnabled(true);
    Label161->Font().SetColor(clBlack);
    ReadAnnexTitles();
    for (TEdit *annex : {Edit495, Edit496, Edit497}) annex->SetEnabled(true);
    Panel248->SetColor(clWhite);
    Panel248->SetEnabled(true);
    Label151->Font().SetColor(clBlack);
    Panel277->SetColor(clBlack);
    Panel277->SetEnabled(true);
    Label150->Font().SetColor(clBlack);
    Label163->Font().SetColor(clBlack);
    Label153->SetCaption(QStringLiteral("WYZNACZENIE BŁĘDÓW WSKAZAŃ TAKSOMETRU"));
    SetShown({Edit527, Edit528}, false);
    ShiftZmianaRows(-(Edit526->Top() - Edit98->Top()));
    SetZmianaCaptions(1);
    SetShown({Panel235, Panel35, Panel36, Label288, Label321, Edit99, Label280, Label302, Edit96}, true);
    SetShown({Edit526, Edit525}, false);
    Panel62->SetTop(Label157->Top() + Label157->Height() + Label157->Height() / 3);
    Panel52->SetTop(Label159->Top() + Label159->Height() + Label159->Height() / 3);
    for (TControl *row : ZmianaHiddenRows()) row->SetVisible(true);
    SetShown({Label124, Edit108, Label222}, true);
    Label242->SetCaption(QStringLiteral("Stanowisko pomiarowe"));
    SetShown({Label258, Edit27, Label260, Edit28}, true);
    Label120->SetVisible(false);
    Panel5->SetCaption(AppTitle("SPRAWDZENIE TAKSOMETRU ELEKTRONICZNEGO"));
    Label331->SetCaption(QStringLiteral("SPRAWDZANE TARYFY"));
    Panel159->SetCaption(QStringLiteral("Wyniki"));
    Panel159->Font().SetSize(Panel160->Font().Size());
    Label117->SetCaption(QStringLiteral("Informacja o miejscach umieszczenia cech zabezpieczających"));
    Panel393->SetVisible(true);
    Panel161->SetLeft(Panel160->Left() + Panel160->Width());
    Panel9->SetLeft(Panel161->Left() + Panel161->Width());
    UpdateMain(0);
    Edit8->SetText(QString());
    UsunLiczniki();
    UsunWyniki();
    UsunTaryfy();
    SetShown({Panel235, Panel35, Panel36, Panel33, Panel163, Panel391, Panel162, Panel13, Label130, Label132,
              Edit437, Panel160},
             true);
    Panel159->SetWidth(Panel160->Width());
}

void TForm1::UpdateMain(uint8_t toZu) {
    for (TControl *control : std::initializer_list<TControl *>{Button2, Panel28, Panel29}) control->SetEnabled(true);
    auto &keep = MainFieldSaved[toZu != 0 ? 0 : 1];
    const auto &show = MainFieldSaved[toZu != 0 ? 1 : 0];
    auto &keepMemo = MainMemoSaved[toZu != 0 ? 0 : 1];
    const auto &showMemo = MainMemoSaved[toZu != 0 ? 1 : 0];
    for (size_t i = 0; i < MainFieldEdits.size(); ++i) {
        TEdit *edit = MainFieldEdits[i];
        keep[i] = edit->Text();
        if (!edit->Visible()) continue;
        edit->SetText(show[i].isEmpty() ? kNone : show[i]);
        edit->SetEnabled(true);
    }
    for (size_t i = 0; i < MainMemos.size(); ++i) {
        TMemo *memo = MainMemos[i];
        keepMemo[i] = memo->Text();
        if (toZu == 0 && !memo->Visible()) continue;
        memo->SetText(showMemo[i]);
        memo->SetEnabled(true);
    }
    Edit8->SetEnabled(false);
}

void TForm1::UsunDaneDoZU() {
    Label262->SetVisible(true);
    QrOrderFlags = 0;
    for (int item = 0; item < tariffchange::kInspectionItems; ++item) {
        TPanel *answer = ButtonPanels[static_cast<size_t>(kFirstInspectionPanel + item)];
        answer->SetEnabled(true);
        answer->SetCaption(item < tariffchange::kAgreementItems ? QStringLiteral("TAK") : QStringLiteral("NIE"));
    }
    for (int n = 498; n <= 507; ++n) Named<TEdit>("Edit" + std::to_string(n))->SetText(kNone);
    for (int n = 518; n <= 524; ++n) {
        auto *edit = Named<TEdit>("Edit" + std::to_string(n));
        edit->SetText(kNone);
        edit->SetEnabled(true);
    }
    for (TEdit *edit : ExtraDeviceEdits) edit->SetEnabled(true);
    ResetChangeLayouts();
    Edit8->SetText(QString());
}
