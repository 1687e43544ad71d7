// The window's evaluator: the tariff page and the grid go through the evaluation core and come
// back with the failure colours.
#include "evaluation/window/tariff_screen_fixture.h"
#include "platform/runtime/numbers.h"

namespace {

using namespace evaluation;

TEST_F(TariffScreen, EvaluationMarksAFailingRowRedAndClearsTheMarkWhenItPasses) {
    FormatSettings.DecimalSeparator = ',';
    w->MeterFamily = 1;
    w->ApprovalRegime = 1;
    w->FunctionDroga();
    Select(0);
    // The edits only, not stored: the slot's initial fee stays missing, so no row has a result.
    w->RecalcGuard = 0;
    const char *values[] = {"5,00", "2,00", "36,00", "1000,000", "120,000"};
    for (int row = kOplP; row <= kCps; ++row) w->TariffParamEdits[8 * row]->SetText(values[row]);
    TEdit *percent = w->FareGridColumns[kGridRows * kPaidErrorPct];
    struct Case {
        const char *nom;
        bool red;
    };
    // A nominal distance without units shown has no error to judge and fails; without a nominal
    // value the row is not judged.
    for (const Case c : {Case{"12", true}, Case{"", false}}) {
        w->FareGridColumns[0]->SetText(c.nom);
        w->FareGridColumns[kGridRows]->SetText("");
        w->UpdateEdit(0, kDistanceTest);
        EXPECT_EQ(percent->Color(), c.red ? clRed : cl3DLight) << c.nom;
        EXPECT_EQ(w->DistanceRowFailFlags[0][0][0], c.red ? 1 : 0) << c.nom;
    }
    EXPECT_EQ(w->UpdateEditBusy, 0);
}

}  // namespace

namespace {

TEST_F(TariffScreen, EnteredNominalValuesAreStoredAndMarkTheSlotTested) {
    struct Case {
        uint8_t family;
        int layoutBase, tariff;
        const char *nom;
        QString list;
    };
    // The own family names a slot by its page's code letter and its place on the page.
    w->TariffPageCode = {'A', 'C', 'E', 'H'};
    for (const Case &c : {Case{1, 8, 5, "100", "H2,"}, Case{1, 0, 0, "100", "A1,"}, Case{0, 0, 6, "100", "7,"},
                          Case{1, 0, 1, "---", ""}}) {
        SCOPED_TRACE(c.list.toStdString());
        w->TestedTariffNames.fill(QString());
        w->Edit8->SetText("");
        w->MeterFamily = c.family;
        w->LayoutBase = c.layoutBase;
        w->FunctionCzas();
        Select(c.tariff);
        w->FareGridColumns[0]->SetText(c.nom);
        w->FareGridColumns[evaluation::kGridRows]->SetText("3");
        w->Edit298Change(w->Edit298);
        const int slot = c.layoutBase + c.tariff;
        EXPECT_EQ(w->FareRowStore[evaluation::kTimeNom][slot][0], c.nom);
        EXPECT_EQ(w->FareGridStore[evaluation::kTimeTest][evaluation::kUnits][slot][0], "3");
        EXPECT_EQ(w->Edit8->Text(), c.list);
    }
}

}  // namespace

namespace {

// The meter constant k is checked against the station constant St the job keeps, not against the
// text of the St field.
TEST_F(TariffScreen, MeterConstantIsCheckedAgainstTheKeptStationConstant) {
    w->VehicleResults = 1;
    w->Edit29->SetText("5060");
    struct Case {
        int32_t st;
        const char *k;
        bool red;
    };
    for (const Case c : {Case{5000, "5050", false}, Case{5000, "5060", true}, Case{0, "5060", true}}) {
        w->LicznikiKeep[TForm1::kKeptStationConstSt] = c.st;
        w->Edit107->SetText(c.k);
        w->UpdateEdit(0, evaluation::kTimeTest);
        EXPECT_EQ(w->Edit107->Color(), c.red ? clRed : cl3DLight) << c.st << " " << c.k;
        EXPECT_EQ(w->OglErrFlag, c.red ? 1 : 0) << c.st << " " << c.k;
    }
}

}  // namespace
