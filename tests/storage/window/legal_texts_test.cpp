// The legal-basis texts through the window: the start-up seeding, the editor with its question,
// the job save, a new start and the printed check protocol.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/gui/gui_test_support.h"
#include "storage/window/texts_window_fixture.h"

namespace {

const QString kDefaultZakres =
    "Rozporządzenie Ministra Gospodarki z dnia 27 grudnia 2007 r. w sprawie wymagań, którym powinny "
    "odpowiadać\r\n"
    "taksometry, oraz szczegółowego zakresu sprawdzeń wykonywanych podczas prawnej kontroli metrologicznej "
    "tych\r\n"
    "przyrządów pomiarowych (Dz. U. z 2019 r., poz. 1173) §25, §26, §27, §28, §29.\r\n";

class WindowLegalTexts : public TextsWindowTest {
protected:
    // Every row: name | text (fields 2, 3 and 4) | current | slot.
    std::vector<std::string> Rows(TTable *table) {
        std::vector<std::string> rows;
        table->Open();
        for (table->First(); !table->Eof(); table->Next())
            rows.push_back((table->FieldText(1) + "|" + table->FieldText(2) + table->FieldText(3) +
                            table->FieldText(4) + "|" + table->FieldText(5) + "|" + table->FieldText(6))
                               .toStdString());
        table->Close();
        return rows;
    }
    QStringList SlotNames() const {
        QStringList names;
        for (TEdit *edit : form->ZakresNameEdits) names.append(edit->Text());
        return names;
    }
    bool EditorOpen() const { return form->Panel411->Visible() && !form->Panel239->Visible(); }
    bool Asking() const { return form->Panel413->Visible() && !form->Panel411->Enabled(); }
};

TEST_F(WindowLegalTexts, AnEmptyTableGainsItsDefaultTextOnceAndSlotZeroFillsTheMemos) {
    TForm1 *w = &Start();
    EXPECT_EQ(Rows(w->Table11), std::vector{("ZAKRES0|" + kDefaultZakres + "|True|0").toStdString()});
    ASSERT_EQ(Rows(w->Table12).size(), 1u);
    EXPECT_EQ(
        Rows(w->Table12)[0].rfind("WYMAGANIA0|Rozporządzenie Ministra Rozwoju z dnia 2 czerwca 2016 r.", 0),
        0u);
    EXPECT_EQ(w->Memo10->Text(), kDefaultZakres);
    EXPECT_EQ(w->Memo22->Lines().Count(), 5);
    EXPECT_EQ(w->Memo22->Lines()[4], "przyrządów pomiarowych (Dz. U. z 2019 r., poz. 1173) §13-14.");

    w = &Start();
    EXPECT_EQ(Records(w->Table11), 1);
    EXPECT_EQ(Records(w->Table12), 1);
    EXPECT_EQ(w->Memo10->Text(), kDefaultZakres);
    EXPECT_EQ(w->Memo22->Lines().Count(), 5);
}

TEST_F(WindowLegalTexts, TheEditorAsksBeforeLeavingChangesAndStoresThemOnlyOnTak) {
    TForm1 &w = Start();
    Click(w.Button21);
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(w.Label475->Caption(), "ZAKRES SPRAWDZEŃ");
    EXPECT_EQ(SlotNames(), (QStringList{"ZAKRES0", "", "", "", "", "", "", ""}));
    EXPECT_EQ(w.PointZakres(), 0);
    EXPECT_EQ(w.Memo23->Text(), kDefaultZakres);

    // No change: "ANULUJ" closes at once.
    Command(w.Panel412);
    EXPECT_FALSE(w.Panel411->Visible());
    EXPECT_TRUE(w.Panel239->Visible());

    // A new slot, named and written, then "ANULUJ": the question; "NIE" stores nothing.
    Click(w.Button21);
    Click(w.Edit538);
    EXPECT_EQ(w.PointZakres(), 1);
    EXPECT_EQ(w.Edit537->Color(), clScrollBar);
    TypeOver(w.Edit538, "ZAKRES1");
    TypeOver(w.Memo23, "Zakres pierwszy");
    Command(w.Panel412);
    EXPECT_TRUE(Asking());
    EXPECT_EQ(w.Panel413->Left(), (w.Panel411->Width() - w.Panel413->Width()) / 2);
    Command(w.Panel415);  // "NIE"
    EXPECT_FALSE(w.Panel411->Visible());
    EXPECT_FALSE(w.Panel413->Visible());
    EXPECT_EQ(Records(w.Table11), 1);

    // Back in the editor the unsaved slot still holds its text; slot 0 is renamed and rewritten,
    // "POBIERZ" takes the text into the job form and "TAK" stores both slots.
    Click(w.Button21);
    EXPECT_TRUE(w.Panel411->Enabled());
    Click(w.Edit538);
    EXPECT_EQ(w.Memo23->Text(), "Zakres pierwszy\r\n");
    Click(w.Edit537);
    TypeOver(w.Edit537, "ZAKRES-A");
    TypeOver(w.Memo23, "Zakres zmieniony\nwiersz drugi");
    Command(w.Panel436);  // "POBIERZ"
    EXPECT_EQ(w.Memo10->Text(), "Zakres zmieniony\r\nwiersz drugi\r\n");
    EXPECT_TRUE(Asking());
    Command(w.Panel414);  // "TAK"
    EXPECT_FALSE(w.Panel411->Visible());
    EXPECT_TRUE(w.Panel239->Visible());
    EXPECT_EQ(Rows(w.Table11),
              (std::vector<std::string>{("ZAKRES0|" + kDefaultZakres + "|False|0").toStdString(),
                                        "ZAKRES-A|Zakres zmieniony\r\nwiersz drugi\r\n|True|0",
                                        "ZAKRES1|Zakres pierwszy\r\n|True|1"}));

    // A new name alone renames the current row in place.
    Click(w.Button21);
    Click(w.Edit538);
    TypeOver(w.Edit538, "ZAKRES-B");
    Command(w.Panel412);
    Command(w.Panel414);
    EXPECT_EQ(Rows(w.Table11).size(), 3u);
    EXPECT_EQ(Rows(w.Table11)[2], "ZAKRES-B|Zakres pierwszy\r\n|True|1");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowLegalTexts, SavedTextsComeBackAtTheNextStartAndArePrintedOnTheCheckProtocol) {
    TForm1 *w = &Start();
    Click(w->Button21);
    TypeOver(w->Memo23, "Sprawdzenie w zakresie nowym");
    Command(w->Panel436);
    Command(w->Panel414);
    Click(w->Button22);
    EXPECT_EQ(w->Label475->Caption(), "WYMAGANIA");
    EXPECT_EQ(SlotNames()[0], "WYMAGANIA0");
    Click(w->Edit540);
    TypeOver(w->Edit540, "WYMAGANIA3");
    TypeOver(w->Memo23, "Wymagania nowe");
    Command(w->Panel436);
    EXPECT_EQ(w->Memo22->Text(), "Wymagania nowe\r\n");
    Command(w->Panel414);
    // The job keeps the rows of the texts last chosen in the editor.
    Command(w->Panel35);
    Command(w->Panel151);
    EXPECT_EQ(Stored(w->Table5, 57), "2");
    EXPECT_EQ(Stored(w->Table5, 56), "2");

    w = &Start();
    EXPECT_EQ(w->Memo10->Text(), "Sprawdzenie w zakresie nowym\r\n");
    EXPECT_EQ(w->Memo22->Lines()[0],
              "Rozporządzenie Ministra Rozwoju z dnia 2 czerwca 2016 r. w sprawie wymagań dla "
              "przyrządów pomiarowych (Dz. U.")
        << "slot 0 at the start";
    Click(w->Button22);
    EXPECT_EQ(SlotNames()[3], "WYMAGANIA3");
    Click(w->Edit540);
    EXPECT_EQ(w->Memo23->Text(), "Wymagania nowe\r\n");
    Command(w->Panel412);
    EXPECT_TRUE(w->Panel239->Visible());

    QTemporaryDir out;
    const QString pdf = out.filePath("protocol.pdf");
    Application->PrintDialogResponder = [&] { return std::optional<QString>(pdf); };
    w->Panel247->SetColor(clBlack);
    w->Drukuj();
    Application->PrintDialogResponder = nullptr;
    const std::string text = RunCommand("pdftotext '" + pdf.toStdString() + "' - 2>&1");
    EXPECT_NE(text.find("Sprawdzenie w zakresie nowym"), std::string::npos) << text;
}

// The job keeps the legal basis it shows and prints: leaving the editor without storing anything,
// after browsing another slot or after taking a changed text and declining to store it, leaves the
// shown text and its row; a restart and a load of the job show the same texts, and the check
// protocol prints the scope it shows.
TEST_F(WindowLegalTexts, AJobReloadsAndPrintsTheLegalBasisItShowed) {
    TForm1 *w = &Start();
    Click(w->Button21);
    Click(w->Edit538);
    TypeOver(w->Edit538, "ZAKRES1");
    TypeOver(w->Memo23, "Zakres B");
    Command(w->Panel412);  // "ANULUJ"
    Command(w->Panel414);  // "TAK": slot 1 stored, the job form keeps slot 0
    Click(w->Button22);
    Click(w->Edit540);
    TypeOver(w->Memo23, "Wymagania B");
    Command(w->Panel412);
    Command(w->Panel414);  // requirements slot 3 stored likewise
    const QString defaultRequirements = w->Memo22->Text();

    struct Case {
        const char *name;
        bool requirements;        // the editor of "WYMAGANIA", else of "ZAKRES SPRAWDZEŃ"
        const char *typed;        // typed into slot 1 before leaving, or nothing
        TPanel *TForm1::*leave;   // "ANULUJ" or "POBIERZ"
        TPanel *TForm1::*answer;  // to the question, when it is asked
        QString scope;            // the scope text the job shows
    };
    const Case cases[] = {
        {"browsed, left", false, nullptr, &TForm1::Panel412, nullptr, kDefaultZakres},
        {"changed text taken, not stored", false, "Zakres C", &TForm1::Panel436, &TForm1::Panel415,
         kDefaultZakres},
        {"stored text taken", false, nullptr, &TForm1::Panel436, nullptr, "Zakres B\r\n"},
        {"changed text taken and stored", false, "Zakres D", &TForm1::Panel436, &TForm1::Panel414,
         "Zakres D\r\n"},
        {"requirements browsed, left", true, nullptr, &TForm1::Panel412, nullptr, kDefaultZakres},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w = &Start();
        Click(c.requirements ? w->Button22 : w->Button21);
        Click(c.requirements ? w->Edit540 : w->Edit538);
        if (c.typed) TypeOver(w->Memo23, c.typed);
        Command(w->*c.leave);
        if (c.answer) Command(w->*c.answer);
        ASSERT_TRUE(w->Panel239->Visible());
        EXPECT_EQ(w->Memo10->Text(), c.scope);
        EXPECT_EQ(w->Memo22->Text(), defaultRequirements);
        const QString serial = QString("SN-%1").arg(&c - cases);
        Click(w->Edit21);
        TypeOver(w->Edit21, serial);
        Command(w->Panel35);   // "ZAPISZ BD"
        Command(w->Panel151);  // "ZAPISZ"

        w = &Start();
        Command(w->Panel36);  // "CZYTAJ BD"
        Click(w->Edit466);
        TypeOver(w->Edit466, serial);
        Command(w->Panel238);  // "Q"
        Command(w->JobRowPanels[0]);
        ASSERT_EQ(w->Edit21->Text(), serial);
        EXPECT_EQ(w->Memo10->Text(), c.scope);
        EXPECT_EQ(w->Memo22->Text(), defaultRequirements);

        QTemporaryDir out;
        const QString pdf = out.filePath("protocol.pdf");
        Application->PrintDialogResponder = [&] { return std::optional<QString>(pdf); };
        Command(w->Panel33);  // "DRUKUJ"
        for (TPanel *tick :
             {w->Panel246, w->Panel247, w->Panel405, w->Panel248, w->Panel249, w->Panel250, w->Panel283})
            if ((tick->Color() == clBlack) != (tick == w->Panel247)) Click(tick);
        Command(w->Panel251);
        Application->PrintDialogResponder = nullptr;
        const std::string paper = RunCommand("pdftotext '" + pdf.toStdString() + "' - 2>&1");
        for (const char *other : {"Zakres B", "Zakres C", "Zakres D"})
            EXPECT_EQ(paper.find(other) != std::string::npos, c.scope.startsWith(other)) << other << "\n"
                                                                                         << paper;
    }
}

}  // namespace
