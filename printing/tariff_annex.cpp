#include "printing/tariff_annex.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/runtime/cp1250.h"
#include "printing/page_lines.h"
#include "printing/page_text.h"
#include "printing/page_units.h"
#include "printing/table_row.h"

namespace printing {

QString TariffAnnexJob::Text(const QString &name) const {
    const auto it = texts.find(name);
    return it == texts.end() ? QString() : it->second;
}

namespace {

const QString kFace = "Times New Roman";

QString Money(const std::string &value) { return QString::fromStdString(value) + " zł"; }

class AnnexPage {
public:
    AnnexPage(TCanvas &canvas, int m, const TariffAnnexJob &job)
        : canvas_(canvas),
          m_(m),
          u_(WidenedUnit(m)),
          right_(21.0 * m - 1.8 * u_),
          job_(job),
          savedSize_(canvas.Font().Size()),
          savedFace_(canvas.Font().Name()) {
        canvas_.Pen().SetColor(clBlack);
        canvas_.Pen().SetWidth(m / 50);
        canvas_.Font().SetSize(11);
        canvas_.Font().SetName(kFace);
    }
    ~AnnexPage() {
        canvas_.Font().SetName(savedFace_);
        canvas_.Font().SetSize(savedSize_);
        canvas_.Pen().SetWidth(m_ / 50);
    }

    int Unit() const { return u_; }

    void Text(double x, double y, int size, const QString &text, bool bold = false, TColor colour = clBlack) {
        SetTextPrint(canvas_, bold ? 1 : 0, x * u_, y * u_, size, colour, text, kFace, u_);
    }
    // A rule from x1 (units) to the table's right edge.
    void Rule(double y, double x1) { DrawHorizLineW(canvas_, 1, y * u_, x1 * u_, right_, clBlack); }
    void Vertical(double x, double y1, double y2) {
        DrawVertLine(ToPixels(x, u_), ToPixels(y1, u_), ToPixels(y2, u_), canvas_);
    }
    void RightEdge(double y1, double y2) {
        DrawVertLine(TruncPixel(right_), ToPixels(y1, u_), ToPixels(y2, u_), canvas_);
    }

    // Title, header line, the VIN line and the table's top line (at 3.5).
    void Head() {
        Text(3.6, 1.0, 11, "ZAŁĄCZNIK DO ŚWIADECTWA LEGALIZACJI PONOWNEJ TAKSOMETRU", true);
        const bool change = job_.changeProcedure;
        Text(5.3, 2.0, 11,
             "z dnia " + job_.Text(change ? "Edit510" : "Edit102") + " , o znaku wniosku " +
                 job_.Text(change ? "Edit508" : "Edit35"));
        Text(1.8, 3.0, 11,
             "Taksometr zainstalowany w taksówce o numerze VIN " + job_.Text("Edit7") +
                 " posiada następujący układ taryf:");
        Rule(kTop, 1.8);
    }

    struct Row {
        QString label, value;
        bool active = true;
    };

    // The rows of one block from the cursor; inactive rows only when they are listed, white on black. Then
    // the block's full-width line and its name beside the rows. Returns whether a row was listed.
    bool Block(const QString &name, const std::vector<Row> &rows) {
        const double start = cursor;
        bool listed = false;
        for (const Row &row : rows) {
            if (!row.active && !job_.listInactive) continue;
            listed = true;
            if (!row.active)
                DrawRectBlack(ToPixels(cursor, u_), ToPixels(9.9, u_), ToPixels(cursor + 0.4, u_),
                              ToPixels(8.1, u_), canvas_);
            const RowText texts[] = {{8.2, row.label, row.active ? kLabel : kInactiveLabel, 11},
                                     {13.5, row.value, kLabel, 11}};
            cursor = TableRow(cursor, 0.4, texts, 7.0);
        }
        Rule(cursor, 1.8);
        middle = (cursor + start) / 2;
        if (listed && !name.isEmpty()) Text(2.05, middle - 0.3, 12, name);
        return listed;
    }

    // One row of a single value across the table: cursor += 0.1, the label and value, cursor += 0.5, a line.
    void Single(const QString &label, const QString &value, int valueSize) {
        cursor = AcrossRow(cursor + 0.1, label, value, valueSize);
    }
    // A row across the table: its label and value (none when `shown` is false), the line 0.5 below
    // them from 1.8. Returns the line.
    double AcrossRow(double y, const QString &label, const QString &value, int valueSize, bool shown = true) {
        const RowText texts[] = {{2.05, label, kLabel, 12},
                                 {12.6, value, kLabel, static_cast<double>(valueSize)}};
        return TableRow(y, 0.5, std::span(texts, shown ? 2 : 0), 1.8);
    }

    // The note on inactive tariffs, the table's outer verticals and the closing lines.
    double Tail() {
        if (job_.listInactive) {
            cursor += 0.1;
            Text(1.9, cursor, 8, "UWAGA.", true);
            cursor += 0.4;
            Text(3.6, cursor, 8,
                 "Taryfy nieaktywne (wyłączone) w okresie ważności świadectwa legalizacji ponownej są "
                 "zapisane "
                 "białą czcionką na czarnym tle.");
            cursor += 0.4;
            DrawHorizLine(ToPixels(cursor, u_), ToPixels(1.8, u_), TruncPixel(right_), canvas_);
        }
        Vertical(1.8, kTop, cursor);
        RightEdge(kTop, cursor);
        cursor += 0.4;
        if (job_.changeProcedure) {
            Text(1.8, cursor, 10, "Znak wniosku dotyczącego zmiany układu taryf: " + job_.Text("Edit35"));
            cursor += 0.7;
            Text(1.8, cursor, 10, "Data zmiany układu taryf: " + job_.Text("Edit102"));
            cursor += 0.7;
        }
        Text(1.8, cursor, 10, "Data sporządzenia załącznika: " + job_.printDate + " r.");
        return cursor + 0.5;
    }

    // Texts of the rows: black, or white on the black band of an inactive row.
    static constexpr int kLabel = 0, kInactiveLabel = 1;
    // A row of the table: its texts at y, the rule `height` below from x1 to the right edge.
    double TableRow(double y, double height, std::span<const RowText> texts, double ruleFrom) {
        return DrawTableRow(
            y, height, texts,
            [&](const RowText &cell, double at) {
                Text(cell.x, at, static_cast<int>(cell.size), cell.text, false,
                     cell.style == kInactiveLabel ? clWhite : clBlack);
            },
            [&](double at) { Rule(at, ruleFrom); });
    }

    static constexpr double kTop = 3.5;
    double cursor = kTop;
    double middle = 0;

private:
    TCanvas &canvas_;
    int m_;
    int u_;
    double right_;
    const TariffAnnexJob &job_;
    int savedSize_;
    QString savedFace_;
};

QString SlotLabel(const TariffAnnexJob &job, int slot) {
    const std::uint8_t letter = job.letters[slot / 4];
    if (letter == 0) return "---";
    return "Taryfa " + QString(QChar(letter)) + QString::number(slot % 4 + 1);
}

QString GroupLabel(const TariffAnnexJob &job, int group) {
    const std::uint8_t letter = job.letters[group];
    if (letter == 0) return job.changeProcedure ? "Taryfa " : "---";
    return "Taryfa " + QString(QChar(letter));
}

bool GroupActive(const TariffAnnexJob &job, int group) {
    for (int slot = 4 * group; slot < 4 * group + 4; ++slot)
        if (job.active[slot] != 0) return true;
    return false;
}

}  // namespace

double DrawTariffAnnex(TCanvas &canvas, int m, const TariffAnnexJob &job) {
    AnnexPage page(canvas, m, job);
    page.Head();
    page.Text(2.05, 3.6, 12, "Opłata początkowa");
    page.Text(12.6, 3.6, 12, Money(job.params[0][0]));
    page.cursor = 4.2;
    page.Rule(page.cursor, 1.8);
    const double blockTop = page.cursor;
    for (const auto &[row, name] : {std::pair{1, "Opłata za 1 kilometr drogi"}, {2, "Opłata za 1 godzinę postoju"}}) {
        std::vector<AnnexPage::Row> rows;
        for (int n = 1; n <= 8; ++n)
            rows.push_back({"Taryfa " + QString::number(n), Money(job.params[row][n - 1]), job.enabled[n - 1] != 0});
        page.Block(name, rows);
    }
    page.Vertical(10.8, blockTop, page.cursor);
    page.Single("Wartość jednostki taryfowej", Money(job.groupUnits[0][0]), 11);
    if (job.approvalRegime != 0)
        page.Single("Tryb obliczania opłaty", job.Text("Edit12"), 12);
    else
        page.Single("Wartość stałej C", QString::fromStdString(job.groupUnits[1][0]), 11);
    page.Single("Wartość jednostki dopłaty", Money(job.groupUnits[2][0]), 11);
    page.Vertical(7.0, AnnexPage::kTop, page.cursor);
    return page.Tail();
}

double DrawTariffAnnexMid(TCanvas &canvas, int m, const TariffAnnexJob &job) {
    AnnexPage page(canvas, m, job);
    page.Head();
    const auto groupRows = [&](const std::function<std::string(int)> &value) {
        std::vector<AnnexPage::Row> rows;
        for (int g = 0; g < 4; ++g) rows.push_back({GroupLabel(job, g), Money(value(g)), GroupActive(job, g)});
        return rows;
    };
    const auto slotRows = [&](int paramRow) {
        std::vector<AnnexPage::Row> rows;
        for (int s = 0; s < 16; ++s) rows.push_back({SlotLabel(job, s), Money(job.params[paramRow][s]), job.active[s] != 0});
        return rows;
    };
    page.Block("Opłata początkowa", groupRows([&](int g) { return job.params[0][4 * g]; }));
    page.Rule(page.cursor, 1.8);
    page.Block("Opłata za 1 kilometr drogi", slotRows(1));
    page.Vertical(7.0, AnnexPage::kTop, page.cursor);
    page.Vertical(10.8, AnnexPage::kTop, page.cursor);
    page.Block("Opłata za 1 godzinę postoju", slotRows(2));
    const bool unitsListed =
        page.Block("Wartość jednostki taryfowej", groupRows([&](int g) { return job.groupUnits[0][g]; }));
    page.Vertical(10.8, AnnexPage::kTop, page.cursor);
    page.cursor = page.AcrossRow(page.cursor, "Tryb obliczania opłaty", job.Text("Edit12"), 12, unitsListed);
    const double lastStart = page.cursor;
    if (page.Block("Wartość jednostki dopłaty", groupRows([&](int g) { return job.jdoplaty[4 * g]; })))
        page.Vertical(7.0, AnnexPage::kTop, page.cursor);
    else
        page.Text(2.05, page.middle - 0.5, 10, "Brak aktywnych układów!");
    page.Vertical(10.8, lastStart, page.cursor);
    return page.Tail();
}

std::string TariffCodeData(const TariffAnnexJob &job) {
    const auto lines = [&](int row) {
        std::string text;
        for (int k = 1; k <= 8; ++k)
            text += "T" + std::to_string(k) + ":" + (job.enabled[k - 1] != 0 ? job.params[row][k - 1] : "---") + "\n";
        return text;
    };
    const std::string data = "\nOplata poczatkowa:" + job.params[0][0] + "\nOplata za 1 kilometr drogi:\n" +
                             lines(1) + "Oplata za 1 godzine postoju:\n" + lines(2) +
                             "Wartosc jednostki taryfowej:" + job.groupUnits[0][0] +
                             "\nWartosc jednostki doplaty:" + job.groupUnits[2][0] + "\nStala taryf C:" +
                             job.groupUnits[1][0] + "\nOdcinek poczatkowy drogi:\n" + lines(3) +
                             "Okres poczatkowy czasu:\n" + lines(4);
    return Utf8ToCp1250(data);
}

std::string IdentityCodeData(const TariffAnnexJob &job) {
    const QStringList lines{
        "Nr:" + job.Text("Edit21"),
        "Data prod.:" + job.Text("Edit22"),
        "Nr cert.:" + job.Text("Edit23"),
        "Ozn. typu:" + job.Text("Edit20"),
        "Stała k:" + job.Text("Edit107"),
        "System obl.:" + job.Text("Edit12"),
        "Rozm. opon kół napędowych:" + job.Text("Edit111") + "/" + job.Text("Edit457") + "R" + job.Text("Edit458"),
        "Marka poj.:" + job.Text("Edit38"),
        "Zlec.:" + job.Text("Edit35"),
        "Data:" + job.Text("Edit102"),
        "VIN:" + job.Text("Edit7"),
        "Nr rej.:" + job.Text("Edit110"),
        "Wyk.:" + job.Text("Edit10"),
        "Nr USB:" + job.Text("Edit15"),
    };
    return Utf8ToCp1250(lines.join("\r\n").toStdString());
}

std::vector<SymbolPlace> PlaceCodeRow(const std::vector<int> &modules, int left, int top, int module,
                                      int pageWidth, int pageHeight) {
    constexpr int kQuiet = 4, kGap = 10;
    std::vector<int> sizes;
    for (const int n : modules)
        sizes.push_back(std::clamp((pageHeight - top) / std::max(1, n + kQuiet), 1, std::max(1, module)));
    const auto rowWidth = [&] {
        int width = 0;
        for (size_t i = 0; i < modules.size(); ++i)
            width += modules[i] * sizes[i] + (i + 1 < modules.size() ? kGap * sizes[i] : kQuiet * sizes[i]);
        return width;
    };
    std::vector<SymbolPlace> places;
    if (modules.empty()) return places;
    for (;;) {
        const int from = std::max(kQuiet * sizes.front(), std::min(left, pageWidth - rowWidth()));
        const auto largest = std::max_element(sizes.begin(), sizes.end());
        if (from + rowWidth() <= pageWidth || *largest == 1) {
            left = from;
            break;
        }
        --*largest;
    }
    for (size_t i = 0; i < modules.size(); ++i) {
        places.push_back({left, top, sizes[i]});
        left += (modules[i] + kGap) * sizes[i];
    }
    return places;
}

}  // namespace printing
