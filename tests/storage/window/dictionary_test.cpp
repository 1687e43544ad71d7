// The pick list of earlier entries through the window: the ">" buttons, "POBIERZ", "USUŃ" and
// "ANULUJ".
#include <gtest/gtest.h>

#include "storage/window/texts_window_fixture.h"

namespace {

class WindowDictionary : public TextsWindowTest {
protected:
    // The rows of the pick list, column 0 / column 1 / column 2.
    QStringList GridRows() const {
        QStringList rows;
        for (int r = 0; r < form->StringGrid1->RowCount(); ++r)
            rows.append(form->StringGrid1->Cells(0, r) + "/" + form->StringGrid1->Cells(1, r) + "/" +
                        form->StringGrid1->Cells(2, r));
        return rows;
    }
    void SaveJob() {
        Command(form->Panel35);   // "ZAPISZ BD"
        Command(form->Panel151);  // "ZAPISZ"
    }
};

TEST_F(WindowDictionary, ATypedPlaceIsOfferedAfterTheJobIsSavedAndTheProgramStartedAgain) {
    TForm1 *w = &Start();
    TypeOver(w->Memo2, "Gdańsk Oliwa");
    SaveJob();

    w = &Start();
    TypeOver(w->Memo2, "inne");
    Click(w->Button16);
    EXPECT_TRUE(w->Panel236->Visible());
    EXPECT_FALSE(w->Panel239->Visible());
    EXPECT_EQ(w->Label146->Caption(), "Miejsce przeprowadzenia sprawdzenia:");
    EXPECT_EQ(w->StringGrid1->ColWidths(0), static_cast<int>(0.99 * w->StringGrid1->Width()));
    ASSERT_EQ(GridRows(), QStringList{"Gdańsk Oliwa\r\n//1"});

    ClickGridRow(0);
    Command(w->Panel407);  // "POBIERZ"
    EXPECT_EQ(w->Memo2->Text(), "Gdańsk Oliwa\r\n");
    EXPECT_EQ(Bytes("mp.txt"), QByteArray("Gda\xF1sk Oliwa\r\n"));
    EXPECT_FALSE(w->Panel236->Visible());
    EXPECT_TRUE(w->Panel239->Visible());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowDictionary, EachButtonFillsItsOwnField) {
    TForm1 *w = &Start();
    w->Edit10->SetText("Jan Nowak");
    w->Edit9->SetText("technik");
    w->Edit16->SetText("plomba na obudowie");
    w->Edit461->SetText("drukarka");
    w->Memo5->SetText("Taxi Sp. z o.o.");
    w->Memo3->SetText("Producent S.A.");
    SaveJob();
    for (TEdit *edit : {w->Edit10, w->Edit9, w->Edit19, w->Edit464}) edit->SetText("---");
    w->Memo5->SetText("");
    w->Memo3->SetText("");

    struct Case {
        TButton *button;
        const char *caption;
        TControl *target;
        QString expected;
    };
    const Case cases[] = {
        {w->Button2, "Imię i nazwisko / Stanowisko służbowe", w->Edit10, "Jan Nowak"},
        {w->Button7, "Umieszczenie cech zabezpieczających", w->Edit19, "plomba na obudowie"},
        {w->Button15, "Dane dotyczące elementów (urządzeń dodatkowych)", w->Edit464, "drukarka"},
        {w->Button17, "Wnioskodawca:", w->Memo5, "Taxi Sp. z o.o.\r\n"},
        {w->Button3, "Producent:", w->Memo3, "Producent S.A.\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption);
        Click(c.button);
        EXPECT_EQ(w->Label146->Caption(), QString::fromUtf8(c.caption));
        const int row = w->StringGrid1->RowCount() - 1;  // the last entry of the kind
        ClickGridRow(row);
        Command(w->Panel407);
        const auto *edit = dynamic_cast<TEdit *>(c.target);
        EXPECT_EQ(edit != nullptr ? edit->Text() : dynamic_cast<TMemo *>(c.target)->Text(), c.expected);
    }
    EXPECT_EQ(w->Edit9->Text(), "technik");
    EXPECT_EQ(w->StringGrid1->ColWidths(0), static_cast<int>(0.99 * w->StringGrid1->Width()));
    Click(w->Button2);
    EXPECT_EQ(w->StringGrid1->ColWidths(1), static_cast<int>(0.6 * w->StringGrid1->Width()));
}

TEST_F(WindowDictionary, DeletingARowFreesItsEntryAndANumberCellThatIsNoNumberDeletesNothing) {
    TForm1 *w = &Start();
    for (const char *name : {"Jan Nowak", "Ewa Kos"}) {
        w->Edit10->SetText(name);
        w->Edit9->SetText("technik");
        SaveJob();
    }
    Click(w->Button2);
    ASSERT_EQ(GridRows(), (QStringList{"Jan Nowak/technik/1", "Ewa Kos/technik/2"}));
    ClickGridRow(1);
    Command(w->Panel408);  // "USUŃ"
    EXPECT_EQ(GridRows(), QStringList{"Jan Nowak/technik/1"});
    EXPECT_EQ(Stored(w->Table6, 33, 2), "---");
    EXPECT_EQ(Stored(w->Table6, 39, 2), "---");

    // The placeholder row and cells that are no decimal number delete nothing.
    for (const QString &cell : {QString(), QStringLiteral("x"), QStringLiteral("1a")}) {
        w->StringGrid1->SetCells(2, 0, cell);
        Command(w->Panel408);
        EXPECT_EQ(Stored(w->Table6, 33, 1), "Jan Nowak") << cell.toStdString();
    }
    w->StringGrid1->SetCells(2, 0, "1");
    Command(w->Panel408);
    EXPECT_EQ(GridRows(), QStringList{"---/---/"});
    Command(w->Panel408);
    Command(w->Panel407);  // picking the placeholder changes nothing
    EXPECT_EQ(w->Edit10->Text(), "Ewa Kos");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowDictionary, APickForTheJobListFillsOnlyItsSearchEditAndCancellingReturnsToTheList) {
    TForm1 *w = &Start();
    w->Edit10->SetText("Jan Nowak");
    w->Memo5->SetText("Przedsiębiorstwo Taksówkowe Lux");
    SaveJob();
    w->Edit10->SetText("bez zmian");
    Command(w->Panel36);  // "CZYTAJ BD"

    Click(w->Button19);
    ClickGridRow(0);
    Command(w->Panel407);
    EXPECT_EQ(w->Edit469->Text(), "Jan Nowak");
    EXPECT_EQ(w->Edit469->Color(), clWhite);
    EXPECT_EQ(w->Edit469->Font().Color(), clBlack);
    EXPECT_EQ(w->Edit10->Text(), "bez zmian");
    EXPECT_TRUE(w->Panel38->Visible());

    Click(w->Button18);
    ClickGridRow(0);
    Command(w->Panel407);
    EXPECT_EQ(w->Edit470->Text(), "Przedsiębiorstwo ");  // its first 17 characters

    // "ANULUJ" goes back to the list, and the next pick from the form fills the form again.
    Click(w->Button19);
    Command(w->Panel237);
    EXPECT_TRUE(w->Panel38->Visible());
    EXPECT_FALSE(w->Panel236->Visible());
    Command(w->Panel149);  // "WYJDZ"
    Click(w->Button2);
    ClickGridRow(0);
    Command(w->Panel407);
    EXPECT_EQ(w->Edit10->Text(), "Jan Nowak");
}

}  // namespace
