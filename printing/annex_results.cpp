#include "printing/annex_results.h"

#include <array>

#include "platform/runtime/cp1250.h"
#include "platform/runtime/numbers.h"
#include "printing/page_units.h"

namespace printing {

using namespace evaluation;

std::string ResultsCodeData(const AnnexJob &job) {
    const QString data = "Nr:" + job.Text("Edit21") + "\r\nZlec.:" + job.Text("Edit35") + "\r\nData:" +
                         job.Text("Edit102") + "\r\nVIN:" + job.Text("Edit7") + "\r\nWyk.:" + job.Text("Edit10") +
                         "\r\nNr USB:" + job.Text("Edit15");
    return Utf8ToCp1250(data.toStdString());
}

SymbolPlace ResultsCodePlace(int m) { return {ToPixels(25.8, m), ToPixels(2.2, m), m / 20}; }

namespace {

constexpr double kRight = 29.2;

class ResultsPage {
public:
    ResultsPage(TCanvas &canvas, int m, const AnnexJob &job, int slot)
        : page_(canvas, m), job_(job), s_(*job.stores), slot_(slot), systemS_(job.Text("Edit108") == "S") {}

    void Draw(int pages, int pageNumber) {
        Identification(pages, pageNumber);
        SettingsLayout layout;
        layout.title = 5.5;
        layout.certificateValueMid = 4.5;
        layout.certificateValueZt = 5.5;
        layout.makeLabel = 7.9;
        layout.tyreValue = 9.9;
        DrawSettingsBlock(page_, job_, job_.meterFamily == 1, layout);
        Results();
        if (job_.printBaseRun == 0) Counters();
    }

private:
    QString Param(int row) const { return FromStore(s_.TariffParams[row][slot_]); }
    QString Speed(int row) const { return FromStore(s_.TariffSpeedParams[row][slot_]); }
    int Group() const { return slot_ / 4; }

    void Identification(int pages, int pageNumber) {
        DrawAnnexTitle(page_, job_, pages, pageNumber);
        page_.VRule(21.1, 1.2, 2.1);
        page_.HRule(2.1, 9.2, kRight);
        page_.Regular(9.3, 2.2, "ZGŁASZAJĄCY:");
        page_.Regular(24.9, 2.2, "KOD");
        page_.Bold(13.3, 2.4, job_.MemoLine("Memo5", 0));
        page_.Bold(13.3, 2.7, job_.MemoLine("Memo5", 1));
        const bool branch = DrawOffice(page_, job_, 2.9, 3.2);
        page_.HRule(3.3, branch ? 9.2 : 0.8, 24.8);
        page_.Size(page_.BaseSize() - page_.BaseSize() / 4);
        page_.Regular(0.9, 3.65, job_.MemoLine("Memo4", 0));
        page_.Regular(0.9, 3.95, job_.MemoLine("Memo4", 1));
        page_.BaseFont();
        ParameterGrid();
        Heading();
        page_.HRule(4.25, 0.8, 9.2);
        page_.Regular(0.9, 4.3, "Zlecenie Nr:");
        page_.Bold(2.6, 4.3, job_.Text("Edit35"));
        page_.Regular(0.9, 4.6, "z dnia:");
        page_.Bold(2.6, 4.6, job_.Text("Edit102"));
        page_.BaseFont();
        page_.VRule(9.2, 1.2, 5.2);
        page_.VRule(24.8, 1.2, 5.2);
        page_.Frame(0.8, 1.2, kRight, 5.2);
    }

    void ParameterGrid() {
        const auto cell = [&](double y, int column, const QString &label, const QString &value) {
            page_.Regular(13.1 + 4.0 * column, y, label);
            page_.Bold(15.1 + 4.0 * column, y, value);
        };
        cell(3.4, 0, "JT [zł]", FromStore(s_.TariffGroupUnits[kJT][Group()]));
        if (job_.vehicleResults != 0) {
            const std::int32_t n = job_.liczniki[0], c = job_.liczniki[1];
            cell(3.4, 1, "Bd [m]",
                 c == 0 ? QString("---") : QString::fromStdString(FormatFixed(n * static_cast<long double>(c) * 0.001L, 3)));
        } else {
            cell(3.4, 1, "Vj[km/h]", (job_.layoutChangeTestMask >> slot_) & 1U ? QString("---") : Param(kVset));
        }
        cell(3.4, 2, "JDOPŁ [zł]",
             FromStore(job_.meterFamily == 0 ? s_.TariffGroupUnits[kJDOPL][Group()] : s_.TariffJdoplaty[slot_]));
        cell(3.8, 0, "Opł P [zł]", Param(kOplP));
        cell(3.8, 1, "Opł D [zł/km]", Param(kOplD));
        cell(3.8, 2, "Opł C [zł/h]", Param(kOplC));
        cell(4.2, 0, "Dps [m]", Param(kDps));
        cell(4.2, 1, "Cps [s]", Param(kCps));
        cell(4.2, 2, "Vgp [km/h]", Speed(kVgp));
        cell(4.6, 0, "Vgn [km/h]", Speed(kVgn));
        cell(4.6, 1, "Dns [m]", Speed(kDns));
        cell(4.6, 2, "Cns [s]", Speed(kCns));
        if (job_.approvalRegime == 0) {
            page_.Regular(9.5, 4.2, "STC");
            page_.Bold(10.3, 4.2, FromStore(s_.TariffGroupUnits[kSTC][Group()]));
        } else if (job_.meterFamily == 1) {
            page_.Regular(9.5, 4.2, "MxDpł.[zł]");
            page_.Bold(11.4, 4.2, FromStore(job_.maxSurcharge[Group()]));
        }
        page_.Regular(9.5, 4.6, "Opw[km]");
        page_.Bold(10.9, 4.6, Param(kOpw));
        page_.BaseFont();
    }

    void Heading() {
        QString name;
        if (job_.meterFamily == 0) {
            name = QString::number(slot_ + 1);
        } else {
            const std::uint8_t letter = job_.pageCode[Group()];
            // A group whose letter was not read prints the tariff number alone.
            name = (letter != 0 ? QString(QChar(letter)) : QString()) + QString::number(slot_ - 4 * Group() + 1);
        }
        page_.Scaled(1.3);
        page_.Bold(9.4, 3.5, "TARYFA " + name);
        page_.BaseFont();
    }

    // --- Results table ---
    const std::string &Grid(int test, int column, int row) const { return s_.FareGridStore[test][column][slot_][row]; }

    // The printed column (0..7) that a row's failure flags mark, or -1.
    static int MarkedColumn(const std::array<std::uint8_t, 2> &flags) {
        if (flags[1] != 0) return 6;
        if (flags[0] != 0) return 7;
        return -1;
    }

    void Value(double x, double y, const std::string &text, bool marked, double cursor, double boxRight) {
        if (marked)
            page_.Marked(x, y, FromStore(text), job_.colourPrint, x - 0.1, cursor, boxRight, cursor + 0.5);
        else
            page_.Text(x, y, FromStore(text));
    }

    void Results() {
        const double s = (30 - 2 * 0.8 - 0.5) / 14;  // the column step of system D
        if (systemS_) {
            page_.Scaled(1.2);
            const float vj = job_.testSpeedPercent[slot_] * job_.testSpeedValue[slot_] * 0.01f * (job_.czasX10 ? 10 : 1);
            if (vj > 0 && job_.meterFamily == 1)
                page_.Bold(3.6, 9.3,
                           "OBLICZANIE OPŁATY Z CZASU ( Vj=" + QString::fromStdString(FormatFixed(vj, 2)) +
                               "[km/h], zegar x1" + (job_.czasX10 ? "0" : "") + " )");
            else
                page_.Bold(5.0, 9.3, "OBLICZANIE OPŁATY Z CZASU");
            page_.Bold(19.3, 9.3, "OBLICZANIE OPŁATY Z DROGI");
            page_.BaseFont();
        }
        ColumnHeaders(s);
        if (systemS_) {
            page_.HRule(10.6, 1.3, 15.05);
            page_.HRule(10.6, 15.55, kRight);
        }
        page_.HRule(11.5, 1.3, kRight);
        page_.HRule(12.0, 0.8, kRight);

        page_.Canvas().Font().SetStyle(fsBold);
        const double a = systemS_ ? 0.6 : 0.8;
        for (int r = 0; r < kMeasuringRows; ++r) {
            const double cursor = 12.0 + 0.4 * r, y = cursor + 0.1;
            // A count of three digits or more pushes its nominal value right, one blank after it.
            const QString timeUnits = FromStore(Grid(kTimeTest, kUnits, r));
            page_.Text(0.9, y, timeUnits);
            page_.Text(page_.After(0.9, timeUnits, 0.8 + a), y, FromStore(Grid(kTimeTest, kNom, r)));
            const int timeMark = MarkedColumn(s_.TimeRowFailFlags[slot_][r]);
            const int distanceMark = MarkedColumn(s_.DistanceRowFailFlags[slot_][r]);
            if (systemS_) {
                const QString n = FromStore(Grid(kDistanceTest, kUnits, r));
                const double nX = n.size() == 1 ? 15.2 : 15.1;
                page_.Text(nX, y, n);
                page_.Text(page_.After(nX, n, 0.8 + a + 0.3 + 9 * 1.55), y,
                           FromStore(Grid(kDistanceTest, kNom, r)));
                for (int j = 0; j < 8; ++j) {
                    const double tx = 3.0 + j * 1.55, dx = 3.3 + (j + 9) * 1.55;
                    Value(tx, y, Grid(kTimeTest, j + 2, r), j == timeMark, cursor, tx + 1.1);
                    Value(dx, y, Grid(kDistanceTest, j + 2, r), j == distanceMark, cursor, dx + 1.1);
                }
            } else {
                page_.Text(0.8 + a + 0.3 + s, y, FromStore(Grid(kDistanceTest, kNom, r)));
                for (int j = 0; j < 8; ++j) {
                    const double tx = 0.8 + a + (j + 2) * s;
                    Value(tx, y, Grid(kTimeTest, j + 2, r), j == timeMark, cursor, tx + 1.1);
                }
                for (int j = 4; j < 8; ++j) {
                    const double dx = 0.8 + a + (j + 6) * s;
                    Value(dx, y, Grid(kDistanceTest, j + 2, r), j == distanceMark, cursor, dx + 1.1);
                }
            }
        }
        page_.BaseFont();

        page_.Frame(0.8, 9.7, kRight, 16.2);
        if (systemS_) {
            for (int j = 0; j < 18; ++j) {
                const double x = (j <= 8 ? 1.3 : 1.6) + j * 1.55;
                const bool lower = j == 4 || j == 6 || j == 8 || j == 13 || j == 15 || j == 17;
                if (j == 9) {
                    page_.ThickVRule(x, 9.7, 16.2);
                    page_.ThickVRule(1.1 + 9 * 1.55, 9.7, 16.2);
                } else {
                    page_.VRule(x, lower ? 10.6 : 9.7, 16.2);
                }
            }
        } else {
            for (int j = 0; j < 14; ++j) page_.VRule(1.3 + j * s, j % 2 == 1 ? 10.6 : 9.7, 16.2);
        }
    }

    void ColumnHeaders(double s) {
        static const std::array<double, 3> kLineY{9.8, 10.2, 10.7};
        if (systemS_) {
            static const std::array<std::array<const char *, 19>, 3> kTexts{{
                {"", "Wyniki", "OPŁATA", "OPŁATA", "BŁĄD OPŁATY", "", "CZAS PŁATNY [s]", "", "BŁĄD CZASU", "",
                 "Wyniki", "OPŁATA", "OPŁATA", "BŁĄD OPŁATY", "", "DROGA PŁATNA", "", "BŁĄD DROGI", ""},
                {"N", "pomiarów", "TAKSOMETR", "STANOWISKO", "", "", "POPRAWNY", "NOMINALNY", "", "N", "pomiarów",
                 "TAKSOMETR", "STANOWISKO", "", "", "POPRAWNA", "NOMINALNA", "", ""},
                {"", "CZAS [s]", "[zł]", "[zł]", "[zł]", "[%]", "[s]", "[s]", "[s]", "[%]", "DROGA[m]", "[zł]", "[zł]",
                 "[zł]", "[%]", "[m]", "[m]", "[m]", "[%]"},
            }};
            static const std::array<std::array<double, 19>, 3> kOffsets{{
                {0.1, 0.7, 2.3, 3.75, 5.7, 0, 8.4, 0, 12.0, 0, 15.0, 16.5, 18.0, 20.0, 0, 22.9, 0, 26.1, 0},
                {0.1, 0.6, 2.15, 3.6, 0, 0, 8.4, 9.9, 0, 14.4, 14.9, 16.4, 17.9, 0, 0, 22.7, 24.1, 0, 0},
                {0.5, 0.6, 2.6, 4.1, 5.7, 7.2, 8.6, 10.2, 12.0, 13.4, 14.8, 16.8, 18.3, 20.0, 21.5, 22.9, 24.6, 26.1,
                 27.5},
            }};
            for (int line = 0; line < 3; ++line) {
                TextLine header(page_, kLineY[line]);
                for (int col = 0; col < 19; ++col) {
                    const bool small = line == 1 && (col == 2 || col == 3 || col == 6 || col == 7 || col == 11 ||
                                                     col == 12 || col == 15 || col == 16);
                    const bool time = line == 2 && col == 1;
                    page_.Scaled(small ? 0.8 : time ? 0.9 : 1.0);
                    header.Text(0.8 + kOffsets[line][col], kTexts[line][col]);
                }
            }
        } else {
            static const std::array<std::array<const char *, 15>, 3> kTexts{{
                {"", "Wyniki", "", "OPŁATA", "OPŁATA", "BŁĄD OPŁATY", "", "CZAS PŁATNY", "", "BŁĄD CZASU", "",
                 "DROGA PŁATNA", "", "BŁĄD DROGI", ""},
                {"N", "pomiarów", "", "TAKSOMETR", "STANOWISKO", "", "", "POPRAWNY", "NOMINALNY", "", "", "POPRAWNA",
                 "NOMINALNA", "", ""},
                {"", "CZAS [s]", "DROGA [m]", "[zł]", "[zł]", "[zł]", "[%]", "[s]", "[s]", "[s]", "[%]", "[m]", "[m]",
                 "[m]", "[%]"},
            }};
            static const std::array<std::array<double, 15>, 3> kOffsets{{
                {0.1, 1.8, 0.1, 0.5, 0.5, 1.2, 0.1, 1.3, 0.1, 1.1, 0.1, 0.8, 0, 1.1, 0.1},
                {0.1, 1.7, 0.1, 0.3, 0.2, 0.1, 0.1, 0.4, 0.4, 0.1, 0.1, 0.3, 0.3, 0.1, 0.1},
                {0.5, 0.6, 0.4, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 0.8},
            }};
            for (int line = 0; line < 3; ++line) {
                TextLine header(page_, kLineY[line]);
                for (int col = 0; col < 15; ++col) {
                    const bool small = line == 1 && (col == 3 || col == 4 || col == 7 || col == 8 || col == 11 ||
                                                     col == 12);
                    page_.Scaled(small ? 0.9 : 1.0);
                    header.Text(col == 0 ? 0.8 + kOffsets[line][0] : col * s + kOffsets[line][col] - 0.8,
                                kTexts[line][col]);
                }
            }
        }
        page_.BaseFont();
    }

    // --- Counters table ---
    void Counters() {
        static constexpr std::array<int, 8> kOrder{0, 1, 2, 3, 7, 4, 5, 6};
        static const std::array<const char *, 10> kLabels{"",      "STAN",        "LICZNIKÓW",    "TAKSOMETRU",
                                                         "",      "Stan początkowy", "Stan końcowy", "Różnica",
                                                         "Realizacja w teście", "Błąd"};
        static const std::array<std::array<const char *, 8>, 4> kHeaders{{
            {"Suma", "Suma", "Suma", "Suma", "Suma", "Suma", "Liczba", "Suma opłat"},
            {"przejech.", "kilometrów", "jednostek", "opłat", "jednostek", "dopłat", "kursów", "i dopłat"},
            {"kilometrów", "płatnych", "taryfowych", "", "dopłat", "", "", ""},
            {"[km]", "[km]", "---", "[zł]", "---", "[zł]", "---", "[zł]"},
        }};
        static const std::array<std::array<double, 8>, 4> kHeaderOffsets{{
            {0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0},
            {0.2, 0.1, 0.1, 0.4, 0.1, 0.3, 0.3, 0.3},
            {0.1, 0.2, 0.1, 0, 0.2, 0, 0, 0},
            {0.5, 0.5, 0.6, 0.6, 0.6, 0.6, 0.6, 0.6},
        }};
        const double top = 16.5;
        const double right = systemS_ ? kRight : 16.4;
        const int groups = systemS_ ? 2 : 1;
        const auto columnX = [](int group, int c) { return 3.6 + (c + 8 * group) * 1.6; };
        double y = top;
        double lineOneTop = top;
        std::array<double, 10> cursorOf{};
        for (int k = systemS_ ? 0 : 1; k < 10; ++k) {
            if ((k == 1 && systemS_) || k == 4 || k == 5) {
                y += 0.1;
                page_.HRule(y, k == 5 ? 0.8 : 3.5, right);
                if (k == 1) lineOneTop = y;
            }
            cursorOf[k] = y;
            const double ty = y + 0.1;
            const double d = k == 1 ? 0.8 : k == 2 ? 0.5 : k == 3 ? 0.3 : 0.1;
            if (k >= 1 && k <= 3)
                page_.Bold(0.8 + d, ty, kLabels[k]);
            else
                page_.Regular(0.8 + d, ty, kLabels[k]);
            if (k == 0) {
                page_.Bold(8.8, ty, "Z CZASU");
                page_.Bold(21.8, ty, "Z DROGI");
            } else if (k <= 4) {
                page_.Canvas().Font().SetStyle(0);
                for (int g = 0; g < groups; ++g)
                    for (int c = 0; c < 8; ++c)
                        page_.Text(columnX(g, c) + kHeaderOffsets[k - 1][c], ty, kHeaders[k - 1][c]);
            } else {
                page_.Canvas().Font().SetStyle(fsBold);
                for (int g = 0; g < groups; ++g) {
                    const int test = systemS_ ? g : kDistanceTest;
                    for (int c = 0; c < 8; ++c) {
                        const std::string &value = s_.CounterStore[test][k - 5][kOrder[c]][slot_];
                        const double x = columnX(g, c);
                        const bool failed = k == 9 && (systemS_ ? s_.CounterFailFlags[test][slot_][c] != 0
                                                                : s_.CounterFailFlags[kTimeTest][slot_][c] != 0 ||
                                                                      s_.CounterFailFlags[kDistanceTest][slot_][c] != 0);
                        Value(x, ty, value, failed, y, columnX(g, c + 1) - 0.2);
                    }
                }
            }
            y += 0.4;
        }
        page_.BaseFont();
        y += 0.2;
        for (int c = 0; c < 8 * groups; ++c) {
            const double x = 3.5 + c * 1.6;
            if (c == 0 || c == 8)
                page_.ThickVRule(x, top, y);
            else
                page_.VRule(x, systemS_ ? lineOneTop : top, y);
        }
        page_.Frame(0.8, top, right, y);

        if (!systemS_) {
            static const std::array<std::array<const char *, 2>, 4> kFormulas{{
                {"Odcinek początkowy drogi:", "DpsD [m] = Dps [m] x Vj /(Vgp + Vj)"},
                {"Okres początkowy czasu:", "CpsD [s]  = Cps[s] x Vgp /(Vgp + Vj)"},
                {"Odcinki kolejne drogi:", "DnsD [m]  = Dns[m] x Vj  / (Vgn + Vj)"},
                {"Okresy  kolejne czasu:", "CnsD [s] = Cns[s] x Vgn /(Vgn + Vj)"},
            }};
            for (int i = 0; i < 4; ++i) {
                page_.Regular(19.2, cursorOf[6 + i] + 0.1, kFormulas[i][0]);
                page_.Bold(23.8, cursorOf[6 + i] + 0.1, kFormulas[i][1]);
            }
            page_.BaseFont();
            page_.HRule(cursorOf[6] + 0.05, 19.2, kRight);
            page_.HRule(cursorOf[9] + 0.5, 19.2, kRight);
        }
    }

    AnnexCanvas page_;
    const AnnexJob &job_;
    const EvaluationState &s_;
    int slot_;
    bool systemS_;
};

}  // namespace

void DrawResultsPage(TCanvas &canvas, int m, const AnnexJob &job, int pages, int page, int slot) {
    ResultsPage(canvas, m, job, slot).Draw(pages, page);
}

}  // namespace printing
