// Loading the tariffs, results and counters of a saved job. The stored values go into the
// evaluation's stores first; each tariff is then selected, which shows them, and both of its tests
// are evaluated, so nothing the evaluation writes on the screen replaces a loaded value.
#include "app/form1.h"
#include "platform/runtime/numbers.h"
#include "storage/field_values.h"

using storage::LoadedJob;
using namespace evaluation;

namespace {

const std::string kNone = "---";

uint8_t Bit(int32_t mask, int bit) {
    return (mask >> bit & 1) != 0 ? 1 : 0;
}

}  // namespace

void TForm1::LoadNormalJob(const LoadedJob &job) {
    using storage::kAddInt64;
    using storage::kGenData;
    using storage::kLicznikiD;
    TariffSelPanels[0]->SetColor(clBtnShadow);
    UpdatePnelTaryf(0);
    TariffGroupUnits[kSTC][0] = job.Text(kGenData, 123);
    if (MeterFamily == 0) {
        TariffParams[kOplP][0] = job.Text(kGenData, 125);
        TariffGroupUnits[kJT][0] = job.Text(kGenData, 122);
        TariffGroupUnits[kJDOPL][0] = job.Text(kGenData, 124);
    }
    VehicleResults = job.Integer(kAddInt64, 18) != 0 ? 1 : 0;
    Panel278->SetColor(job.Integer(kGenData, 49) == 0 ? clWhite : clBlack);
    ZmianaTestedMask = static_cast<uint32_t>(job.Integer(kGenData, 43));
    if (ZmianaTestedMask != 0) ZmianaPending = 1;
    LicznikiKeep[0] = storage::WholeNumber(storage::LineOf(job.Lines(kLicznikiD, 170), 0)).value_or(0);
    LoadChecklist(job);
    LicznikiKeep[1] = job.Number(kLicznikiD, 171).value_or(0);
    LicznikiKeep[2] = job.Number(kLicznikiD, 161).value_or(0);
    const int32_t groupFlags = job.Integer(kAddInt64, 36);
    for (int g = 0; g < kGroups; ++g)
        TariffGroupFlag[static_cast<size_t>(g)] = Bit(groupFlags, g) != 0 ? 0 : 1;
    const std::vector<std::string> dates = job.Lines(storage::kGenData2, 31);
    for (size_t g = 0; g < TariffGroupTexts.size(); ++g) {
        TariffGroupTexts[g][0] = QString::fromStdString(storage::LineOf(dates, g));
        TariffGroupTexts[g][1] = QString::fromStdString(storage::LineOf(dates, g + 4));
    }
    // Kept beside the dates so that a reprint shows the groups' maximum surcharges as read.
    const std::vector<std::string> surcharges = job.Lines(storage::kGenData2, 14);
    for (size_t g = 0; g < GroupMaxSurcharge.size(); ++g) {
        const std::string surcharge = storage::LineOf(surcharges, g);
        GroupMaxSurcharge[g] = surcharge.empty() ? "---" : surcharge;
    }
    LoadTariffs(job);
    GetPrzekroczenie();
}

// The checklist in the form it was stored in: older records keep the marks of the first 24 items
// as a number in the job record, today's records all 34 marks as lines.
void TForm1::LoadChecklist(const LoadedJob &job) {
    if (const std::optional<int32_t> mask = job.Number(storage::kGenData, 22)) {
        for (int b = 0; b < 24; ++b)
            ScaledPanels[static_cast<size_t>(202 + b)]->SetCaption(Bit(*mask, b) ? QStringLiteral("+")
                                                                                 : QStringLiteral("-"));
        return;
    }
    const std::vector<std::string> marks = job.Lines(storage::kGenData2, 21);
    for (size_t i = 0; i < InspectionItemPanels.size(); ++i) {
        const std::string mark = storage::LineOf(marks, i);
        InspectionItemPanels[i]->SetCaption(mark == "-" || mark == "ND" ? QString::fromStdString(mark)
                                                                        : QStringLiteral("+"));
    }
}

// The enabled flag, parameter rows 1..5 and station constant of tariff i of a job record, and the
// slot's free-running distance (a line of the job record's list; records of eight lines give
// "---" to the second layout).
void TForm1::LoadTariffBlock(const LoadedJob &job, int table, int i, int slot) {
    TariffEnabledFlags[static_cast<size_t>(slot)] = job.Boolean(table, 50 + 9 * i) ? 1 : 0;
    for (int j = 0; j < 5; ++j) TariffParams[j + 1][slot] = job.Text(table, 52 + 9 * i + j);
    StalaStTaryf[slot] = job.Text(table, 57 + 9 * i);
    const std::string distance =
        storage::LineOf(job.Lines(storage::kGenData, 241), static_cast<size_t>(slot));
    TariffParams[kOpw][slot] = distance.empty() ? kNone : distance;
}

// The NOM and N columns of one test of tariff i from a results record; an empty cell reads "---".
void TForm1::LoadResults(const LoadedJob &job, int table, int i, int slot, int test) {
    for (int r = 0; r < kMeasuringRows; ++r) {
        const std::string nominal = job.Text(table, 10 * i + r + 2);
        const std::string units = job.Text(table, 10 * i + r + 82);
        FareRowStore[test == kTimeTest ? kTimeNom : kDistanceNom][slot][r] =
            nominal.empty() ? kNone : nominal;
        FareGridStore[test][kUnits][slot][r] = units.empty() ? kNone : units;
    }
}

// Start and end values of counters 0..6 (from field `first`, 14 fields a tariff) or of counter 7
// (from `first`, two fields a tariff) of one test of tariff i.
void TForm1::LoadCounters(const LoadedJob &job, int table, int first, int i, int slot, int test) {
    for (int j = 0; j < 2; ++j)
        for (int k = 0; k < 7; ++k)
            CounterStore[test][j][k][slot] = job.Text(table, first + 14 * i + 7 * j + k);
}

void TForm1::LoadCounter7(const LoadedJob &job, int table, int first, int i, int slot, int test) {
    for (int j = 0; j < 2; ++j) CounterStore[test][j][7][slot] = job.Text(table, first + 2 * i + j);
}

// Selects tariff i of the shown layout, which shows the stores of its slot, and evaluates its two
// tests, `first` first; the tariff counts as tested when it has a nominal value.
void TForm1::ShowLoadedTariff(int i, int first) {
    TariffSelPanels[static_cast<size_t>(i)]->SetColor(clBtnShadow);
    UpdatePnelTaryf(i);
    for (int test : {first, 1 - first}) {
        ShowTest(test);
        UpdateEdit(i, test);
    }
    MarkSlotTested(LayoutBase + i);
}

void TForm1::LoadTariffs(const LoadedJob &job) {
    using namespace storage;
    const auto found = [&job](int table) { return job.found[static_cast<size_t>(table)]; };
    const std::vector<std::string> initialFees = job.Lines(kGenData2, 30);
    const std::vector<std::string> units = job.Lines(kGenData2, 32);
    for (int i = 0; i < 8; ++i) {
        LayoutBase = 0;
        SlotFactor[static_cast<size_t>(i)] = static_cast<float>(job.Integer(kAddInt64, 2 + i) / 1000.0);
        if (MeterFamily == 1) {
            TariffParams[kOplP][i] = LineOf(initialFees, static_cast<size_t>(i));
            TariffGroupUnits[kJT][i / 4] = LineOf(units, static_cast<size_t>(i / 4));
        }
        LoadTariffBlock(job, kGenData, i, i);
        const bool ticked = job.Boolean(kGenData, 51 + 9 * i);
        TariffCheckFlags[static_cast<size_t>(i)] = ticked ? 1 : 0;
        TariffCheckBoxes[static_cast<size_t>(i)]->SetChecked(ticked);
        TariffFlagPanels2[static_cast<size_t>(i)]->SetColor(ticked ? clBlack : clWhite);
        if (found(kWynikiD)) {
            LoadResults(job, kWynikiD, i, i, kTimeTest);
            LoadCounters(job, kGenData, 126, i, i, kTimeTest);
            if (found(kLicznikiD)) LoadCounter7(job, kLicznikiD, 129, i, i, kTimeTest);
        }
        if (found(kWynikiC)) {
            LoadResults(job, kWynikiC, i, i, kDistanceTest);
            if (found(kLicznikiD)) {
                LoadCounters(job, kLicznikiD, 2, i, i, kDistanceTest);
                LoadCounter7(job, kLicznikiD, 145, i, i, kDistanceTest);
            }
        }
        ShowLoadedTariff(i, kTimeTest);
    }
    if (VehicleResults != 0 && LicznikiKeep[2] == 0)
        LicznikiKeep[2] = WholeNumber(StalaStTaryf[0]).value_or(0);

    if (MeterFamily != 1 || !found(kGenData2)) return;
    LayoutBase = 8;
    for (int i = 0; i < 8; ++i) {
        const int slot = 8 + i;
        TariffParams[kOplP][slot] = LineOf(initialFees, static_cast<size_t>(slot));
        LoadTariffBlock(job, kGenData2, i, slot);
        TariffGroupUnits[kJT][slot / 4] = LineOf(units, static_cast<size_t>(slot / 4));
        SlotFactor[static_cast<size_t>(slot)] = static_cast<float>(job.Integer(kAddInt64, 2 + slot) / 1000.0);
        if (found(kWynikiD2)) {
            LoadResults(job, kWynikiD2, i, slot, kDistanceTest);
            if (found(kLicznikiD2)) {
                LoadCounters(job, kLicznikiD2, 2, i, slot, kDistanceTest);
                LoadCounter7(job, kLicznikiD2, 145, i, slot, kDistanceTest);
            }
        }
        if (found(kWynikiC2)) {
            LoadResults(job, kWynikiC2, i, slot, kTimeTest);
            LoadCounters(job, kGenData2, 126, i, slot, kTimeTest);
            if (found(kLicznikiD2)) LoadCounter7(job, kLicznikiD2, 129, i, slot, kTimeTest);
        }
        ShowLoadedTariff(i, kDistanceTest);
    }
    const std::vector<std::string> surcharges = job.Lines(kGenData2, 13);
    for (int s = 0; s < kSlots; ++s) TariffJdoplaty[s] = LineOf(surcharges, static_cast<size_t>(s));
}

// The distance NOM values of every slot taken relative to the meter constant k: St x NOM / k, each
// step in single precision; "---" where a value is not a number or k is 0.
void TForm1::FillRelativeToK() {
    const auto st = static_cast<float>(static_cast<uint32_t>(LicznikiKeep[2]));
    long double k = 0;
    const bool haveK = TryStrToFloat(Edit107->Text().toStdString(), k) && k != 0;
    for (int s = 0; s < kSlots; ++s)
        for (int r = 0; r < kMeasuringRows; ++r) {
            long double nominal = 0;
            std::string &target = FareRowStore[kRelativeToK][s][r];
            if (!haveK || !TryStrToFloat(FareRowStore[kDistanceNom][s][r], nominal)) {
                target = kNone;
                continue;
            }
            const auto product = static_cast<float>(st * nominal);
            target = FloatToStrF(static_cast<float>(product / k), 10, 3);
        }
}
