#include "evaluation/fare_grid.h"

#include "evaluation/checked_number.h"

namespace evaluation {

bool OwnGroupWithoutInitialSegment(const EvaluationState &state, const EvaluationSwitches &switches,
                                   int slot) {
    return switches.MeterFamily == 1 && state.TariffGroupFlag[slot / 4] == 0;
}

namespace {

class GridComputation {
public:
    GridComputation(EvaluationState &state, const EvaluationSwitches &switches, int tariff, bool timeTest,
                    const TariffPage &page, const DerivedSteps &steps, GridScreen &grid)
        : state_(state),
          switches_(switches),
          slot_(switches.LayoutBase + tariff),
          test_(timeTest ? kTimeTest : kDistanceTest),
          timeTest_(timeTest),
          modeS_(switches.ModeText == "S"),
          zt_(switches.RegimeCaption == "ZT"),
          ownNoInitial_(OwnGroupWithoutInitialSegment(state, switches, slot_)),
          oplP_(state.TariffParams[kOplP][slot_]),
          jt_(state.TariffGroupUnits[kJT][slot_ / 4]),
          t_(page.Tariffs[tariff]),
          steps_(steps),
          grid_(grid) {}

    void Run() {
        FeeMeter();
        PaidCorrect();
        PaidNominal();
        FeeStationRowZero();
        Put(kFeeError, 0, Guarded([&] { return FixedSingle(Cell(kFeeStation, 0) - Cell(kFeeMeter, 0), 2); }));
        FeeStationRows();
        for (int i = 1; i < kMeasuringRows; ++i)
            Put(kFeeError, i,
                Guarded([&] { return FixedSingle(Cell(kFeeStation, i) - Cell(kFeeMeter, i), 2); }));
        FeePercent();
        for (int i = 0; i < kMeasuringRows; ++i)
            grid_.Cells[kPaidError][i] =
                Guarded([&] { return FixedSingle(Cell(kPaidCorrect, i) - Cell(kPaidNominal, i), 3); });
    }

private:
    const std::string &Text(int column, int row) const { return grid_.Cells[column][row]; }
    Ext Cell(int column, int row) const { return Value(Text(column, row)); }
    Ext Units(int row) const { return Cell(kUnits, row); }
    // OpłP and JT enter the arithmetic at single precision.
    Ext OplP() const { return Single(Value(oplP_)); }
    Ext JT() const { return Single(Value(jt_)); }
    bool NomZeroMissing() const { return IsMissing(Text(kNom, 0)); }
    bool RowZeroCancelled() const { return Text(kUnits, 0) == kMissing || NomZeroMissing(); }

    // Writes a cell to the screen and the test's store; in mode D the fee columns are shared with
    // the other test (the taximeter's fee when the mode text reads "D", the others unless it reads "S").
    void Put(GridColumn column, int row, std::string text) {
        state_.FareGridStore[test_][column][slot_][row] = text;
        const bool shared = column == kFeeMeter ? switches_.ModeText == "D"
                                                : !modeS_ && (column == kFeeStation || column == kFeeError ||
                                                              column == kFeeErrorPct);
        if (shared) state_.FareGridStore[1 - test_][column][slot_][row] = text;
        grid_.Cells[column][row] = std::move(text);
    }

    void FeeMeter() {
        std::string first = Guarded([&] { return Fixed(OplP(), 2); });
        if (RowZeroCancelled()) first = std::string(kMissing);
        Put(kFeeMeter, 0, std::move(first));
        for (int i = 1; i < kMeasuringRows; ++i)
            Put(kFeeMeter, i, Guarded([&] { return FixedSingle((Units(i) - 1) * JT() + OplP(), 2); }));
    }

    void PaidCorrect() {
        Put(kPaidCorrect, 0, Guarded([&] { return FixedSingle(Cell(kNom, 0), 3); }));
        for (int i = 1; i < kMeasuringRows; ++i) {
            Put(kPaidCorrect, i,
                Guarded([&] { return FixedSingle(zt_ ? Cell(kNom, i) - Cell(kNom, 0) : Cell(kNom, i), 3); }));
        }
    }

    Ext InitialStep() const {
        if (ownNoInitial_) return 0;
        if (timeTest_) return modeS_ ? Value(t_.Cps) : Ext(ModeDStep(steps_.CpsD));
        return modeS_ ? Value(t_.Dps) : Ext(ModeDStep(steps_.DpsD));
    }

    // A mode-D initial step that failed to derive leaves row 0 without a nominal value.
    static float ModeDStep(const std::optional<float> &step) {
        if (!step) throw StepFailed{};
        return *step;
    }

    Ext Tenths(Ext value) const { return timeTest_ && switches_.CzasX10 ? value * 0.1L : value; }

    void PaidNominal() {
        std::string first = Guarded([&] { return FixedSingle(Tenths(InitialStep()), 3); });
        if (RowZeroCancelled()) first = std::string(kMissing);
        Put(kPaidNominal, 0, std::move(first));
        for (int i = 1; i < kMeasuringRows; ++i) {
            Put(kPaidNominal, i, Guarded([&] {
                    Ext value;
                    if (modeS_) {
                        value = (Units(i) - 1) * Value(timeTest_ ? t_.Cns : t_.Dns);
                    } else {
                        const Ext vgn = Value(t_.Vgn);
                        const Ext vset = Value(t_.Vset);
                        value = timeTest_ ? (Units(i) - 1) * (vgn * Value(t_.Cns)) / (vgn + vset)
                                          : (Units(i) - 1) * (Value(t_.Dns) * vset) / (vgn + vset);
                    }
                    value = Tenths(value);
                    if (!zt_) value = value + Cell(kPaidNominal, 0);
                    return FixedSingle(value, 3);
                }));
        }
    }

    void FeeStationRowZero() {
        Put(kFeeStation, 0, Guarded([&] {
                const Ext z = Cell(kPaidNominal, 0);
                if (z.value() == 0) {
                    if (!ownNoInitial_) throw StepFailed{};
                    return FixedSingle(OplP(), 2);
                }
                if (ownNoInitial_) return FixedSingle(OplP(), 2);
                if (modeS_) return FixedSingle(Cell(kFeeMeter, 0) * (Cell(kPaidCorrect, 0) / z), 2);
                return FixedSingle(
                    OplP() * (Value(state_.FareRowStore[kTimeNom][slot_][0]) / Value(t_.Cps) +
                              Value(state_.FareRowStore[kDistanceNom][slot_][0]) / Value(t_.Dps)),
                    2);
            }));
    }

    void FeeStationRows() {
        const auto &timeNom = state_.FareRowStore[kTimeNom][slot_];
        const auto &distNom = state_.FareRowStore[kDistanceNom][slot_];
        for (int i = 1; i < kMeasuringRows; ++i) {
            Put(kFeeStation, i, Guarded([&] {
                    if (modeS_) {
                        return FixedSingle((Cell(kFeeError, 0) + OplP()) + (Units(i) - 1) * JT() *
                                                                               Cell(kPaidCorrect, i) /
                                                                               Cell(kPaidNominal, i),
                                           2);
                    }
                    return FixedSingle(
                        Cell(kFeeStation, 0) +
                            (Value(distNom[i]) - Value(distNom[0])) * Value(t_.OplD) * 0.001L +
                            (Value(timeNom[i]) - Value(timeNom[0])) * Value(t_.OplC) * (1.0L / 3600),
                        2);
                }));
        }
    }

    void FeePercent() {
        std::string first = Guarded([&] {
            if (Value(oplP_).value() == 0) return Fixed(0, 3);
            return FixedSingle(Cell(kFeeError, 0) / Cell(kFeeMeter, 0) * 100, 3);
        });
        if (NomZeroMissing()) first = std::string(kMissing);
        Put(kFeeErrorPct, 0, std::move(first));
        for (int i = 1; i < kMeasuringRows; ++i)
            Put(kFeeErrorPct, i,
                Guarded([&] { return FixedSingle(Cell(kFeeError, i) / Cell(kFeeMeter, i) * 100, 3); }));
    }

    EvaluationState &state_;
    const EvaluationSwitches &switches_;
    const int slot_;
    const int test_;
    const bool timeTest_;
    const bool modeS_;
    const bool zt_;
    const bool ownNoInitial_;
    const std::string &oplP_;
    const std::string &jt_;
    const TariffColumn &t_;
    const DerivedSteps &steps_;
    GridScreen &grid_;
};

}  // namespace

void ComputeGrid(EvaluationState &state, const EvaluationSwitches &switches, int tariff, bool timeTest,
                 const TariffPage &page, const DerivedSteps &steps, GridScreen &grid) {
    GridComputation(state, switches, tariff, timeTest, page, steps, grid).Run();
}

}  // namespace evaluation
