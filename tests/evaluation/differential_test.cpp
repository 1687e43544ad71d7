// The evaluation against a deliberately plain re-statement of its rules, on random jobs over
// regime x calculation mode x family x source of results x CZAS x10, with missing, empty and
// zero inputs mixed in. The re-statement shares no code with the evaluation: failures travel as
// a flag beside the value instead of exceptions, and every formula is written out once more.
#include <array>
#include <cfloat>
#include <cmath>
#include <random>
#include <set>

#include "evaluation/fare_evaluation.h"
#include "evaluation_fixture.h"

namespace evaluation::testing {
namespace {

// A value or a failure.
struct M {
    bool ok = false;
    long double v = 0;
    M() = default;
    M(long double value) : ok(std::isfinite(value)), v(value) {}  // NOLINT(google-explicit-constructor)
};
M operator+(M a, M b) {
    return a.ok && b.ok ? M(a.v + b.v) : M();
}
M operator-(M a, M b) {
    return a.ok && b.ok ? M(a.v - b.v) : M();
}
M operator*(M a, M b) {
    return a.ok && b.ok ? M(a.v * b.v) : M();
}
M operator/(M a, M b) {
    return a.ok && b.ok && b.v != 0 ? M(a.v / b.v) : M();
}

M num(const std::string &text) {
    long double v = 0;
    return TryStrToFloat(text, v) ? M(v) : M();
}
M f32(M a) {
    return a.ok && std::fabs(a.v) <= FLT_MAX ? M(static_cast<float>(a.v)) : M();
}
std::string txt(M a, int decimals) {
    return a.ok ? FormatFixed(a.v, decimals) : "---";
}
std::string txt32(M a, int decimals) {
    return txt(f32(a), decimals);
}
bool none(const std::string &s) {
    return s.empty() || s == "---";
}

struct Job {
    EvaluationState state;
    EvaluationSwitches sw;
    EvaluationScreen screen;
    int tariff = 0;
    bool time = true;
};

struct Expected {
    TariffColumn column;
    std::string stc, dpsD, cpsD, dnsD, cnsD;
    std::string grid[10][10];
    bool red[10] = {};
    uint8_t rowFlag[10] = {};
    uint8_t distanceRowZeroFlag = 0;
    int judgedRow = 0;  // the last row with a unit count of the evaluated test
    std::string counter[5][8];
    bool counterRed[8] = {};
    uint8_t counterFlag[8] = {};
    bool distanceRoundingShows = false;  // rounding only the sum would show another test distance
};

// The rules, written out from their description.
Expected Oracle(const Job &job) {
    const EvaluationSwitches &sw = job.sw;
    const EvaluationState &st = job.state;
    const int s = sw.LayoutBase + job.tariff, g = s / 4, T = job.time ? 0 : 1;
    const bool mid = sw.ApprovalRegime == 1, S = sw.ModeText == "S", zt = sw.RegimeCaption == "ZT";
    const bool og = sw.MeterFamily == 1 && st.TariffGroupFlag[g] == 0;
    Expected x;
    TariffColumn &c = x.column;
    c = job.screen.Page.Tariffs[job.tariff];

    // Derived parameters.
    const std::string &JT = st.TariffGroupUnits[0][g];
    x.stc = job.screen.Page.STC[job.tariff / 4];
    c.Dns = txt32(M(1000.0L) * num(JT) / num(c.OplD), 3);
    c.Cns = txt32(M(3600.0L) * num(JT) / num(c.OplC), 3);
    if (!mid) {
        c.Dps = txt32(num(x.stc) * num(c.Dns), 3);
        c.Cps = txt32(num(x.stc) * num(c.Cns), 3);
    } else {
        x.stc = "---";
    }
    c.Vgp = txt32(M(3.6L) * num(c.Dps) / num(c.Cps), 3);
    c.Vgn = txt32(num(c.OplC) / num(c.OplD), 3);
    const M dpsD = f32(num(c.Dps) * num(c.Vset) / (M(3.6L) * num(c.Dps) / num(c.Cps) + num(c.Vset)));
    const M cpsD = f32(num(c.Cps) * M(3.6L) * num(c.Dps) / num(c.Cps) /
                       (M(3.6L) * num(c.Dps) / num(c.Cps) + num(c.Vset)));
    x.dpsD = txt(dpsD, 3);
    x.cpsD = txt(cpsD, 3);
    x.dnsD = txt32(num(c.Dns) * num(c.Vset) / (num(c.OplC) / num(c.OplD) + num(c.Vset)), 3);
    x.cnsD = txt32(num(c.OplC) * (M(3600.0L) * num(JT) / num(c.OplC)) / num(c.OplD) /
                       (num(c.OplC) / num(c.OplD) + num(c.Vset)),
                   3);

    // Grid.
    auto &G = x.grid;
    for (int i = 0; i < 10; ++i) {
        G[0][i] = job.screen.Grid.Cells[0][i];
        G[1][i] = job.screen.Grid.Cells[1][i];
    }
    const std::string *nom = G[0], *n = G[1];
    const auto &nt = st.FareRowStore[kTimeNom][s];
    const auto &nd = st.FareRowStore[kDistanceNom][s];
    const M P = f32(num(st.TariffParams[0][s])), J = f32(num(JT));
    const bool cut0 = n[0] == "---" || none(nom[0]);
    G[2][0] = cut0 ? "---" : txt(P, 2);
    for (int i = 1; i < 10; ++i) G[2][i] = txt32((num(n[i]) - M(1)) * J + P, 2);
    G[6][0] = txt32(num(nom[0]), 3);
    for (int i = 1; i < 10; ++i) G[6][i] = txt32(zt ? num(nom[i]) - num(nom[0]) : num(nom[i]), 3);
    M init = og ? M(0) : job.time ? (S ? num(c.Cps) : cpsD) : (S ? num(c.Dps) : dpsD);
    if (job.time && sw.CzasX10) init = init * M(0.1L);
    G[7][0] = cut0 ? "---" : txt32(init, 3);
    for (int i = 1; i < 10; ++i) {
        M pn;
        if (S)
            pn = (num(n[i]) - M(1)) * num(job.time ? c.Cns : c.Dns);
        else if (job.time)
            pn = (num(n[i]) - M(1)) * (num(c.Vgn) * num(c.Cns)) / (num(c.Vgn) + num(c.Vset));
        else
            pn = (num(n[i]) - M(1)) * (num(c.Dns) * num(c.Vset)) / (num(c.Vgn) + num(c.Vset));
        if (job.time && sw.CzasX10) pn = pn * M(0.1L);
        if (!zt) pn = pn + num(G[7][0]);
        G[7][i] = txt32(pn, 3);
    }
    const M z = num(G[7][0]);
    M fs0;
    if (z.ok && z.v == 0)
        fs0 = og ? P : M();
    else if (z.ok && og)
        fs0 = P;
    else if (z.ok && S)
        fs0 = num(G[2][0]) * (num(G[6][0]) / z);
    else if (z.ok)
        fs0 = P * (num(nt[0]) / num(c.Cps) + num(nd[0]) / num(c.Dps));
    G[3][0] = txt32(fs0, 2);
    G[4][0] = txt32(num(G[3][0]) - num(G[2][0]), 2);
    for (int i = 1; i < 10; ++i) {
        if (S)
            G[3][i] = txt32((num(G[4][0]) + P) + (num(n[i]) - M(1)) * J * num(G[6][i]) / num(G[7][i]), 2);
        else
            G[3][i] = txt32(num(G[3][0]) + (num(nd[i]) - num(nd[0])) * num(c.OplD) * M(0.001L) +
                                (num(nt[i]) - num(nt[0])) * num(c.OplC) * M(1.0L / 3600),
                            2);
    }
    for (int i = 1; i < 10; ++i) G[4][i] = txt32(num(G[3][i]) - num(G[2][i]), 2);
    const M oplP = num(st.TariffParams[0][s]);
    if (none(nom[0]) || !oplP.ok)
        G[5][0] = "---";
    else
        G[5][0] = oplP.v == 0 ? FormatFixed(0, 3) : txt32(num(G[4][0]) / num(G[2][0]) * M(100), 3);
    for (int i = 1; i < 10; ++i) G[5][i] = txt32(num(G[4][i]) / num(G[2][i]) * M(100), 3);
    for (int i = 0; i < 10; ++i) G[8][i] = txt32(num(G[6][i]) - num(G[7][i]), 3);

    // Rows. The other test's unit counts come from its store, the evaluated test's from the screen.
    int last[2] = {0, 0};
    bool any[2] = {false, false};
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < 10; ++i)
            if (!none(t == T ? n[i] : st.FareGridStore[t][1][s][i])) last[t] = i, any[t] = true;
    x.distanceRowZeroFlag = job.time ? st.DistanceRowFailFlags[s][0][0] : 0;
    x.judgedRow = last[T];
    for (int r = 0; r < 10; ++r) {
        if (og && r == 0 && !none(nom[0])) {
            G[9][0] = "0,000";
            continue;
        }
        const M p = f32(num(G[8][r]) / num(G[7][r]) * M(100));
        const M e = num(G[8][r]), pc = num(G[6][r]);
        if (!p.ok || ((r == 0 || r == last[T]) && !pc.ok)) {
            G[9][r] = "---";
        } else {
            G[9][r] = txt(p, 3);
            if (r == 0 || r == last[T]) {
                const double pp = std::fabs(static_cast<double>(static_cast<float>(p.v)));
                const long double ae = std::fabs(e.v), ac = std::fabs(pc.v);
                bool fails;
                if (job.time && mid)
                    fails = sw.VehicleResults ? pp > 0.2 : ae >= 0.2L && pp > 0.1;
                else if (job.time)
                    fails =
                        !sw.VehicleResults && e.v >= std::fabs(0.01L * 1.5L * pc.v) && e.v >= 5 && pp > 0.3;
                else if (mid)
                    fails = sw.VehicleResults ? pp > 2.0 : ae >= 4 && pp > 0.2;
                else if (sw.VehicleResults)
                    fails = ae >= 15 && ae > std::fabs(0.01L * ac);
                else
                    fails = ae >= std::fabs(0.01L * ac) && ae >= 5 && pp > 0.2;
                if (fails && r != 0) x.rowFlag[r] = 1, x.red[r] = true;
                if (r == 0) x.distanceRowZeroFlag = 0;
            }
        }
        if (G[9][r] == "---" && !none(nom[r])) x.rowFlag[r] = 1, x.red[r] = true;
    }
    if (!job.time) x.distanceRowZeroFlag = x.rowFlag[0];

    // Counters.
    static const int dec[8] = {2, 2, 0, 2, 2, 0, 2, 0};
    static const int flagOf[8] = {0, 1, 2, 3, 5, 6, 7, 4};
    auto &C = x.counter;
    for (int i = 0; i < 8; ++i)
        C[0][i] = job.screen.Counters.Cells[0][i], C[1][i] = job.screen.Counters.Cells[1][i];
    float units = 0, fees = 0;
    for (int i = 0; i < 8; ++i) {
        const M d = f32(num(C[1][i]) - num(C[0][i]));
        C[2][i] = txt(d, dec[i]);
        if (d.ok && i == 2 && d.v > 63) units = static_cast<float>(d.v);
        if (d.ok && i == 3 && units != 0) fees = static_cast<float>(d.v);
    }
    const bool dtd = sw.DistanceTestDone != 0, fam1 = sw.MeterFamily == 1;
    // The test distance is a single-precision variable, assigned once more when WOLNY is added.
    M km = M(0), sum = M(0);
    if (!job.time) {
        if (st.SlotTotalDistance[s] != 0)
            sum = M(st.SlotTotalDistance[s]) * M(0.001L);
        else if (dtd)
            sum = M(10);
        else
            sum = num(nom[last[1]]) * M(0.001L);
        km = f32(sum);
        if (!mid && c.Opw != "---") km = f32(km + num(c.Opw)), sum = sum + num(c.Opw);
    }
    x.distanceRoundingShows = km.ok && txt(km, 2) != txt32(sum, 2);
    if (!km.ok) {
        C[3][0] = C[3][1] = "---";
    } else {
        const bool layoutChange = (sw.ZmianaTestedMask >> s) & 1;
        bool blockFailed = false;
        if (none(C[2][0])) {
            C[3][0] = "---";
        } else if (layoutChange && job.time) {
            C[3][0] = fam1 ? C[2][0] : txt(km, 2);
        } else if (layoutChange) {
            M w = M(2.0L);
            if (sw.CalcRelativeToK) {
                M k;
                try {
                    k = M(StrToInt(sw.MeterConstantText));
                } catch (...) {
                }
                w = M(2) * M(sw.StationConstSt) / k;
                c.Opw = txt(w, 1);
            } else {
                c.Opw = "2,0";
            }
            blockFailed = !w.ok;
            C[3][0] = txt(km + w, 2);
        } else {
            C[3][0] = txt(km, 2);
            if (dtd || (job.time && fam1)) C[3][0] = C[2][0];
        }
        M w1 = km;
        if (!job.time && !mid && c.Opw != "---") w1 = w1 - num(c.Opw);
        if (none(C[2][1]))
            C[3][1] = "---";
        else
            C[3][1] = dtd || (job.time && fam1) ? C[2][1] : txt(w1, 2);
        if (blockFailed || (!none(C[2][1]) && !w1.ok)) C[3][0] = C[3][1] = "---";
    }
    // Tariff 1's steps as the derivation left them.
    const TariffColumn &first = job.tariff == 0 ? c : job.screen.Page.Tariffs[0];
    if (!any[T])
        C[3][2] = "---";
    else if (!job.time && dtd)
        C[3][2] = num(first.Dps).ok && num(first.Dns).ok ? C[2][2] : "---";
    else
        C[3][2] = units == 0 ? n[last[T]] : FormatFixed(std::trunc(units), 0);
    const M lastFee = num(G[2][last[T]]);
    C[3][3] = txt(og ? lastFee : fees != 0 ? M(fees) : lastFee + num(JT), 2);
    C[3][4] = C[2][4];
    C[3][5] = !any[0] && !any[1] ? "---" : any[T] ? "1" : "0";
    C[3][6] = txt(num(C[3][3]) + num(C[3][4]), 2);
    const M surcharge = num(C[2][4]);
    C[3][7] =
        (surcharge.ok && surcharge.v == 0) || dtd ? "0" : txt(surcharge / num(job.screen.Page.JDOPL[0]), 0);
    for (int i = 0; i < 8; ++i)
        if (C[2][i] == "---") C[3][i] = "---";
    for (int i = 0; i < 8; ++i) {
        const M e = f32(num(C[2][i]) - num(C[3][i]));
        C[4][i] = txt(e, dec[i]);
        if (!e.ok) continue;
        if (e.v == 0) {
            x.counterFlag[flagOf[i]] = 0;
        } else if (i >= 2) {
            x.counterFlag[flagOf[i]] = 1;
            x.counterRed[i] = true;
        } else {
            const M r3 = num(C[3][i]), r2 = num(C[2][i]);
            const M pct = r3.v != 0 ? M(e.v) / r3 * M(100) : (r3 - r2) / r2 * M(100);
            C[4][i] = pct.ok ? C[4][i] + "/" + txt(pct, 1) + "%" : "---";
        }
    }
    return x;
}

class Random {
public:
    explicit Random(uint32_t start) : rng_(start) {}
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    long double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    std::string Number(double lo, double hi, int decimals) { return FormatFixed(Real(lo, hi), decimals); }
    // A number, or now and then a missing, empty, zero or malformed text.
    std::string Maybe(std::string text) {
        const int r = Int(0, 99);
        if (r < 6) return "---";
        if (r < 9) return "";
        if (r < 11) return "0";
        if (r < 12) return "1.5";
        return text;
    }

private:
    std::mt19937 rng_;
};

// Where the nominal points of a test lie, when the job's tariff makes them plain to see.
struct Nominal {
    bool known = false;
    long double first = 0, step = 0;  // nominal paid value of row 0 and per further unit
    bool fromFirst = false;           // ZT: paid values count from the first point
};

// An error put on purpose near a tolerance limit: absolute (seconds or metres) or in per cent.
long double LimitOffset(Random &r, long double nominal) {
    static const long double absolute[] = {0,  0.2L, -0.2L, 0.199L, 4,   -4, 3.999L, 5,       -5, 6,
                                           -6, 8,    -8,    10,     -10, 15, -15,    14.999L, 20};
    static const long double percent[] = {0.1L, -0.1L, 0.2L, -0.2L, 0.3L, -0.3L, 2, -2, 1.5L, 1, -1};
    if (r.Chance(0.5)) return absolute[r.Int(0, std::size(absolute) - 1)];
    return nominal * percent[r.Int(0, std::size(percent) - 1)] / 100;
}

// A measuring series: NOM and N texts of rows 0..9, on or near the nominal points when they are
// known, else scattered around plausible ones.
std::vector<std::pair<std::string, std::string>> Series(Random &r, bool time, const Nominal &nominal) {
    const int count = r.Int(0, 10);
    const long double init = time ? r.Real(30, 300) : r.Real(100, 2000);
    const long double step = time ? r.Real(10, 200) : r.Real(50, 600);
    const double spread = r.Chance(0.5) ? 0.002 : 0.02;
    std::vector<std::pair<std::string, std::string>> rows(kMeasuringRows);
    int units = 1;
    for (int i = 0; i < count; ++i) {
        long double nom;
        if (nominal.known) {
            const long double paid = (nominal.fromFirst ? 0 : nominal.first) + (units - 1) * nominal.step;
            nom = (nominal.fromFirst && i > 0 ? nominal.first : 0) + paid + LimitOffset(r, paid);
        } else {
            nom = (init + i * step) * (1 + r.Real(-spread, spread));
        }
        // Whole values lie on a multiple of 5 (a tie at two decimals of the kilometre), so that
        // the rounding order of the test distance shows.
        const bool whole = r.Chance(0.3);
        rows[i] = {r.Maybe(FormatFixed(whole ? 5 * std::round(nom / 5) : nom, whole ? 0 : 3)),
                   r.Maybe(std::to_string(units))};
        units += r.Chance(0.9) ? 1 : r.Int(2, 4);
    }
    return rows;
}

// Fills a job with random inputs. The job is reused from one round to the next: everything the
// evaluation of the chosen slot reads is written here.
void FillJob(Random &r, Job &job) {
    EvaluationSwitches &sw = job.sw;
    EvaluationState &st = job.state;
    TariffPage &page = job.screen.Page;
    sw.LayoutBase = r.Chance(0.5) ? 0 : 8;
    job.tariff = r.Int(0, 7);
    job.time = r.Chance(0.5);
    const int s = sw.LayoutBase + job.tariff;
    sw.ApprovalRegime = r.Chance(0.5);
    sw.RegimeCaption = sw.ApprovalRegime ? "MID" : "ZT";
    const int mode = r.Int(0, 19);
    sw.ModeText = mode < 9 ? "S" : mode < 18 ? "D" : "X";
    sw.MeterFamily = r.Chance(0.5);
    for (auto &flag : st.TariffGroupFlag) flag = r.Chance(0.7);
    sw.VehicleResults = r.Chance(0.5);
    sw.CzasX10 = r.Chance(0.3);
    sw.DistanceTestDone = r.Chance(0.15);
    sw.CalcRelativeToK = r.Chance(0.3);
    sw.ZmianaTestedMask = r.Chance(0.15) ? 1u << s : 0;
    sw.StationConstSt = r.Chance(0.9) ? r.Int(4000, 6000) : 0;
    sw.MeterConstantText = r.Maybe(std::to_string(r.Int(4000, 6000)));
    st.SlotTotalDistance[s] = !r.Chance(0.2)  ? 0
                              : r.Chance(0.5) ? static_cast<float>(5 * r.Int(100, 1000))
                                              : static_cast<float>(r.Real(500, 5000));

    // One initial fee and one set of group values for every tariff, so that aligning a NOVITIUS
    // taximeter's tariffs changes nothing the re-statement has to know about.
    const std::string oplP = r.Maybe(r.Number(0, 10, 2));
    const std::string jt = r.Maybe(r.Number(0.1, 2, 2));
    const std::string stc = r.Maybe(r.Number(1, 5, 1));
    const std::string jdopl = r.Maybe(r.Number(0.5, 2, 2));
    for (int i = 0; i < kSlots; ++i) st.TariffParams[kOplP][i] = oplP;
    for (int g = 0; g < kGroups; ++g) {
        st.TariffGroupUnits[kJT][g] = jt;
        st.TariffGroupUnits[kSTC][g] = stc;
        st.TariffGroupUnits[kJDOPL][g] = jdopl;
    }
    page.JT = {jt, jt};
    page.STC = {stc, stc};
    page.JDOPL = {jdopl, jdopl};
    for (TariffColumn &t : page.Tariffs) {
        t.OplP = oplP;
        t.OplD = r.Maybe(r.Number(1, 5, 2));
        t.OplC = r.Maybe(r.Number(20, 80, 2));
        t.Dps = r.Maybe(r.Number(100, 2000, 3));
        t.Cps = r.Maybe(r.Number(30, 300, 3));
        t.Dns = r.Maybe(r.Number(50, 600, 3));
        t.Vset = r.Maybe(r.Number(10, 60, 0));
        t.Opw = r.Chance(0.5) ? "---" : r.Maybe(r.Number(0, 3, 1));
    }

    // Half of the jobs in mode S get plain tariffs and measuring points on or near their
    // nominal values, so that the errors fall on the tolerance limits.
    Nominal timeNominal, distanceNominal;
    if (sw.ModeText == "S" && r.Chance(0.5)) {
        const int stcValue = r.Int(1, 3);
        const long double dns = r.Chance(0.5) ? 500 : 250, cns = r.Chance(0.5) ? 100 : 50;
        for (int g = 0; g < kGroups; ++g) st.TariffGroupUnits[kJT][g] = "1,00";
        page.JT = {"1,00", "1,00"};
        page.STC = {std::to_string(stcValue), std::to_string(stcValue)};
        TariffColumn &t = page.Tariffs[job.tariff];
        t.OplD = FormatFixed(1000 / dns, 2);
        t.OplC = FormatFixed(3600 / cns, 2);
        t.Dps = r.Chance(0.5) ? "1000" : "400";
        t.Cps = r.Chance(0.5) ? "120" : "60";
        const bool zt = !sw.ApprovalRegime;
        const long double tenths = sw.CzasX10 ? 0.1L : 1;
        const bool own = sw.MeterFamily == 1 && st.TariffGroupFlag[s / 4] == 0;
        timeNominal = {true, own ? 0 : (zt ? stcValue * cns : std::stold(t.Cps)) * tenths, cns * tenths, zt};
        distanceNominal = {true, own ? 0 : zt ? stcValue * dns : std::stold(t.Dps), dns, zt};
    }
    const auto timeRows = Series(r, true, timeNominal);
    const auto distanceRows = Series(r, false, distanceNominal);
    for (int i = 0; i < kMeasuringRows; ++i) {
        st.FareRowStore[kTimeNom][s][i] = timeRows[i].first;
        st.FareRowStore[kDistanceNom][s][i] = distanceRows[i].first;
        st.FareGridStore[kTimeTest][kUnits][s][i] = timeRows[i].second;
        st.FareGridStore[kDistanceTest][kUnits][s][i] = distanceRows[i].second;
        st.FareGridStore[kDistanceTest][kNom][s][i] = distanceRows[i].first;
        const auto &shown = job.time ? timeRows[i] : distanceRows[i];
        job.screen.Grid.Cells[kNom][i] = shown.first;
        job.screen.Grid.Cells[kUnits][i] = shown.second;
    }
    st.DistanceRowFailFlags[s][0][0] = r.Chance(0.5);

    struct Range {
        double lo, hi;
        int decimals;
    };
    const Range differences[kCounters] = {{0, 5, 2}, {0, 5, 2}, {55, 70, 0}, {0, 60, 2},
                                          {0, 5, 2}, {0, 2, 0}, {0, 65, 2},  {0, 5, 0}};
    for (int i = 0; i < kCounters; ++i) {
        const long double start = r.Real(0, 10000);
        long double difference = r.Real(differences[i].lo, differences[i].hi);
        if (i == 4 && r.Chance(0.3)) difference = 0;
        const int d = differences[i].decimals;
        job.screen.Counters.Cells[kStart][i] = r.Maybe(FormatFixed(std::round(start), d));
        job.screen.Counters.Cells[kEnd][i] = r.Maybe(FormatFixed(std::round(start) + difference, d));
    }
}

TEST(Differential, EvaluationAgreesWithAPlainRestatement) {
    FormatSettings.DecimalSeparator = ',';
    Random random(20261210);
    int mismatches = 0;
    // How often the jobs reach the outcomes that matter, so that a generator gone flat shows.
    int judgedRowFailed = 0, judgedRowPassed = 0, counterFailed = 0, missingPercent = 0, distanceRounding = 0;
    // Every combination of test, regime, calculation mode, family, source of results and CZAS x10.
    std::set<std::array<int, 6>> combinations;
    const auto job = std::make_unique<Job>();
    for (int n = 0; n < 10000 && mismatches < 5; ++n) {
        FillJob(random, *job);
        const Expected x = Oracle(*job);
        EvaluateTariff(job->state, job->sw, job->tariff, job->time, job->screen);
        const int s = job->sw.LayoutBase + job->tariff;
        const TariffPage &page = job->screen.Page;
        const TariffColumn &c = page.Tariffs[job->tariff];
        const auto &flags = job->time ? job->state.TimeRowFailFlags[s] : job->state.DistanceRowFailFlags[s];
        ::testing::AssertionResult same = ::testing::AssertionSuccess();
        auto check = [&](const auto &actual, const auto &expected, const std::string &what) {
            if (actual == expected || !same) return;
            same = ::testing::AssertionFailure() << what << ": " << ::testing::PrintToString(actual)
                                                 << " expected " << ::testing::PrintToString(expected);
        };
        check(c.Dns, x.column.Dns, "Dns");
        check(c.Cns, x.column.Cns, "Cns");
        check(c.Dps, x.column.Dps, "Dps");
        check(c.Cps, x.column.Cps, "Cps");
        check(c.Vgp, x.column.Vgp, "Vgp");
        check(c.Vgn, x.column.Vgn, "Vgn");
        check(c.Opw, x.column.Opw, "Opw");
        check(page.STC[job->tariff / 4], x.stc, "STC");
        check(page.DpsD, x.dpsD, "DpsD");
        check(page.CpsD, x.cpsD, "CpsD");
        check(page.DnsD, x.dnsD, "DnsD");
        check(page.CnsD, x.cnsD, "CnsD");
        for (int r = 0; r < kMeasuringRows; ++r) {
            const std::string row = " row " + std::to_string(r);
            for (int col = kFeeMeter; col < kGridColumns; ++col)
                check(job->screen.Grid.Cells[col][r], x.grid[col][r], "column " + std::to_string(col) + row);
            check(job->screen.Grid.PercentRed[r], x.red[r], "red" + row);
            check(flags[r][0], x.rowFlag[r], "flag" + row);
        }
        check(job->state.DistanceRowFailFlags[s][0][0], x.distanceRowZeroFlag, "distance row 0 flag");
        for (int i = 0; i < kCounters; ++i) {
            const std::string counter = " counter " + std::to_string(i);
            for (int row = kDifference; row <= kError; ++row)
                check(job->screen.Counters.Cells[row][i], x.counter[row][i],
                      "row " + std::to_string(row) + counter);
            check(job->screen.Counters.ErrorRed[i], x.counterRed[i], "red" + counter);
            check(job->state.CounterFailFlags[job->time ? 0 : 1][s][i], x.counterFlag[i],
                  "flag " + std::to_string(i));
        }
        if (x.judgedRow > 0 && x.grid[kPaidErrorPct][x.judgedRow] != "---")
            ++(x.rowFlag[x.judgedRow] ? judgedRowFailed : judgedRowPassed);
        for (int r = 0; r < kMeasuringRows; ++r)
            missingPercent += x.grid[kPaidErrorPct][r] == "---" && x.rowFlag[r];
        for (uint8_t flag : x.counterFlag) counterFailed += flag;
        distanceRounding += x.distanceRoundingShows;
        combinations.insert({job->time, job->sw.ApprovalRegime, job->sw.ModeText == "S", job->sw.MeterFamily,
                             job->sw.VehicleResults, job->sw.CzasX10});
        if (!same) {
            ++mismatches;
            ADD_FAILURE() << "job " << n << " " << (job->time ? "time" : "distance") << " "
                          << job->sw.RegimeCaption << " mode " << job->sw.ModeText << " family "
                          << int{job->sw.MeterFamily} << " VR " << int{job->sw.VehicleResults} << " x10 "
                          << int{job->sw.CzasX10} << ": " << same.message();
        }
    }
    EXPECT_GT(judgedRowFailed, 500);
    EXPECT_GT(judgedRowPassed, 500);
    EXPECT_GT(counterFailed, 500);
    EXPECT_GT(missingPercent, 500);
    EXPECT_GT(distanceRounding, 10);
    EXPECT_EQ(combinations.size(), 64u);
}

}  // namespace
}  // namespace evaluation::testing
