#include "evaluation/verdict.h"

#include <gtest/gtest.h>

namespace evaluation {
namespace {

class Verdict : public ::testing::Test {
protected:
    void SetUp() override { controls.ItemMarks.fill("+"); }
    void Mark(std::initializer_list<int> items, const char *mark = "-") {
        for (int i : items) controls.ItemMarks[i] = mark;
    }
    std::vector<std::string> Lines() const {
        return view.ReasonLines.value_or(std::vector<std::string>{"unset"});
    }
    void Compute() { view = ComputeVerdict(state, controls); }

    EvaluationState state;
    VerdictControls controls;
    VerdictView view;
};

TEST_F(Verdict, NothingFailed) {
    Mark({19, 29, 30, 31, 32}, "ND");
    state.VerdictStatus = 3;
    Compute();
    EXPECT_FALSE(view.Failed);
    EXPECT_EQ(state.VerdictStatus, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(view.RegimeFontRed, false);
    EXPECT_EQ(view.NoResultsLabelVisible, false);
}

TEST_F(Verdict, ReasonsForAMixOfFailures) {
    struct Case {
        bool time, distance, counter, k;
        std::vector<std::string> lines;
        std::initializer_list<int> items = {};
    };
    const Case cases[] = {
        {false, true, false, false, {"błąd pomiaru drogi", ""}},
        {true, false, false, false, {"błąd pomiaru czasu", ""}},
        {true, true, false, false, {"błąd pomiaru drogi , błąd pomiaru czasu", ""}},
        {false, false, true, true, {"", "błąd liczników,błąd ustawienia „k”"}},
        {false, false, false, true, {"", "błąd ustawienia „k”"}},
        {true,
         true,
         true,
         true,
         {"błąd pomiaru drogi , błąd pomiaru czasu", "błąd liczników,błąd ustawienia „k”"}},
        {false,
         true,
         false,
         true,
         {"błąd pomiaru drogi", "błąd ustawienia „k”", "błąd oględzin (1c,7)"},
         {2, 13}},
    };
    for (const Case &c : cases) {
        state = EvaluationState{};
        state.TimeRowFailFlags[15][9][1] = c.time;  // either byte of a pair counts
        state.DistanceRowFailFlags[3][0][0] = c.distance;
        state.CounterFailFlags[1][7][4] = c.counter;
        state.OglErrFlag = c.k;
        controls.ItemMarks.fill("+");
        Mark(c.items);
        Compute();
        EXPECT_TRUE(view.Failed);
        EXPECT_EQ(state.VerdictStatus, kVerdictMeasurement | (c.items.size() ? kVerdictInspection : 0));
        EXPECT_EQ(Lines(), c.lines);
        EXPECT_EQ(view.RegimeFontRed, true);
    }
}

TEST_F(Verdict, CounterFlagsIgnoredWithVehicleResults) {
    state.CounterFailFlags[0][0][0] = 1;
    controls.VehicleResults = 1;
    Compute();
    EXPECT_FALSE(view.Failed);
    state.OglErrFlag = 1;
    Compute();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "błąd ustawienia „k”"}));
}

TEST_F(Verdict, FailedInspectionItemsAreListedByGroup) {
    struct Case {
        std::initializer_list<int> items;
        const char *list;
    };
    const Case cases[] = {
        {{0, 2, 7, 13, 20, 24}, "(1ac,4b,7,12ae)"}, {{4, 17}, "(2,9)"}, {{29, 31}, "(15bd)"}, {{33}, "(15f)"},
        {{3, 4, 6, 27, 28}, "(1d,2,4a,14,15a)"},    {{}, ""},
    };
    for (const Case &c : cases) {
        controls.ItemMarks.fill("+");
        Mark(c.items);
        EXPECT_EQ(FailedItemsList(controls.ItemMarks), c.list);
    }
    Mark({29, 31});
    controls.ItemMarks[30] = "ND";
    controls.ItemMarks[32] = "x";  // any other caption is a pass
    Compute();
    EXPECT_TRUE(view.Failed);
    EXPECT_EQ(state.VerdictStatus, kVerdictInspection);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "", "błąd oględzin (15bd)"}));
}

TEST_F(Verdict, NoTestedTariffs) {
    controls.TestedTariffsEmpty = true;
    Compute();
    EXPECT_TRUE(view.Failed);
    EXPECT_EQ(view.NoResultsLabelVisible, true);
    EXPECT_EQ(state.VerdictStatus, kVerdictMeasurement);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", ""}));
}

TEST_F(Verdict, ChangeModeJudgesItself) {
    state.VerdictStatus = 2;
    state.OglErrFlag = 1;
    controls.ChangeModeOn = true;
    Compute();
    EXPECT_FALSE(view.Failed);
    EXPECT_EQ(Lines(), std::vector<std::string>{});
    EXPECT_EQ(state.VerdictStatus, 2);
    EXPECT_FALSE(view.RegimeFontRed.has_value());
    EXPECT_FALSE(view.NoResultsLabelVisible.has_value());
}

TEST_F(Verdict, FailedItemStaysNegativeWithoutAWorkingMode) {
    // A job reloaded from the list: both mode buttons grey. The memo is left as it is, yet a "-"
    // item keeps the inspection bit so that every page prints a negative result.
    controls.BothModeButtonsGrey = true;
    state.DistanceRowFailFlags[0][1][0] = 1;
    Mark({13});
    Compute();
    EXPECT_TRUE(view.Failed);
    EXPECT_FALSE(view.ReasonLines.has_value());
    EXPECT_EQ(state.VerdictStatus, kVerdictMeasurement | kVerdictInspection);
}

TEST(InspectionMark, CyclesThroughThreeMarks) {
    EXPECT_EQ(NextInspectionMark("+"), "-");
    EXPECT_EQ(NextInspectionMark("-"), "ND");
    EXPECT_EQ(NextInspectionMark("ND"), "+");
    EXPECT_EQ(NextInspectionMark(""), "+");
    EXPECT_EQ(NextInspectionMark("?"), "+");
}

}  // namespace
}  // namespace evaluation
