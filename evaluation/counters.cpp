#include "evaluation/counters.h"

#include <cmath>

#include "evaluation/checked_number.h"
#include "evaluation/fare_grid.h"

namespace evaluation {

namespace {

class CounterEvaluation {
public:
    CounterEvaluation(EvaluationState &state, const EvaluationSwitches &switches, int tariff, bool timeTest,
                      const LastRows &lastRows, TariffPage &page, CounterScreen &counters)
        : state_(state),
          switches_(switches),
          slot_(switches.LayoutBase + tariff),
          test_(timeTest ? kTimeTest : kDistanceTest),
          timeTest_(timeTest),
          zt_(switches.ApprovalRegime == 0),
          lastRow_(timeTest ? lastRows.LastTimeRow : lastRows.LastDistanceRow),
          lastRows_(lastRows),
          anyRow_(timeTest ? lastRows.AnyTimeRow : lastRows.AnyDistanceRow),
          tariff_(page.Tariffs[tariff]),
          page_(page),
          rows_(counters.Cells),
          red_(counters.ErrorRed) {}

    void Run() {
        Differences();
        Kilometres();
        rows_[kRealised][2] = Guarded([&] { return RealisedUnits(); });
        rows_[kRealised][3] = Guarded([&] { return RealisedFees(); });
        rows_[kRealised][4] = rows_[kDifference][4];
        rows_[kRealised][5] = !lastRows_.AnyTimeRow && !lastRows_.AnyDistanceRow ? std::string(kMissing)
                              : anyRow_                                          ? "1"
                                                                                 : "0";
        rows_[kRealised][6] = Guarded([&] { return Fixed(Realised(3) + Realised(4), 2); });
        rows_[kRealised][7] = Guarded([&] { return SurchargeUnits(); });
        Errors();
    }

private:
    Ext Realised(int counter) const { return Value(rows_[kRealised][counter]); }
    const std::string &Difference(int counter) const { return rows_[kDifference][counter]; }
    void Store(int row, int counter) {
        state_.CounterStore[test_][row][counter][slot_] = rows_[row][counter];
    }

    void Differences() {
        for (int i = 0; i < kCounters; ++i) {
            rows_[kDifference][i] = Guarded([&] {
                const float d = Single(Value(rows_[kEnd][i]) - Value(rows_[kStart][i]));
                if (i == 2 && d > 63.0f) unitsBeyondGrid_ = d;
                if (i == 3 && unitsBeyondGrid_ != 0) feesBeyondGrid_ = d;
                return Fixed(d, CounterDecimals[i]);
            });
            for (int row : {kStart, kEnd, kDifference}) Store(row, i);
        }
    }

    // The test distance is held in single precision: rounded when it is taken, and rounded again
    // after the distance in WOLNY is added to it.
    float TestDistanceKm() const {
        if (timeTest_) return 0;
        float km;
        if (state_.SlotTotalDistance[slot_] != 0) {
            km = Single(Ext(state_.SlotTotalDistance[slot_]) * 0.001L);
        } else if (switches_.DistanceTestDone) {
            km = 10;
        } else {
            km = Single(Value(state_.FareGridStore[kDistanceTest][kNom][slot_][lastRows_.LastDistanceRow]) *
                        0.001L);
        }
        if (zt_ && tariff_.Opw != kMissing) km = Single(Ext(km) + Value(tariff_.Opw));
        return km;
    }

    // Counters 0 and 1 (kilometres) form one guarded block.
    void Kilometres() {
        try {
            const float testKm = TestDistanceKm();
            rows_[kRealised][0] = IsMissing(Difference(0)) ? std::string(kMissing) : TotalKilometres(testKm);
            rows_[kRealised][1] = IsMissing(Difference(1)) ? std::string(kMissing) : PaidKilometres(testKm);
        } catch (const StepFailed &) {
            rows_[kRealised][0] = rows_[kRealised][1] = std::string(kMissing);
        }
    }

    // The realised value of a kilometre counter, replaced by its difference where the test
    // cannot know better.
    std::string WithDifferenceOverride(std::string realised, int counter) const {
        if (switches_.DistanceTestDone) realised = Difference(counter);
        if (timeTest_ && switches_.MeterFamily == 1) realised = Difference(counter);
        return realised;
    }

    std::string TotalKilometres(float testKm) {
        if (!(switches_.ZmianaTestedMask >> slot_ & 1)) return WithDifferenceOverride(Fixed(testKm, 2), 0);
        if (timeTest_) return switches_.MeterFamily == 1 ? Difference(0) : Fixed(testKm, 2);
        if (!switches_.CalcRelativeToK) {
            tariff_.Opw = Fixed(2, 1);
            return Fixed(Ext(testKm) + 2, 2);
        }
        // The free-running distance of the layout change is two station constants' worth of k.
        Ext w;
        try {
            w = Ext(2) * Ext(switches_.StationConstSt) / Ext(IntValue(switches_.MeterConstantText));
        } catch (const StepFailed &) {
            tariff_.Opw = std::string(kMissing);
            throw;
        }
        tariff_.Opw = Fixed(w, 1);
        return Fixed(Ext(testKm) + w, 2);
    }

    std::string PaidKilometres(float testKm) const {
        Ext km = testKm;
        if (!timeTest_ && zt_ && tariff_.Opw != kMissing) km = km - Value(tariff_.Opw);
        return WithDifferenceOverride(Fixed(km, 2), 1);
    }

    std::string RealisedUnits() const {
        if (!anyRow_) return std::string(kMissing);
        if (!timeTest_ && switches_.DistanceTestDone) {
            // Tariff 1's initial and following distances must read as numbers on this path.
            Value(page_.Tariffs[0].Dps);
            Value(page_.Tariffs[0].Dns);
            return Difference(2);
        }
        if (unitsBeyondGrid_ == 0) return state_.FareGridStore[test_][kUnits][slot_][lastRow_];
        return Fixed(std::trunc(unitsBeyondGrid_), 0);
    }

    std::string RealisedFees() const {
        const std::string &lastFee = state_.FareGridStore[test_][kFeeMeter][slot_][lastRow_];
        if (OwnGroupWithoutInitialSegment(state_, switches_, slot_)) return Fixed(Value(lastFee), 2);
        if (feesBeyondGrid_ != 0) return Fixed(feesBeyondGrid_, 2);
        return Fixed(Value(lastFee) + Value(state_.TariffGroupUnits[kJT][slot_ / 4]), 2);
    }

    std::string SurchargeUnits() const {
        if (IsZeroText(Difference(4)) || switches_.DistanceTestDone) return "0";
        // The surcharge unit of the first page serves every slot.
        return Fixed(Value(Difference(4)) / Value(page_.JDOPL[0]), 0);
    }

    void Errors() {
        for (int i = 0; i < kCounters; ++i)
            if (Difference(i) == kMissing) rows_[kRealised][i] = std::string(kMissing);
        for (int i = 0; i < kCounters; ++i) {
            red_[i] = false;
            rows_[kError][i] = Guarded([&] { return Error(i); });
            Store(kRealised, i);
            Store(kError, i);
        }
    }

    std::string Error(int i) {
        const Ext difference = Value(Difference(i));
        const Ext realised = Realised(i);
        const float e = Single(difference - realised);
        uint8_t &flag = state_.CounterFailFlags[test_][slot_][CounterFlagIndex[i]];
        std::string text = Fixed(e, CounterDecimals[i]);
        if (e == 0) {
            flag = 0;
        } else if (i >= 2) {
            flag = 1;
            red_[i] = true;
        } else {
            // Kilometre counters show their error in per cent too and never fail.
            const Ext percent =
                realised.value() != 0 ? Ext(e) / realised * 100 : (realised - difference) / difference * 100;
            text += "/" + Fixed(percent, 1) + "%";
        }
        return text;
    }

    EvaluationState &state_;
    const EvaluationSwitches &switches_;
    const int slot_;
    const int test_;
    const bool timeTest_;
    const bool zt_;
    const int lastRow_;
    const LastRows &lastRows_;
    const bool anyRow_;
    TariffColumn &tariff_;
    const TariffPage &page_;
    Array<std::string, kCounterRows, kCounters> &rows_;
    Array<bool, kCounters> &red_;
    float unitsBeyondGrid_ = 0;
    float feesBeyondGrid_ = 0;
};

}  // namespace

void EvaluateCounters(EvaluationState &state, const EvaluationSwitches &switches, int tariff, bool timeTest,
                      const LastRows &lastRows, TariffPage &page, CounterScreen &counters) {
    CounterEvaluation(state, switches, tariff, timeTest, lastRows, page, counters).Run();
}

}  // namespace evaluation
