#include "evaluation/derived_params.h"

#include "evaluation_fixture.h"

namespace evaluation::testing {
namespace {

using DerivedParams = EvaluationFixture;

TEST_F(DerivedParams, StepsAndSpeedsFromFees) {
    const DerivedSteps steps = DeriveTariffParams(state, switches, 0, screen.Page);
    const TariffColumn &t = screen.Page.Tariffs[0];
    EXPECT_EQ(t.Dns, "500,000");
    EXPECT_EQ(t.Cns, "100,000");
    EXPECT_EQ(t.Vgn, "18,000");
    EXPECT_EQ(t.Vgp, "30,000");  // 3.6 x 1000 / 120
    EXPECT_FLOAT_EQ(state.TariffVgp[0], 30.0f);
    // Mode-D steps at 30 km/h: DpsD = 1000 x 30 / 60, CpsD = 120 x 30 / 60, DnsD = 500 x 30 / 48,
    // CnsD = 100 x 18 / 48.
    EXPECT_EQ(screen.Page.DpsD, "500,000");
    EXPECT_EQ(screen.Page.CpsD, "60,000");
    EXPECT_EQ(screen.Page.DnsD, "312,500");
    EXPECT_EQ(screen.Page.CnsD, "37,500");
    EXPECT_EQ(state.TariffDParams[kDpsD][0], "500,000");
    EXPECT_EQ(state.TariffDParams[kDnsD][0], "312,500");
    EXPECT_EQ(state.TariffDParams[kCpsD][0], "60,000");
    EXPECT_EQ(state.TariffDParams[kCnsD][0], "37,500");
    ASSERT_TRUE(steps.DpsD && steps.CpsD);
    EXPECT_FLOAT_EQ(*steps.DpsD, 500.0f);
    EXPECT_FLOAT_EQ(*steps.CpsD, 60.0f);
    // MID keeps Dps and Cps as entered and blanks the page's STC.
    EXPECT_EQ(t.Dps, "1000,000");
    EXPECT_EQ(t.Cps, "120,000");
    EXPECT_EQ(screen.Page.STC[0], "---");
}

TEST_F(DerivedParams, MissingFeePerKilometrePropagates) {
    state.TariffVgp[0] = 7.0f;
    screen.Page.Tariffs[0].OplD = "";
    DeriveTariffParams(state, switches, 0, screen.Page);
    const TariffColumn &t = screen.Page.Tariffs[0];
    EXPECT_EQ(t.Dns, "---");
    EXPECT_EQ(t.Vgn, "---");
    EXPECT_EQ(screen.Page.DnsD, "---");
    EXPECT_EQ(screen.Page.CnsD, "---");
    EXPECT_EQ(t.Cns, "100,000");
    EXPECT_EQ(screen.Page.DpsD, "500,000");

    // A zero initial time: Vgp fails and keeps its stored number; the mode-D initial steps fail.
    screen.Page.Tariffs[0].Cps = "0";
    const DerivedSteps steps = DeriveTariffParams(state, switches, 0, screen.Page);
    EXPECT_EQ(t.Vgp, "---");
    EXPECT_EQ(state.TariffVgp[0], 30.0f);
    EXPECT_FALSE(steps.DpsD);
    EXPECT_FALSE(steps.CpsD);
}

TEST_F(DerivedParams, ZtDerivesInitialStepsFromTariffConstant) {
    switches.ApprovalRegime = 0;
    screen.Page.STC[0] = "2";
    DeriveTariffParams(state, switches, 0, screen.Page);
    const TariffColumn &t = screen.Page.Tariffs[0];
    EXPECT_EQ(t.Dps, "1000,000");  // 2 x 500
    EXPECT_EQ(t.Cps, "200,000");   // 2 x 100
    EXPECT_EQ(t.Vgp, "18,000");    // read from the texts just written
    EXPECT_EQ(screen.Page.STC[0], "2");
}

TEST_F(DerivedParams, SecondPageReadsItsGroupAndStc) {
    switches.ApprovalRegime = 0;
    switches.LayoutBase = 8;
    SetTariff(5, "4,00");                     // slot 13, group 3
    state.TariffGroupUnits[kJT][3] = "2,00";  // JT is read from the group's store
    screen.Page.STC[1] = "3";
    DeriveTariffParams(state, switches, 5, screen.Page);
    EXPECT_EQ(screen.Page.Tariffs[5].Dns, "1000,000");
    EXPECT_EQ(screen.Page.Tariffs[5].Dps, "3000,000");
    EXPECT_EQ(state.TariffDParams[kDnsD][13], screen.Page.DnsD);
}

TEST_F(DerivedParams, EvaluationAlignsNovitiusTariffsAndShowsModeDPanelOnlyInModeD) {
    switches.MeterFamily = 0;
    screen.Page.JT[0] = "0,50";
    screen.Page.STC[0] = "4";
    screen.Page.JDOPL[0] = "2,00";
    screen.Page.Tariffs[0].OplP = "5,00";
    const EvaluationOutcome outcome = Evaluate(0, true);
    for (int t = 1; t < 8; ++t) EXPECT_EQ(screen.Page.Tariffs[t].OplP, "5,00");
    for (int slot = 1; slot < kSlots; ++slot) EXPECT_EQ(state.TariffParams[kOplP][slot], "5,00");
    EXPECT_EQ(screen.Page.JT[1], "0,50");
    EXPECT_EQ(screen.Page.STC[1], "4");
    EXPECT_EQ(screen.Page.JDOPL[1], "2,00");
    EXPECT_EQ(state.TariffGroupUnits[kJT][1], "0,50");
    EXPECT_EQ(state.TariffGroupUnits[kSTC][1], "4");
    EXPECT_EQ(state.TariffGroupUnits[kJDOPL][1], "2,00");
    EXPECT_EQ(state.TariffGroupUnits[kJT][2], "");  // only group 1 takes them over
    EXPECT_FALSE(outcome.ModeDPanelVisible);
    EXPECT_EQ(screen.Page.DpsD, "500,000");  // computed even while hidden
    switches.ModeText = "D";
    EXPECT_TRUE(Evaluate(0, true).ModeDPanelVisible);
}

TEST_F(DerivedParams, EvaluationMirrorsTheLayoutsSpeedRows) {
    switches.LayoutBase = 8;
    for (int t = 0; t < 8; ++t) screen.Page.Tariffs[t].Vgn = "v" + std::to_string(t);
    SetTariff(3, "5,00");
    Evaluate(3, false);
    for (int t = 0; t < 8; ++t) {
        if (t != 3) {
            EXPECT_EQ(state.TariffSpeedParams[kVgn][8 + t], "v" + std::to_string(t));
        }
        EXPECT_EQ(state.TariffSpeedParams[kVgn][t], "");
    }
    EXPECT_EQ(state.TariffSpeedParams[kVgn][11], "18,000");
    EXPECT_EQ(state.TariffSpeedParams[kDns][11], "500,000");
}

TEST_F(DerivedParams, NoSuchSlotChangesNothing) {
    switches.LayoutBase = 9;
    Evaluate(7, true);
    switches.LayoutBase = 0;
    Evaluate(8, true);
    Evaluate(-1, false);
    EXPECT_EQ(screen.Page.Tariffs[7].Dns, "");
    EXPECT_EQ(screen.Page.Tariffs[0].Dns, "");
}

}  // namespace
}  // namespace evaluation::testing
