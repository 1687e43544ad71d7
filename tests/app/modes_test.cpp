// Working modes: verification ("Leg."), setting ("Ust.") and a saved job shown (both unlit), and
// the reset of the working record when a verification starts afresh.
#include <limits>

#include "tests/app/shell_fixture.h"

namespace {

using ModesTest = ShellTest;

// The interface sends the station constant in three bytes (up to 16777215 imp/km).
static_assert(std::numeric_limits<decltype(shell::ShellState::StationConstK)>::max() >= 0xFFFFFF);

// Leaves traces of a verification in the working record.
void MarkWorkingRecord(TForm1 &w) {
    w.StalaStTaryf[3] = "1000";
    w.TimeRowFailFlags[3][2][0] = 1;
    w.CounterFailFlags[1][3][4] = 1;
    w.OglErrFlag = 1;
    w.TotalDistance = 1234;
    w.TrybFiskalny = "F";
    w.InspectionItemPanels[0]->SetCaption("-");
    w.CounterStore[0][0][0][0] = "15";
    w.CalcModeState = 3;
}

bool RecordWasReset(const TForm1 &w) {
    return w.StalaStTaryf[3] == "---" && w.TimeRowFailFlags[3][2][0] == 0 && w.CounterFailFlags[1][3][4] == 0 &&
           w.OglErrFlag == 0 && w.TotalDistance == 0 && w.TrybFiskalny == "???" &&
           w.InspectionItemPanels[0]->Caption() == "+" && w.CounterStore[0][0][0][0] == "---";
}

TEST_F(ModesTest, SettingKeepsTheRecordAndUnlocksEveryField) {
    TForm1 &w = Create();
    MarkWorkingRecord(w);
    Press(w.Panel163);
    EXPECT_TRUE(TForm1::Lit(w.Panel163));
    EXPECT_FALSE(TForm1::Lit(w.Panel162));
    EXPECT_EQ(w.Panel162->Font().Color(), clWhite);
    EXPECT_EQ(w.StalaStTaryf[3], "1000");
    EXPECT_EQ(w.OglErrFlag, 1);
    for (TControl *field : std::initializer_list<TControl *>{w.FareGridColumns[0], w.CounterEdits[0],
                                                            w.TariffParamEdits[0], w.MainFieldEdits[0]})
        EXPECT_TRUE(field->Enabled()) << field->Name().toStdString();
    EXPECT_EQ(w.TariffSelPanels[0]->Color(), clWhite) << "the current tariff refreshed";

    Press(w.Panel162);
    EXPECT_TRUE(TForm1::Lit(w.Panel162));
    EXPECT_FALSE(TForm1::Lit(w.Panel163));
    EXPECT_TRUE(RecordWasReset(w)) << "verification starts afresh";
    EXPECT_EQ(w.CalcModeState, 0);
    EXPECT_FALSE(w.FareGridColumns[0]->Enabled());
    EXPECT_FALSE(w.TariffParamEdits[0]->Enabled());
    EXPECT_TRUE(w.MainFieldEdits[0]->Enabled());
}

TEST_F(ModesTest, VerificationOverVerificationResetsOnlyWhenAResetIsPending) {
    TForm1 &w = Create();
    w.LegResetPending = 0;
    MarkWorkingRecord(w);
    Press(w.Panel162);  // "Leg." while lit: nothing
    EXPECT_EQ(w.StalaStTaryf[3], "1000");
    w.Legalizacja(1);  // a device message in verification mode
    EXPECT_EQ(w.StalaStTaryf[3], "1000");

    w.LegResetPending = 1;
    w.VehicleResults = 1;
    w.KlineModeFlags = 0;
    w.Legalizacja(1);
    EXPECT_TRUE(RecordWasReset(w));
    EXPECT_EQ(w.VehicleResults, 0) << "a pending reset also clears the readout state";
    EXPECT_EQ(w.KlineModeFlags, 0xFF);
    EXPECT_EQ(w.LegResetPending, 0);
}

TEST_F(ModesTest, LeavingASavedJobForVerificationClearsItsNumbers) {
    TForm1 &w = Create();
    for (TPanel *mode : {w.Panel162, w.Panel163}) TForm1::SetLit(mode, false);  // a saved job is shown
    w.Edit14->SetText("17");
    w.Edit15->SetText("2024-03-05");
    w.Label155->SetCaption("ZAPISANO");
    Press(w.Panel162);
    EXPECT_EQ(w.Edit14->Text(), "---");
    EXPECT_EQ(w.Edit15->Text(), "---");
    EXPECT_EQ(w.Label155->Caption(), "");
    EXPECT_TRUE(TForm1::Lit(w.Panel162));
}

TEST_F(ModesTest, TheResetFillsTheProtocolDateOnlyWhenItIsMissing) {
    TForm1 &w = Create();
    for (const QString &before : {QString(), QStringLiteral("---")}) {
        w.Edit485->SetText(before);
        w.LegResetPending = 1;
        w.Legalizacja(1);
        EXPECT_NE(w.Edit485->Text(), "---");
        EXPECT_FALSE(w.Edit485->Text().isEmpty());
    }
    w.Edit485->SetText("2020-01-01");
    w.LegResetPending = 1;
    w.Legalizacja(1);
    EXPECT_EQ(w.Edit485->Text(), "2020-01-01");
}

TEST_F(ModesTest, VerificationEndsTheLayoutChangeUnlessARunReturnedToIt) {
    TForm1 &w = Create();
    const QString original = w.MainFieldEdits[0]->Text();
    w.ZmianaUkladow(1);
    EXPECT_TRUE(TForm1::Lit(w.Panel342));
    w.MainFieldEdits[0]->SetText("changed in the procedure");

    w.TestReturn = 1;
    w.Legalizacja(1);
    EXPECT_TRUE(TForm1::Lit(w.Panel342));

    w.TestReturn = 0;
    w.Legalizacja(1);
    EXPECT_FALSE(TForm1::Lit(w.Panel342));
    EXPECT_EQ(w.Panel342->Color(), clInactiveCaptionText);
    EXPECT_EQ(w.MainFieldEdits[0]->Text(), original) << "the general data restored";
    gui::AdvanceTime(200);
    EXPECT_EQ(w.CurrentPage, 0) << "the procedure returns to the parameters page";
}

TEST_F(ModesTest, ResultsDeletionIsOfferedOnTheResultsPageOnlyInTheSettingMode) {
    TForm1 &w = Create();
    Press(w.Panel159);
    EXPECT_FALSE(w.Panel8->Visible());
    Press(w.Panel163);
    EXPECT_TRUE(w.Panel8->Visible());
    Press(w.Panel162);
    EXPECT_FALSE(w.Panel8->Visible());
}

}  // namespace
