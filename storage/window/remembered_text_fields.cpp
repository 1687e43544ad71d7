// The remembered text files: a change of one of their fields rewrites the file, so that the next
// start shows the last values. Also the applicant kind, the calculation system kept in the first
// job record, and the tyre-size edits that move the focus on.
#include <span>

#include "app/form1.h"
#include "platform/gui/application.h"

namespace {

constexpr int kOfficeLines = 6;
constexpr int kOfficeLineLength = 45;
constexpr int kStationSettingField = 42;  // GenData, first record: "0" for "S", "1" for "D"

// Rewrites a remembered file. A failure is reported once, until the file can be written again;
// the typed text stays in its field either way.
template <class Write>
void Remember(TForm1 &form, const std::string &fileName, Write write) {
    try {
        write();
        form.UnwritableTextFiles.erase(fileName);
    } catch (const Exception &error) {
        if (form.UnwritableTextFiles.insert(fileName).second) Application->HandleException(error);
    }
}

void Remember(TForm1 &form, const TMemo *memo, const char *fileName) {
    Remember(form, fileName, [&] { memo->Lines().SaveToFile(QString::fromLatin1(fileName)); });
}

QStringList TextsOf(std::span<TEdit *const> edits) {
    QStringList texts;
    for (const TEdit *edit : edits) texts.append(edit->Text());
    return texts;
}

// The edits' texts into the memo that buffers their file, and the file rewritten. While a saved job
// fills the edits (MarksLoading) the memo keeps the job's lines, so that saving the job again keeps
// them; the file follows the edits all the same.
void RememberEdits(TForm1 &form, TMemo *memo, std::span<TEdit *const> edits, const char *fileName) {
    const QStringList texts = TextsOf(edits);
    if (form.MarksLoading == 0) {
        memo->Lines().Clear();
        for (const QString &text : texts) memo->Lines().Add(text);
    }
    Remember(form, fileName, [&] { WriteTextFileLines(QString::fromLatin1(fileName), texts); });
}

// Line `line` of "poz.txt" follows its edit.
void RememberPlace(TForm1 &form, int line, const TEdit *edit) {
    if (form.FormLoading != 0) return;
    TStrings &lines = form.Memo21->Lines();
    while (lines.Count() <= line) lines.Add(QStringLiteral("---"));
    lines.SetStrings(line, edit->Text());
    Remember(form, form.Memo21, "poz.txt");
}

}  // namespace

void TForm1::Edit459Change(TObject *) {
    RememberEdits(*this, Memo8, ExtraDeviceEdits, "ee.txt");
}

void TForm1::Edit16Change(TObject *) {
    if (FormLoading != 0) return;
    RememberEdits(*this, Memo9, MarkNameEdits, "em.txt");
    RememberEdits(*this, Memo13, MarkCountEdits, "ems.txt");
}

void TForm1::Edit483Change(TObject *) { RememberPlace(*this, 0, Edit483); }
void TForm1::Edit485Change(TObject *) { RememberPlace(*this, 1, Edit485); }
void TForm1::Edit484Change(TObject *) { RememberPlace(*this, 2, Edit484); }
void TForm1::Edit508Change(TObject *) { RememberPlace(*this, 3, Edit508); }
void TForm1::Edit510Change(TObject *) { RememberPlace(*this, 4, Edit510); }

void TForm1::Memo2Change(TObject *) {
    if (FormLoading == 0) Remember(*this, Memo2, "mp.txt");
}

void TForm1::SaveAnnexTitles() {
    Memo16->Lines().Clear();
    for (const TEdit *edit : {Edit495, Edit496, Edit497}) Memo16->Lines().Add(edit->Text());
    for (int line = 0; line < kOfficeLines; ++line) Memo16->Lines().Add(Memo19->Lines().StringOrEmpty(line));
    Memo16->Lines().SaveToFile(QStringLiteral("lz.txt"));
}

void TForm1::Button20Click(TObject *) {
    Label156->SetCaption(Memo19->Lines().StringOrEmpty(0) + QStringLiteral("\r\n") + Memo19->Lines().StringOrEmpty(1));
    Panel390->Hide();
    Panel239->SetEnabled(true);
    Panel389->SetBounds(Panel389->Left(), Panel389->Top(), Label156->Width() + 2 * Label156->Left(),
                        Label156->Height() + 2 * Label156->Top());
    Remember(*this, "lz.txt", [this] { SaveAnnexTitles(); });
}

void TForm1::Memo19Change(TObject *) {
    if (!Panel390->Visible()) return;
    TStrings &lines = Memo19->Lines();
    // Each write below runs this handler again on the shorter text.
    if (lines.Count() > 0 && lines[0].size() > kOfficeLineLength) {
        lines.SetStrings(0, lines[0].left(kOfficeLineLength));
        return;
    }
    if (lines.Count() > kOfficeLines) {
        TStringList kept;
        kept.Add(lines[0]);
        for (int i = 1; i < kOfficeLines; ++i) kept.Add(OfficeLinesBefore.value(i));
        OfficeLinesBefore = kept.Lines();
        lines.Assign(kept);
        return;
    }
    for (int i = 1; i < lines.Count(); ++i) {
        if (lines[i].size() > kOfficeLineLength) {
            lines.SetStrings(i, lines[i].left(kOfficeLineLength));
            return;
        }
    }
    OfficeLinesBefore = lines.Lines();
}

void TForm1::Edit12Change(TObject *) {
    const QString system = Edit12->Text();
    if (system != QStringLiteral("S") && system != QStringLiteral("D")) {
        Edit12->SetText(QStringLiteral("S"));  // runs this handler again
        return;
    }
    const bool wasActive = Table1->Active();
    Table1->Open();
    const int recNo = Table1->RecNo();
    if (Table1->RecordCount() >= 1) {
        Table1->First();
        Table1->Edit();
        Table1->SetFieldText(kStationSettingField, system == QStringLiteral("S") ? QStringLiteral("0")
                                                                                 : QStringLiteral("1"));
        Table1->Post();
    }
    Table1->SetRecNo(recNo);
    Table1->SetActive(wasActive);
}

void TForm1::Edit111Change(TObject *) {
    const QString width = Edit111->Text();
    if (width.size() == 3 && width != QStringLiteral("---") && Panel49->Visible() && Panel239->Visible())
        Edit457->SetFocus();
}

void TForm1::Edit457Change(TObject *) {
    const QString profile = Edit457->Text();
    if (profile.size() == 2 && profile != QStringLiteral("--") && Panel49->Visible() && Panel239->Visible())
        Edit458->SetFocus();
}

void TForm1::SetWnioskodawce(int kind) {
    TPanel *const panels[] = {Panel232, Panel233, Panel234};
    const int chosen = kind == 1 || kind == 2 ? kind : 0;
    // The chosen panel black with a white caption, the others white with a black one.
    for (int i = 0; i < 3; ++i) {
        panels[i]->SetColor(i == chosen ? clBlack : clWhite);
        panels[i]->Font().SetColor(i == chosen ? clWhite : clBlack);
    }
}

int32_t TForm1::GetWnioskodawce() const {
    if (Panel232->Color() == clBlack) return 0;
    if (Panel233->Color() == clBlack) return 1;
    if (Panel234->Color() == clBlack) return 2;
    return 0;
}

void TForm1::Panel232Click(TObject *) { SetWnioskodawce(0); }
void TForm1::Panel233Click(TObject *) { SetWnioskodawce(1); }
void TForm1::Panel234Click(TObject *) { SetWnioskodawce(2); }
