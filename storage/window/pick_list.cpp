// The pick list of earlier entries (Panel236): the ">" buttons beside the fields open it for their
// field, "POBIERZ" puts the picked entry into the field, "USUŃ" frees an entry.
#include <array>
#include <vector>

#include "app/form1.h"
#include "storage/dictionary.h"

namespace {

const QString kNone = QStringLiteral("---");

struct KindLook {
    const char *caption;
    double widths[2];  // of columns 0 and 1, fractions of the grid width
};

constexpr std::array<KindLook, storage::kDictionaryKinds> kLooks = {{
    {"Imię i nazwisko / Stanowisko służbowe", {0.4, 0.6}},
    {"Umieszczenie cech zabezpieczających", {0.99, 0.01}},
    {"Dane dotyczące elementów (urządzeń dodatkowych)", {0.99, 0.01}},
    {"Miejsce przeprowadzenia sprawdzenia:", {0.99, 0.01}},
    {"Wnioskodawca:", {0.99, 0.01}},
    {"Producent:", {0.99, 0.01}},
}};

// The kind of the entries the field of a selector takes.
int KindOfSelector(int selector) {
    if (selector == 0) return 0;
    if (selector <= 6) return 1;
    if (selector <= 12) return 2;
    return selector - 10;  // 13 places, 14 applicants, 15 manufacturers
}

// Closes the tables however the listing ends.
struct ClosedOnExit {
    std::vector<TTable *> tables;
    ~ClosedOnExit() {
        for (TTable *table : tables) table->Close();
    }
};

QString FromUtf8(const std::string &text) {
    return QString::fromStdString(text);
}

// A job-list search edit filled by a pick takes part in the search.
void MakeSearchEditActive(TEdit *edit, const QString &text) {
    edit->SetText(text);
    edit->Font().SetColor(clBlack);
    edit->Font().SetStyle(0);
    edit->SetColor(clWhite);
}

}  // namespace

void TForm1::SzukajDB(int kind) {
    SzukajPicked = 0;
    std::vector<storage::DictionaryRow> rows;
    {
        const ClosedOnExit closer{{Table1, Table6}};
        Table1->Open();
        Table6->Open();
        rows = storage::ListDictionary(Table1->Table(), Table6->Table(), kind);
    }
    if (rows.empty()) rows.push_back({kNone.toStdString(), kNone.toStdString()});
    StringGrid1->SetRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r);
        StringGrid1->SetCells(0, row, FromUtf8(rows[r].value));
        StringGrid1->SetCells(1, row, FromUtf8(rows[r].position));
        StringGrid1->SetCells(2, row, rows[r].recordNumber > 0 ? QString::number(rows[r].recordNumber) : QString());
    }
    if (SzukajRow >= StringGrid1->RowCount()) SzukajRow = 0;
    StringGrid1->SetRow(SzukajRow);

    const KindLook &look = kLooks[static_cast<size_t>(kind)];
    Label146->SetCaption(QString::fromUtf8(look.caption));
    for (int col = 0; col < 2; ++col)
        StringGrid1->SetColWidths(col, static_cast<int>(look.widths[col] * StringGrid1->Width()));
    Panel167->Hide();
    Panel239->Hide();
    Panel236->Show();
}

void TForm1::StringGridSet() {
    if (SzukajPicked == 0) return;
    const int row = StringGrid1->Row();
    const QString value = StringGrid1->Cells(0, row);
    const QString position = StringGrid1->Cells(1, row);
    const bool placeholder = value == kNone && position == kNone;
    const int selector = SzukajSelector;
    if (selector == 0 && !placeholder) {
        if (SzukajAltTarget != 0) {
            MakeSearchEditActive(Edit469, value);
        } else {
            Edit10->SetText(value);
            Edit9->SetText(position);
        }
    } else if (selector == 15 && !placeholder) {
        Memo3->SetText(value);
    } else if (value != kNone) {
        if (selector >= 1 && selector <= 6) {
            MarkNameEdits[static_cast<size_t>(selector - 1)]->SetText(value);
        } else if (selector >= 7 && selector <= 12) {
            ExtraDeviceEdits[static_cast<size_t>(selector - 7)]->SetText(value);
        } else if (selector == 13) {
            Memo2->SetText(value);
        } else if (selector == 14) {
            if (SzukajAltTarget != 0)
                MakeSearchEditActive(Edit470, value.left(17));
            else
                Memo5->SetText(value);
        }
    }
    SzukajRow = row;
    CloseDictionary();
}

void TForm1::CloseDictionary() {
    if (SzukajAltTarget != 0) {
        Panel38->Show();
    } else {
        Panel239->Show();
        if (Panel165->Visible()) Panel167->Show();
    }
    SzukajAltTarget = 0;
    Panel236->Hide();
}

void TForm1::DeleteStringGridRow(int recordNumber) {
    const int kind = KindOfSelector(SzukajSelector);
    {
        const ClosedOnExit closer{{Table6}};
        Table6->Open();
        storage::FreeDictionaryEntry(Table6->Table(), recordNumber, kind);
    }
    SzukajDB(kind);
}

void TForm1::DictionaryButtonClick(TObject *Sender) {
    struct Opening {
        TButton *button;
        int selector;
        bool searchEdit;  // the pick goes to a job-list search edit
    };
    const Opening openings[] = {
        {Button2, 0, false},   {Button4, 1, false},   {Button5, 2, false},  {Button6, 3, false},
        {Button7, 4, false},   {Button8, 5, false},   {Button9, 6, false},  {Button10, 7, false},
        {Button11, 8, false},  {Button12, 9, false},  {Button13, 10, false}, {Button14, 11, false},
        {Button15, 12, false}, {Button16, 13, false}, {Button17, 14, false}, {Button18, 14, true},
        {Button19, 0, true},   {Button3, 15, false},
    };
    for (const Opening &opening : openings) {
        if (opening.button != Sender) continue;
        SzukajSelector = opening.selector;
        SzukajDB(KindOfSelector(opening.selector));
        if (opening.searchEdit) SzukajAltTarget = 1;
        return;
    }
}
