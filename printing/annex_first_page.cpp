#include "printing/annex_first_page.h"

#include <functional>

#include "platform/runtime/numbers.h"

namespace printing {

using namespace evaluation;

namespace {

constexpr double kRight = 29.2;
constexpr double kTableTop = 11.0;

// The geometry that differs between the two families' tariff tables.
struct TableLayout {
    int columns;                          // slot columns
    double firstColumn, columnWidth;      // x(c) = first + width c
    std::array<double, 3> nameOffsets;    // of rows 0, 1, 2; the others 0.1
    double symbolOffset;                  // from the name
    double nameSeparator, symbolSeparator;
    double singleValue;                   // x of the one value of rows 19 to 21
    double scale;                         // font size of the table, times S0
};

const TableLayout kOwnTable{16, 6.3, 1.45, {2.3, 2.0, 1.8}, 3.6, 6.1, 4.4, 16.3, 0.9};
const TableLayout kNovitiusTable{8, 7.6, 2.8, {2.5, 2.2, 1.9}, 4.1, 6.8, 4.9, 17.6, 1.0};

class FirstPage {
public:
    FirstPage(TCanvas &canvas, int m, const AnnexJob &job, bool ownFamily)
        : page_(canvas, m), job_(job), s_(*job.stores), own_(ownFamily), table_(ownFamily ? kOwnTable : kNovitiusTable) {}

    void Draw(int pages, int pageNumber) {
        Header(pages, pageNumber);
        SettingsLayout layout;
        layout.title = 6.8;
        layout.certificateValueMid = 4.7;
        layout.certificateValueZt = own_ ? 4.7 : 5.5;
        layout.makeLabel = own_ ? 8.0 : 7.9;
        layout.tyreValue = own_ ? 9.9 : 10.1;
        layout.interfaceOnLastRow = !own_;
        DrawSettingsBlock(page_, job_, own_, layout);
        page_.Scaled(1.2);
        page_.Bold(12.3, 10.6, "PARAMETRY TARYF");
        page_.BaseFont();
        page_.Scaled(table_.scale);
        Table();
        Notes();
        page_.BaseFont();
    }

private:
    void Header(int pages, int pageNumber) {
        DrawAnnexTitle(page_, job_, pages, pageNumber);
        page_.VRule(21.1, 1.2, 2.1);
        page_.VRule(24.8, 1.2, 2.1);
        page_.HRule(2.1, 9.2, kRight);
        page_.Regular(9.3, 2.2, "ZGŁASZAJĄCY:");
        page_.Regular(18.3, 2.2, "UWAGI:");
        page_.Regular(page_.After(18.3, "UWAGI:", own_ ? 19.3 : 19.6), 2.2, job_.MemoLine("Memo1", 0));
        page_.Regular(19.6, 2.6, job_.MemoLine("Memo1", 1));
        page_.Regular(19.6, 3.0, job_.MemoLine("Memo1", 2));
        page_.Regular(9.3, 2.6, job_.MemoLine("Memo5", 0));
        page_.Regular(9.3, 3.0, job_.MemoLine("Memo5", 1));
        page_.HRule(3.4, 9.2, kRight);
        page_.Regular(9.3, 3.5, "Osoba przeprowadzająca sprawdzenie");
        page_.Regular(14.6, 3.5, "Stanowisko służbowe");
        page_.Bold(9.3, 3.9, job_.Text("Edit10"));
        page_.Bold(14.6, 3.9, job_.Text("Edit9"));
        page_.Regular(18.5, 3.7, "WYNIK SPRAWDZENIA TAKSOMETRU:");
        page_.Bold(24.3, 3.7, job_.verdictNegative ? " NEGATYWNY" : " POZYTYWNY");
        page_.Regular(18.5, 4.1, "Decyzję podjął:");
        DrawOffice(page_, job_, 4.1, 4.5);
        page_.Regular(9.3, 4.35, "PODPIS");
        page_.Regular(18.5, 4.5, "PODPIS");
        page_.Size(page_.BaseSize() - page_.BaseSize() / 4);
        page_.Regular(0.9, 4.95, job_.MemoLine("Memo4", 0));
        page_.Regular(0.9, 5.25, job_.MemoLine("Memo4", 1));
        page_.BaseFont();
        page_.HRule(5.7, 0.8, 9.2);
        page_.Regular(0.9, 5.8, "Zlecenie Nr: ");
        page_.Regular(2.6, 5.8, job_.Text("Edit35"));
        page_.Regular(0.9, 6.1, "z dnia:");
        page_.Regular(2.6, 6.1, job_.Text("Edit102"));
        page_.Regular(7.9, 6.1, job_.MemoLine("Memo5", 2));
        page_.VRule(9.2, 1.2, 6.5);
        page_.VRule(18.2, 2.1, 6.5);
        page_.Frame(0.8, 1.2, kRight, 6.5);
    }

    double X(int c) const { return table_.firstColumn + table_.columnWidth * c; }

    // The name and symbol of a row at the cursor, in the table's regular font.
    void Names(int r, const QString &name, const QString &symbol) {
        const double x = 0.8 + (r < 3 ? table_.nameOffsets[r] : 0.1);
        page_.Canvas().Font().SetStyle(0);
        page_.Text(x, y_ + 0.1, name);
        page_.Text(x + table_.symbolOffset, y_ + 0.1, symbol);
        page_.Canvas().Font().SetStyle(fsBold);
    }
    void Value(double x, const QString &text) { page_.Text(x, y_ + 0.1, text); }
    void PerColumn(const std::function<QString(int)> &value, double shift = 0) {
        for (int c = 0; c < table_.columns; ++c) Value(X(c) + shift, value(c));
    }
    void AcrossRule() { page_.HRule(y_, 0.8, kRight); }

    bool GroupActive(int g) const {
        return PeriodActive(FromStore(job_.validityDates[2 * g]), FromStore(job_.validityDates[2 * g + 1]), job_.today,
                            job_.reference);
    }

    QString RoadBase() const {
        const std::int32_t n = job_.liczniki[0], c = job_.liczniki[1];
        if (c == 0) return "---";
        const long double metres = (n == 1 ? c : static_cast<long double>(n) * c) / 1000.0L;
        return QString::fromStdString(FormatFixed(metres, 3));
    }

    // The column separators from their tops down to `bottom`.
    void ColumnSeparators(double bottom) {
        if (own_) {
            for (int c = 0; c < 15; ++c) page_.VRule(7.5 + 1.45 * c, c % 4 == 3 ? kTableTop : row5Top_, bottom);
        } else {
            for (int c = 0; c < 7; ++c) page_.VRule(9.6 + 2.8 * c, c == 3 ? kTableTop : row7Top_, bottom);
        }
    }

    void Table() {
        const bool zt = job_.approvalRegime == 0;
        const bool vehicle = job_.vehicleResults != 0;
        const bool systemD = job_.Text("Edit108") == "D";
        std::array<bool, 4> active{true, true, true, true};
        if (own_)
            for (int g = 0; g < 4; ++g) active[g] = GroupActive(g);
        y_ = kTableTop;
        double separatorTop = 0;
        bool separatorsDrawn = false;

        // Row 0: the tariffs' names.
        Names(0, "TARYFA", "");
        if (own_) {
            PerColumn(
                [&](int c) {
                    const std::uint8_t letter = job_.pageCode[c / 4];
                    return letter == 0 ? QString("---") : QString(QChar(letter)) + QString::number(c % 4 + 1);
                },
                0.2);
        } else {
            PerColumn([](int c) { return QString::number(c + 1); });
        }
        y_ += 0.4;
        // Row 1: enabled, on grey unless "TAK".
        Names(1, "Taryfa włączona", "");
        for (int c = 0; c < table_.columns; ++c) {
            QString text;
            if (own_ && job_.pageCode[c / 4] == 0)
                text = "---";
            else
                text = s_.TariffEnabledFlags[c] != 0 && active[c / 4] ? "TAK" : "NIE";
            if (text != "TAK") {
                if (own_)
                    page_.Fill(X(c), y_ + 0.1, X(c) + 0.75, y_ + 0.4, 0xC0C0C0);
                else
                    page_.Fill(X(c) - 0.3, y_ + 0.1, X(c) + 0.4, y_ + 0.4, 0xC0C0C0);
            }
            Value(X(c) + (own_ ? 0.15 : -0.2), text);
        }
        y_ += 0.4;
        // Row 2: the groups' validity (own family), an empty row of 0.3 otherwise.
        if (own_) {
            Names(2, "Układ taryf aktywny", "");
            for (int g = 0; g < 4; ++g) {
                const double x = 6.3 + 5.8 * g;
                const QString start = FromStore(job_.validityDates[2 * g]);
                if (start == "---")
                    Value(x + 2.465, "---");
                else if (!active[g])
                    Value(x + 2.7, "NIE");
                else
                    Value(x + 0.7, "od " + start + " do " + FromStore(job_.validityDates[2 * g + 1]));
            }
            y_ += 0.5;
        } else {
            y_ += 0.3;
        }
        const auto groupX = [&](int g) { return own_ ? 6.3 + 5.8 * g + 2.465 : 12.36 + 11.2 * g; };
        // Row 3: the tariff constant (ZT) or the maximum surcharge (MID, own family only).
        if (zt || own_) {
            row3Top_ = y_;
            AcrossRule();
            Names(3, zt ? "Stała taryf C" : "Max. Dopłaty", zt ? "STC" : "MxDpł.[zł]");
            for (int g = 0; g < table_.columns / 4; ++g)
                Value(groupX(g), FromStore(zt ? s_.TariffGroupUnits[kSTC][g] : job_.maxSurcharge[g]));
            y_ += 0.4;
        } else {
            row3Top_ = y_;  // the NOVITIUS MID table starts its rule and separator at row 4
            AcrossRule();
        }
        // Row 4: the tariff unit.
        Names(4, "Jednostka taryfowa", "JT [zł]");
        for (int g = 0; g < table_.columns / 4; ++g) Value(groupX(g), FromStore(s_.TariffGroupUnits[kJT][g]));
        y_ += own_ ? 0.5 : 0.4;
        // Row 5: the surcharge unit, per slot (own family) or per group.
        row5Top_ = y_;
        if (own_) AcrossRule();
        Names(5, "Jednostka dopłaty", "JDOPŁ [zł]");
        if (own_)
            PerColumn([&](int c) { return FromStore(s_.TariffJdoplaty[c]); });
        else
            for (int g = 0; g < 2; ++g) Value(groupX(g), FromStore(s_.TariffGroupUnits[kJDOPL][g]));
        y_ += 0.4;
        // Row 6: the initial fee, per slot, or per group from slots 0 and 1.
        Names(6, "Opłata początkowa", "Opł P [zł]");
        if (own_)
            PerColumn([&](int c) { return FromStore(s_.TariffParams[kOplP][c]); });
        else
            for (int g = 0; g < 2; ++g) Value(groupX(g), FromStore(s_.TariffParams[kOplP][g]));
        y_ += own_ ? 0.4 : 0.5;
        // Rows 7 to 14.
        row7Top_ = y_;
        if (!own_) AcrossRule();
        static const std::array<std::array<const char *, 2>, 8> kParamRows{{
            {"Opłata za 1 km", "Opł D [zł/km]"},
            {"Opłata za 1 h", "Opł C [zł/h]"},
            {"Odcinek początkowy drogi", "Dps [m]"},
            {"Okres początkowy czasu", "Cps [s]"},
            {"Prędkość gr. dla odc. początk.", "Vgp [km/h]"},
            {"Prędkość gr. dla odc. kolejnych", "Vgn [km/h]"},
            {"Następne odcinki drogi", "Dns [m]"},
            {"Następne okresy czasu", "Cns [s ]"},
        }};
        for (int i = 0; i < 8; ++i) {
            Names(7 + i, kParamRows[i][0], kParamRows[i][1]);
            PerColumn([&](int c) {
                return FromStore(i < 4 ? s_.TariffParams[kOplD + i][c] : s_.TariffSpeedParams[i - 4][c]);
            });
            y_ += 0.4;
        }
        if (vehicle) y_ += 0.1;
        // Rows 15 to 18, calculation mode D only.
        if (systemD) {
            static const std::array<std::array<const char *, 2>, 4> kDRows{{
                {"Odcinek drogi początk.", "DpsD [m]"},
                {"Odcinki drogi kolejne", "DnsD [m]"},
                {"Okres czasu początk.", "CpsD [s]"},
                {"Okresy czasu kolejne", "CnsD [s]"},
            }};
            for (int i = 0; i < 4; ++i) {
                Names(15 + i, kDRows[i][0], kDRows[i][1]);
                PerColumn([&](int c) { return FromStore(s_.TariffDParams[i][c]); });
                y_ += 0.4;
            }
        }
        // Row 19: the set speed, or the road base measured in the vehicle.
        if (vehicle) {
            Names(19, "Baza drogowa", "Bd [m]");
            Value(table_.singleValue, RoadBase());
            separatorTop = y_;
            ColumnSeparators(separatorTop);
            separatorsDrawn = true;
            AcrossRule();
        } else {
            Names(19, "Prędkość zadana w pomiarach", "Vj[km/h]");
            PerColumn([&](int c) {
                return (job_.layoutChangeTestMask >> c) & 1U ? QString("---") : FromStore(s_.TariffParams[kVset][c]);
            });
        }
        y_ += 0.4;
        // Row 20: the station constant per slot, or the vehicle constant w.
        if (vehicle) {
            Names(20, "Współczynnik \"w\" pojazdu", "[imp/km]");
            Value(table_.singleValue,
                  job_.constantCheck.wKnown ? QString::number(job_.constantCheck.w) : QString("---"));
        } else {
            Names(20, "Stała „St” stanowiska", "[imp/km]");
            PerColumn([&](int c) {
                const QString stored = FromStore(s_.StalaStTaryf[c]);
                return job_.calcRelativeToK != 0 && stored != "---" ? job_.Text("Edit107") : stored;
            });
        }
        y_ += 0.4;
        // Row 21: the setting accuracy of k, in the vehicle only.
        if (vehicle) {
            Names(21, "Dokładność ustawienia „k”", "[%]");
            const auto &accuracy = job_.constantCheck.accuracy;
            const QString text = accuracy ? QString::fromStdString(FormatFixed(*accuracy, 2)) : QString("---");
            const double x = table_.singleValue;
            if (job_.constantCheck.outOfTolerance)
                page_.Marked(x, y_ + 0.1, text, job_.colourPrint, x - 0.1, y_, x + 1.1, y_ + 0.5);
            else
                Value(x, text);
            y_ += 0.4;
        }
        // Row 22: the distance in the hired-off position, ZT only.
        if (zt) {
            Names(22, "Odcinek w poz. WOLNY Opw", "[km]");
            PerColumn([&](int c) { return FromStore(s_.TariffParams[kOpw][c]); });
            y_ += 0.4;
        }
        page_.Canvas().Font().SetStyle(0);

        y_ += 0.2;
        page_.Frame(0.8, kTableTop, kRight, y_);
        page_.VRule(table_.nameSeparator, kTableTop, y_);
        page_.VRule(table_.symbolSeparator, row3Top_, y_);
        if (!separatorsDrawn) ColumnSeparators(y_);
    }

    void Notes() {
        const double y2 = y_ + 0.2;
        double accuracyX = own_ ? 9.6 : 10.7;
        if (job_.approvalRegime == 1) {
            const QString label = own_ ? "DOKŁADNOŚĆ GENERATORA WEWNĘTRZNEGO IMPULSÓW CZASU:"
                                       : "DOKŁADNOŚĆ GENERATORA WEWNĘTRZNEGO IMPULSÓW CZASU: ";
            page_.Regular(0.8, y2, label);
            accuracyX = page_.After(0.8, label, accuracyX);
        }
        page_.Bold(14.3, y2, "UWAGA.");
        page_.Bold(accuracyX, y2, job_.Text("Edit437") + " " + job_.Text("Label132"));
        page_.Regular(
            14.3, y2 + 0.4,
            "Taryfy nieaktywne (wyłączone) w okresie ważności świadectwa legalizacji ponownej są zapisane "
            "na szarym tle.");
    }

    AnnexCanvas page_;
    const AnnexJob &job_;
    const EvaluationState &s_;
    bool own_;
    const TableLayout &table_;
    double y_ = kTableTop;
    double row3Top_ = kTableTop, row5Top_ = kTableTop, row7Top_ = kTableTop;
};

}  // namespace

void DrawFirstPage(TCanvas &canvas, int m, const AnnexJob &job, int pages, int page, bool ownFamily) {
    FirstPage(canvas, m, job, ownFamily).Draw(pages, page);
}

}  // namespace printing
