#include "tariffchange/change_annex.h"

#include "platform/runtime/cp1250.h"
#include "printing/active_tariffs.h"
#include "printing/check_protocol.h"
#include "printing/page_lines.h"
#include "printing/page_units.h"

namespace tariffchange {

using printing::AnnexCanvas;
using printing::FromStore;

printing::SymbolPlace ChangeAnnexCodePlace(int m) {
    return {printing::ToPixels(27.0, m), printing::ToPixels(3.2, m), m / 20};
}

std::string ChangeAnnexCodeData(const printing::AnnexJob &job) {
    const QString data = "Nr:" + job.Text("Edit21") + "\r\nZlec.:" + job.Text("Edit35") + "\r\n";
    return Utf8ToCp1250(data.toStdString());
}

namespace {

constexpr double kLeft = 0.8, kRight = 29.2;

QString YesNo(bool yes) { return yes ? "TAK" : "NIE"; }

class ChangeAnnexPage {
public:
    ChangeAnnexPage(TCanvas &canvas, int m, const ChangeAnnexJob &annex)
        : page_(canvas, m), annex_(annex), job_(annex.job), own_(annex.job.meterFamily != 0) {
        // Every rule of this page is one pixel wide.
        canvas.Pen().SetWidth(1);
        canvas.Font().SetName("Times New Roman");
    }

    void Draw() {
        Header();
        Settings();
        for (int table = 0; table < 2; ++table) Layouts(table);
        if (own_)
            ChangeCounters();
        Registers();
        const double y = own_ ? 19.8 : 18.0;
        page_.Bold(0.9, y, "UWAGA.");
        page_.Regular(0.9, y + 0.35,
                      "Taryfy nieaktywne (wyłączone) w okresie ważności świadectwa legalizacji ponownej są zapisane "
                      "białą czcionką na czarnym tle.");
        page_.BaseFont();
    }

private:
    // A frame in the page's one-pixel pen.
    void Outline(double x1, double y1, double x2, double y2) {
        DrawRect(page_.Px(y1), page_.Px(x2), page_.Px(y2), page_.Px(x1), page_.Canvas());
    }
    // White text on a black box.
    void Inverted(double x, double y, const QString &text, double boxLeft, double boxTop, double boxRight,
                  double boxBottom) {
        page_.Fill(boxLeft, boxTop, boxRight, boxBottom, clBlack);
        page_.Canvas().Font().SetColor(clWhite);
        page_.Text(x, y, text);
        page_.Canvas().Font().SetColor(clBlack);
    }
    QString Memo(const char *memo, int line) const { return job_.MemoLine(memo, line); }
    QString Edit(const char *edit) const { return job_.Text(edit); }

    void Header() {
        page_.Regular(0.9, 1.2, "pieczęć urzędu");
        page_.Scaled(1.2);
        page_.Bold(10.6, 1.2, "Załącznik A - Sprawdzenie zmiany opłat lub układu taryf taksometru");
        page_.BaseFont();
        page_.Regular(23.3, 1.25, "DATA");
        page_.Regular(26.6, 1.4, "STRONA:  1/1");
        page_.Regular(23.1, 1.55, job_.date);
        page_.HRule(1.9, 8.5, kRight);
        page_.VRule(26.0, 1.2, 1.9);
        page_.VRule(22.6, 1.2, 1.9);
        page_.Regular(8.6, 1.9, "ZGŁASZAJĄCY:");
        page_.Regular(18.9, 1.9, "UWAGI:");
        page_.Bold(9.6, 2.3, Memo("Memo5", 0));
        page_.Bold(9.6, 2.6, Memo("Memo5", 1));
        page_.Bold(19.9, 2.3, Memo("Memo1", 0));
        page_.Bold(19.9, 2.6, Memo("Memo1", 1));
        page_.Bold(19.9, 3.0, Memo("Memo1", 2));
        page_.HRule(3.0, 18.8, kRight);
        page_.Regular(18.9, 3.2, "WYNIK SPRAWDZENIA TAKSOMETRU:");
        page_.Regular(26.1, 3.2, "KOD");
        page_.VRule(8.5, 1.2, 3.6);
        page_.HRule(3.6, kLeft, 18.8);
        page_.Regular(10.6, 3.7, "Osoba przeprowadzająca sprawdzenie");
        page_.Regular(15.6, 3.7, "Stanowisko służbowe");
        printing::DrawOffice(page_, job_, 3.7, 4.1);
        page_.Bold(20.0, 3.6, annex_.verdictNegative ? "NEGATYWNY" : "POZYTYWNY");
        page_.Bold(10.6, 4.1, Edit("Edit10"));
        page_.Bold(15.6, 4.1, Edit("Edit9"));
        page_.Regular(18.9, 4.1, "Decyzję podjął:");
        page_.Regular(0.9, 4.4, Memo("Memo4", 0));
        page_.Regular(0.9, 4.7, Memo("Memo4", 1));
        page_.Regular(10.6, 4.7, "PODPIS");
        page_.Regular(18.9, 4.7, "PODPIS");
        page_.Regular(0.9, 5.1, "Zlecenie Nr: " + Edit("Edit35") + " z dnia " + Edit("Edit102"));
        page_.Regular(0.9, 5.5, "PRODUCENT: " + Memo("Memo3", 0) + ", " + Memo("Memo3", 1));
        page_.HRule(5.4, kLeft, kRight);
        page_.VRule(18.8, 1.9, 5.4);
        page_.VRule(10.5, 3.6, 5.4);
        page_.VRule(26.0, 3.0, 5.4);
        page_.HRule(5.9, kLeft, kRight);
        page_.Bold(3.9, 6.0, "TAKSOMETR");
        page_.Bold(10.6, 6.0, "TAKSÓWKA");
        page_.Bold(19.0, 6.0, "USTAWIENIA TAKSOMETRU");
        page_.HRule(6.4, kLeft, kRight);
    }

    void Settings() {
        // A setting: its label regular, its value bold.
        const auto setting = [this](double y, double labelX, const QString &label, double valueX,
                                    const QString &value) {
            page_.Regular(labelX, y, label);
            page_.Bold(page_.After(labelX, label, valueX), y, value);
        };
        if (own_) {
            const QString type = "Oznaczenie typu: TIVAR";
            page_.Regular(0.9, 6.4, type);
            const double superscript = page_.After(0.9, type, 4.0);
            page_.Scaled(0.8);
            page_.Text(superscript, 6.4, "2");
            page_.BaseFont();
        } else {
            page_.Regular(0.9, 6.4, "Oznaczenie typu: " + Edit("Edit20"));
        }
        page_.Regular(8.6, 6.4, "Nr. Rejestracyjny: " + Edit("Edit110"));
        setting(6.4, 15.0, "FISKALNY:", 19.4, own_ ? job_.trybFiskalny : "TAK");
        setting(6.4, 20.9, "Ustawiony tryb obliczeń OPŁATY:", 25.3, Edit("Edit12"));

        page_.Regular(0.9, 6.7, "Nr.Taksometru: " + Edit("Edit21"));
        page_.Regular(8.6, 6.7, "Nr. boczny: " + (own_ ? job_.nrBoczny : "---"));
        setting(6.7, 15.0, "Cena umowna : ", 19.4, YesNo(job_.contractPrice));
        setting(6.7, 20.9, "Udzielanie rabatu:", 25.3, YesNo(job_.discount));

        page_.Regular(0.9, 7.0, "Data produkcji: " + Edit("Edit22"));
        const QString tyre =
            own_ ? Edit("Edit486") : Edit("Edit111") + "/" + Edit("Edit457") + "R" + Edit("Edit458");
        page_.Regular(8.6, 7.0, "Rozmiar opon: " + printing::TyreSizeText(tyre));
        setting(7.0, 15.0, "Taryfa startowa: ", 19.4, Edit("Edit109"));
        setting(7.0, 20.9, "Taryfa w kasie:", 25.3, Edit("Edit25"));

        page_.Regular(0.9, 7.3, "Wersja programu: " + Edit("Edit24"));
        page_.Regular(4.9, 7.3, "Suma kontr. " + Edit("Edit434"));
        page_.Regular(8.6, 7.3, "VIN: " + Edit("Edit7"));
        setting(7.3, 15.0, "Wybór TARYFY w trybie WOLNY: ", 19.4, YesNo(job_.tivarOptions[0] != 0));
        setting(7.3, 20.9, "Zmiana taryfy w kursie:", 25.3, own_ ? YesNo(job_.tivarOptions[1] != 0) : "TAK");

        page_.Regular(0.9, 7.6, "Nr certyfikatu badania typu: " + Edit("Edit23"));
        page_.Regular(8.6, 7.6, "Marka pojazdu: " + Edit("Edit38"));
        setting(7.6, 15.0, "Stała \"k\"  [imp/km]: ", 19.4, Edit("Edit107"));

        page_.VRule(8.5, 5.9, 8.0);
        page_.HRule(8.0, kLeft, kRight);
        const QString station = Edit("Edit28");
        page_.Bold(0.9, 8.1,
                   station.isEmpty() || station == "---"
                       ? QString("---")
                       : "STANOWISKO POMIAROWE -  " + Edit("Edit27") + "  Nr " + station);
        page_.Bold(15.0, 8.1, "Urządzenie USB:    " + Edit("Edit14") + " Nr. " + Edit("Edit15"));
        page_.BaseFont();
        page_.VRule(14.9, 5.9, 8.5);
        Outline(kLeft, 1.2, kRight, 8.5);
    }

    // Whether layout L of one side is active today: by the copy's own dates while the procedure is
    // on, by the job's dates otherwise.
    bool Active(const ZuLayout &side, int layout) const {
        const auto l = static_cast<size_t>(layout);
        const std::string &start = annex_.procedureOn ? side.validity[l] : annex_.jobValidity[2 * l];
        const std::string &end = annex_.procedureOn ? side.validity[l + 4] : annex_.jobValidity[2 * l + 1];
        return printing::PeriodActive(FromStore(start), FromStore(end), job_.today, job_.reference);
    }

    QString Letter(int table, int layout) const {
        const std::uint8_t letter = annex_.letters[static_cast<size_t>(4 * table + layout)];
        return letter == 0 ? QString() : QString(QChar(letter));
    }

    // The table of the layouts before (0) or after (1) the change.
    void Layouts(int table) {
        const ZuLayout side = annex_.layouts->Layout(static_cast<std::uint8_t>(table));
        // The own family's table has three rows of whole layouts more.
        const double shift = table == 0 ? 0.0 : (own_ ? 4.3 : 3.4);
        const auto y = [shift](double at) { return at + shift; };
        page_.Bold(table == 0 ? 12.8 : 13.0, y(8.8),
                   table == 0 ? "PARAMETRY TARYF PRZED ZMIANĄ" : "PARAMETRY TARYF PO ZMIANIE");
        const int columns = own_ ? 16 : 8;
        const double width = own_ ? 1.5 : 3.0;
        const auto column = [width](int k) { return 5.2 + width * k; };
        const double extra = own_ ? 0.9 : 0.0;  // the rows of whole layouts
        const double top = y(9.2), bottom = y(12.8 - 0.9 + extra);

        double row = top;
        if (own_) {
            page_.Bold(2.3, row, "Układ TARYF");
            for (int layout = 0; layout < 4; ++layout) {
                const auto l = static_cast<size_t>(layout);
                const QString text = Letter(table, layout) + " - aktywny od " + FromStore(side.validity[l]) + " do " +
                                     FromStore(side.validity[l + 4]);
                if (Active(side, layout))
                    page_.Text(5.7 + 6 * layout, row, text);
                else
                    Inverted(5.7 + 6 * layout, row, text, 5.6 + 6 * layout, row, 10.8 + 6 * layout, row + 0.3);
            }
            row += 0.3;
        }
        page_.Bold(2.6, row, "TARYFA");
        for (int k = 0; k < columns; ++k)
            page_.Text(own_ ? 5.8 + 1.5 * k : 6.6 + 3 * k, row,
                       own_ ? Letter(table, k / 4) + QString::number(k % 4 + 1) : QString::number(k + 1));
        row += 0.3;
        const double enabledRow = row;
        page_.Bold(2.1, row, "Taryfa włączona");
        page_.Scaled(0.9);
        for (int k = 0; k < columns; ++k) {
            const double x = column(k) + 0.4;
            if (side.enabled[static_cast<size_t>(k)] != 0)
                page_.Text(x + 0.15, row, "TAK");
            else
                Inverted(x + 0.15, row, "NIE", x, row, x + 0.75, row + 0.3);
        }
        row += 0.3;
        page_.Canvas().Font().SetStyle(0);

        // Rows of one value per layout (own family) or one value of the first layout.
        const double groupRows = row;
        const auto label = [this, &row](const char *name, const char *shortName) {
            page_.Text(0.9, row, name);
            page_.Text(3.6, row, shortName);
        };
        const auto perLayout = [&](const std::array<QString, 4> &values) {
            for (int layout = 0; layout < 4; ++layout) page_.Text(8.0 + 6 * layout, row, values[static_cast<size_t>(layout)]);
            row += 0.3;
        };
        const auto single = [&](const std::string &value) {
            page_.Text(17.0, row, FromStore(value));
            row += 0.3;
        };
        if (own_) {
            std::array<QString, 4> segment, unit, maximum;
            for (size_t l = 0; l < 4; ++l) {
                segment[l] = YesNo(side.initialSegment[l] != 0);
                unit[l] = FromStore(side.groupUnits[0][l]);
                maximum[l] = FromStore(side.maxSurcharge[l]);
            }
            label("Odcinek początkowy", "OdcP");
            perLayout(segment);
            label("Jednostka taryfowa", "JT [zł]");
            perLayout(unit);
            label("Maximum dopłaty", "MxD [zł]");
            perLayout(maximum);
        } else {
            label("Jednostka taryfowa", "JT [zł]");
            single(side.groupUnits[0][0]);
            label("Opłata początkowa", "Opł P [zł]");
            single(side.params[0][0]);
            label("Jednostka dopłaty", "JDOPŁ [zł]");
            single(side.groupUnits[2][0]);
        }
        // Rows of one value per slot.
        const double slotRows = row;
        const auto perSlot = [&](const char *name, const char *shortName, const std::array<std::string, 16> &values) {
            label(name, shortName);
            for (int k = 0; k < columns; ++k) page_.Text(column(k) + 0.4, row, FromStore(values[static_cast<size_t>(k)]));
            row += 0.3;
        };
        if (own_) {
            perSlot("Opłata początkowa", "Opł P [zł]", side.params[0]);
            perSlot("Jednostka dopłaty", "JDOPŁ [zł]", side.jdoplaty);
        }
        perSlot("Opłata za 1 km:", "Opł D [zł/km]", side.params[1]);
        perSlot("Opłata za 1 h:", "Opł C [zł/h]", side.params[2]);
        perSlot("Odcinek pocz.  drogi", "Dps [m]", side.params[3]);
        perSlot("Okres pocz. czasu", "Cps [s]", side.params[4]);
        page_.BaseFont();

        // Rules: across the page above the slot headers, the enabled row, the rows of whole layouts
        // and the rows of slots; across the label column between the rows of whole layouts.
        for (double at : {enabledRow - 0.3, enabledRow, groupRows, slotRows})
            if (at > top) page_.HRule(at, kLeft, kRight);
        for (double at = groupRows + 0.3; at < slotRows - 0.01; at += 0.3) page_.HRule(at, kLeft, 5.2);
        for (int k = 1; k < columns; ++k) {
            if (own_ && k % 4 == 0) continue;
            page_.VRule(column(k), own_ ? enabledRow - 0.3 : top, groupRows);
            page_.VRule(column(k), slotRows, bottom);
        }
        page_.VRule(3.5, groupRows, bottom);
        for (int layout = 0; layout < (own_ ? 4 : 1); ++layout) page_.VRule(5.2 + 6 * layout, top, bottom);
        Outline(kLeft, top, kRight, bottom);
    }

    // The width of a column of the counter block.
    double CounterColumn() const { return (30.0 - 2 * kLeft) / 14 + 0.1; }

    void ChangeCounters() {
        const double c = CounterColumn();
        const auto x = [c](int j, double offset) { return kLeft + c * j + offset; };
        page_.Bold(7.0, 17.5, "LICZNIK  ZMIAN");
        page_.BaseFont();
        page_.Regular(x(1, 0.2), 17.9, "PARAMETRY");
        for (int j = 2; j <= 5; ++j) page_.Text(x(j, 0.5), 17.9, "UKŁAD");
        page_.Bold(1.0, 18.05, "PARAMETR");
        page_.Regular(x(1, 0.5), 18.5, "OGÓLNE");
        for (int n = 1; n <= 4; ++n) page_.Text(x(n + 1, 0.4), 18.5, "TARYF " + QString::number(n));
        page_.Bold(1.0, 18.8, "Liczba zmian");
        for (int j = 1; j <= 5; ++j) page_.Text(x(j, 0.8), 18.8, Edit(kCountEdits[j - 1]));
        page_.HRule(19.1, kLeft, x(6, 0));
        page_.Text(1.0, 19.1, "Data zmiany");
        for (int j = 1; j <= 5; ++j) page_.Text(x(j, 0.3), 19.1, Edit(kTimeEdits[j - 1]).left(10));
        page_.HRule(19.4, kLeft, x(6, 0));
        page_.Text(1.0, 19.4, "Czas zmiany");
        for (int j = 1; j <= 5; ++j) page_.Text(x(j, 0.4), 19.4, Edit(kTimeEdits[j - 1]).mid(11, 8));
        page_.BaseFont();
        for (int j = 1; j <= 5; ++j) page_.VRule(x(j, 0), 17.9, 19.7);
    }

    // The registers; for the NOVITIUS family alone, 7.0 further left and 1.8 higher.
    void Registers() {
        const double c = CounterColumn();
        const double dx = own_ ? 0.0 : -7.0, dy = own_ ? 0.0 : -1.8, headDown = own_ ? 0.0 : 0.3;
        const auto x = [c, dx](int j, double offset) { return kLeft + c * j + offset + dx; };
        const auto y = [dy](double at) { return at + dy; };
        page_.Bold(20.6 + dx, y(17.5), "REJESTRY");
        page_.BaseFont();
        const double head = y(17.9) + headDown;
        page_.Text(x(6, 0.3), head, "km niepłatne");
        page_.Text(x(7, 0.5), head, "km płatne");
        page_.Text(x(8, 0.4), head, "km ogólne");
        page_.Text(x(9, 0.4), head, "Suma opłat");
        page_.Text(x(10, 0.3), head, "Suma dopłat");
        page_.Text(x(10, 2.4), head, "Suma opłat i dopłat");
        page_.Text(x(10, 5.1), head, "Liczba. kursów");
        for (int j : {6, 7, 8}) page_.Text(x(j, 0.7), y(18.5), "[km]");
        for (const double at : {x(9, 0.9), x(10, 0.9), x(10, 3.1)}) page_.Text(at, y(18.5), "[zł]");
        page_.Text(x(10, 5.8), y(18.5), "-");
        page_.HRule(y(18.8), own_ ? kLeft : x(6, 0), own_ ? kRight : x(11, 2.8));
        page_.Canvas().Font().SetStyle(fsBold);
        const std::pair<const char *, double> values[] = {{"Edit518", x(6, 0.7)},  {"Edit519", x(7, 0.7)},
                                                          {"Edit520", x(8, 0.7)},  {"Edit522", x(9, 0.7)},
                                                          {"Edit523", x(10, 0.7)}, {"Edit524", x(10, 3.1)},
                                                          {"Edit521", x(10, 5.8)}};
        for (const auto &[edit, at] : values) page_.Text(at, y(19.1), Edit(edit));
        page_.BaseFont();
        for (int j = 6; j <= 11; ++j) page_.VRule(x(j, 0), y(17.9), y(19.7));
        page_.VRule(x(11, 2.8), y(17.9), y(19.7));
        if (own_)
            Outline(kLeft, 17.9, kRight, 19.7);
        else
            Outline(x(6, 0), y(17.9), x(12, 2.8), y(19.7));
    }

    static constexpr const char *kCountEdits[5] = {"Edit498", "Edit499", "Edit500", "Edit501", "Edit502"};
    static constexpr const char *kTimeEdits[5] = {"Edit503", "Edit504", "Edit505", "Edit506", "Edit507"};

    AnnexCanvas page_;
    const ChangeAnnexJob &annex_;
    const printing::AnnexJob &job_;
    bool own_;
};

}  // namespace

void DrawChangeAnnex(TCanvas &canvas, int m, const ChangeAnnexJob &annex) {
    if (m <= 0 || annex.layouts == nullptr) return;
    ChangeAnnexPage(canvas, m, annex).Draw();
}

}  // namespace tariffchange
