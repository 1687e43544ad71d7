// The legal-basis texts in the window: the editor screen (Panel411) over the scope texts
// ("ZAKRES SPRAWDZEŃ", Memo10) and the requirements ("WYMAGANIA", Memo22), and their start-up load.
#include <algorithm>

#include "app/form1.h"

namespace {

const char *const kDefaultZakres[] = {
    "Rozporządzenie Ministra Gospodarki z dnia 27 grudnia 2007 r. w sprawie wymagań, którym powinny "
    "odpowiadać",
    "taksometry, oraz szczegółowego zakresu sprawdzeń wykonywanych podczas prawnej kontroli metrologicznej "
    "tych",
    "przyrządów pomiarowych (Dz. U. z 2019 r., poz. 1173) §25, §26, §27, §28, §29.",
};
const char *const kDefaultWymagania[] = {
    "Rozporządzenie Ministra Rozwoju z dnia 2 czerwca 2016 r. w sprawie wymagań dla przyrządów pomiarowych "
    "(Dz. U.",
    "poz. 815) §23 ust.1 pkt 1, §25, §26, §39 ust.1 i 2, §40 i 41 oraz ust. 2 pkt 5, ust. 3-5, ust. 14,ust. "
    "16-18, "
    "ust. 28-31 załącznika",
    "nr 7 oraz Rozporządzenie Ministra Gospodarki z dnia 27 grudnia 2007 r. w sprawie wymagań, którym "
    "powinny "
    "odpowiadać",
    "taksometry, oraz szczegółowego zakresu sprawdzeń wykonywanych podczas prawnej kontroli metrologicznej "
    "tych",
    "przyrządów pomiarowych (Dz. U. z 2019 r., poz. 1173) §13-14.",
};

QString FromUtf8(const std::string &text) {
    return QString::fromStdString(text);
}

// Index of the sender among the name edits, -1 when it is none of them.
int SlotOf(const std::array<TEdit *, 8> &edits, const TObject *sender) {
    const auto it = std::find(edits.begin(), edits.end(), sender);
    return it == edits.end() ? -1 : static_cast<int>(it - edits.begin());
}

}  // namespace

storage::ZakresRecord &TForm1::EditedTexts() {
    return ZakresEditMode == 1 ? ZakresTexts : WymaganiaTexts;
}

TTable *TForm1::EditedTextsTable() const {
    return ZakresEditMode == 1 ? Table11 : Table12;
}

TMemo *TForm1::EditedTextsMemo() const {
    return ZakresEditMode == 1 ? Memo10 : Memo22;
}

void TForm1::SetZakres(int slot, bool onZakres) {
    ZakresMemoChangeOn = 0;
    ZakresNameChangeOn = 0;
    storage::ZakresRecord &record = onZakres ? ZakresTexts : WymaganiaTexts;
    Memo23->SetText(FromUtf8(record.Text[static_cast<size_t>(slot)]));
    record.Selected = slot;
    for (int i = 0; i < storage::kLegalSlots; ++i)
        ZakresNameEdits[static_cast<size_t>(i)]->SetColor(i == slot ? clWhite : clScrollBar);
    SetNameZakres(record);
    ZakresMemoChangeOn = 1;
    ZakresNameChangeOn = 1;
}

int TForm1::PointZakres() const {
    for (int i = 0; i < storage::kLegalSlots; ++i)
        if (ZakresNameEdits[static_cast<size_t>(i)]->Color() == clWhite) return i;
    return -1;
}

void TForm1::SetNameZakres(const storage::ZakresRecord &record) {
    for (int i = 0; i < storage::kLegalSlots; ++i)
        ZakresNameEdits[static_cast<size_t>(i)]->SetText(FromUtf8(record.Name[static_cast<size_t>(i)]));
}

void TForm1::OpenLegalEditor(const QString &caption, uint8_t mode) {
    Label475->SetCaption(caption);
    Panel167->Hide();
    Panel239->Hide();
    Panel411->Show();
    Panel411->SetEnabled(true);
    Panel413->Hide();
    ZakresEditMode = mode;
    storage::GetZakresDB(EditedTexts(), EditedTextsTable()->Table());
    SetZakres(0, mode == 1);
}

void TForm1::Button21Click(TObject *) {
    OpenLegalEditor(QStringLiteral("ZAKRES SPRAWDZEŃ"), 1);
}

void TForm1::Button22Click(TObject *) {
    OpenLegalEditor(QStringLiteral("WYMAGANIA"), 0);
}

void TForm1::ZakresNameEditClick(TObject *Sender) {
    const int slot = SlotOf(ZakresNameEdits, Sender);
    if (slot >= 0) SetZakres(slot, ZakresEditMode == 1);
}

void TForm1::ZakresNameEditChange(TObject *Sender) {
    const int slot = SlotOf(ZakresNameEdits, Sender);
    if (ZakresNameChangeOn == 1 && slot >= 0)
        EditedTexts().Name[static_cast<size_t>(slot)] =
            ZakresNameEdits[static_cast<size_t>(slot)]->Text().toStdString();
}

void TForm1::Memo23Change(TObject *) {
    if (ZakresMemoChangeOn != 1) return;
    const int slot = PointZakres();
    if (slot >= 0) EditedTexts().Text[static_cast<size_t>(slot)] = Memo23->Text().toStdString();
}

void TForm1::CancelLegalEditor() {
    if (storage::ChangeZakres(EditedTexts())) {
        Panel411->SetEnabled(false);
        SetCenterPosition(Panel413, Panel411);
        Panel413->Show();
    } else {
        SettleTakenLegalText(false);
        Panel239->Show();
        Panel411->Hide();
    }
}

void TForm1::TakeLegalText() {
    LegalTextBeforeTake = EditedTextsMemo()->Text().toStdString();
    EditedTextsMemo()->Lines().Assign(Memo23->Lines());
    CancelLegalEditor();
}

void TForm1::CloseLegalEditor(bool save) {
    if (save) storage::SaveZakresDB(EditedTexts(), EditedTextsTable()->Table());
    SettleTakenLegalText(save);
    Panel413->Hide();
    Panel411->Hide();
    Panel239->Show();
}

// The slot's current row holds the taken text when the editor stored it or the text is unchanged
// since it was loaded; a job saved then keeps that row, so it reloads the text it showed and printed.
void TForm1::SettleTakenLegalText(bool stored) {
    if (!LegalTextBeforeTake) return;
    storage::ZakresRecord &record = EditedTexts();
    const auto slot = static_cast<size_t>(record.Selected);
    if (record.RowNo[slot] >= 0 && (stored || record.TextChanged[slot] == 0))
        record.ShownRow = record.RowNo[slot];
    else
        EditedTextsMemo()->SetText(FromUtf8(*LegalTextBeforeTake));
    LegalTextBeforeTake.reset();
}

void TForm1::LoadLegalText(storage::ZakresRecord &record, TTable *table, TMemo *memo,
                           std::span<const char *const> defaults, const char *defaultName, uint8_t mode) {
    if (!storage::GetZakresDB(record, table->Table())) {
        memo->Lines().Clear();
        for (const char *line : defaults) memo->Lines().Add(QString::fromUtf8(line));
        record.Name[0] = defaultName;
        record.Text[0] = memo->Text().toStdString();
        record.RowNo[0] = 1;
        storage::AddZakresDB(record, table->Table(), 0);
    } else {
        ZakresEditMode = mode;
        SetZakres(0, mode == 1);
        memo->SetText(FromUtf8(record.Text[0]));
    }
    record.ShownRow = record.RowNo[0];
}

void TForm1::LoadLegalTexts() {
    LoadLegalText(ZakresTexts, Table11, Memo10, kDefaultZakres, "ZAKRES0", 1);
    LoadLegalText(WymaganiaTexts, Table12, Memo22, kDefaultWymagania, "WYMAGANIA0", 0);
}
