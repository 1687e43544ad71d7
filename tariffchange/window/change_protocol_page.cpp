// The one-page protocol of the tariff-layout change procedure, drawn from the window's controls.
#include <QStringList>
#include <cmath>

#include "app/form1.h"
#include "platform/gui/bitmap.h"
#include "printing/check_protocol.h"
#include "printing/page_lines.h"
#include "printing/page_units.h"
#include "printing/table_row.h"
#include "tariffchange/inspection_caption.h"

namespace {

const QString kNone = QStringLiteral("---");

// Positions are in units of m from the page's top-left corner.
class ChangeProtocol {
public:
    ChangeProtocol(TCanvas &canvas, int m) : canvas_(canvas), m_(m), dot_(static_cast<int>(std::trunc(0.1 * m))) {}

    int Px(double units) const { return printing::ToPixels(static_cast<long double>(units), m_); }
    void Style(TFontStyles style) { canvas_.Font().SetStyle(style); }
    void Text(double x, double y, const QString &text, TFontStyles style = 0) {
        Style(style);
        canvas_.TextOut(Px(x), Px(y), text);
    }
    // A black bar with its white bold label.
    void Bar(double x1, double x2, double y1, double y2, double tx, double ty, const QString &text) {
        ::DrawRectBlack(Px(y1), Px(x2), Px(y2), Px(x1), canvas_);
        canvas_.Font().SetColor(clWhite);
        Text(tx, ty, text, fsBold);
        canvas_.Font().SetColor(clBlack);
    }
    void Frame(double x1, double x2, double y1, double y2) { ::DrawRect(Px(y1), Px(x2), Px(y2), Px(x1), canvas_); }
    void HLine(double y, double x1, double x2) { ::DrawHorizLine(Px(y), Px(x1), Px(x2), canvas_); }
    void VLine(double x, double y1, double y2) { ::DrawVertLine(Px(x), Px(y1), Px(y2), canvas_); }
    void Dotted(double y, double x1, double x2) { ::DrawHorizLineBr(Px(y), Px(x1), Px(x2), canvas_, dot_, 1); }

    TCanvas &canvas_;
    int m_, dot_;
};

QString Line(TMemo *memo, int line) { return memo->Lines().Lines().value(line); }

}  // namespace

void TForm1::SetPrintTivarProtZU(TCanvas &canvas, int m) {
    ChangeProtocol p(canvas, m);
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetWidth(m / 40);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsClear);
    const int s0 = canvas.Font().Size();
    canvas.Font().SetName(QStringLiteral("Times New Roman"));
    canvas.Font().SetColor(clBlack);
    const int titleSize = static_cast<int>(std::trunc(1.4 * s0));
    const int bodySize = static_cast<int>(std::trunc(1.2 * s0));
    const int smallSize = static_cast<int>(std::trunc(0.8 * s0));

    canvas.Font().SetSize(titleSize);
    p.Text(2.7, 1.2, QStringLiteral("Protokół sprawdzenia taksometru, wprowadzonego do obrotu lub użytkowania po dokonaniu"),
           fsBold);
    p.Text(3.7, 1.7, QStringLiteral("oceny zgodności, podczas legalizacji ponownej w zakresie zmiany układów taryf "),
           fsBold);
    canvas.Font().SetSize(bodySize);

    p.Bar(1, 6.5, 2.2, 2.6, 1.2, 2.2, QStringLiteral("Nr wniosku / Nr dziennika zgłoszeń:"));
    p.Text(7.2, 2.2, Edit35->Text());
    p.Frame(1, 20, 2.2, 2.6);

    p.Bar(1, 20, 2.7, 3.1, 1.2, 2.7,
          QStringLiteral("Dane identyfikujące organ administracji miar przeprowadzający sprawdzenie:"));
    QString office = QStringLiteral(" DYREKTOR OKRĘGOWEGO URZĘDU MIAR ") + Edit473->Text();
    if (!Edit482->Text().isEmpty()) office += QStringLiteral(", WYDZIAŁ ZAMIEJSCOWY ") + Edit482->Text();
    p.Text(1.3, 3.3, office);
    p.Dotted(3.7, 1.3, 19.9);
    p.Text(1.3, 3.9, " " + Line(Memo4, 0) + ", " + Line(Memo4, 1) + " ");
    p.Dotted(4.3, 1.3, 19.9);
    p.Frame(1, 20, 2.7, 4.4);

    p.Bar(1, 20, 4.5, 4.9, 1.2, 4.5, QStringLiteral("Dane identyfikujące osobę przeprowadzającą sprawdzenie:"));
    p.Text(1.3, 5.1, Edit10->Text() + ", " + Edit9->Text());
    p.Dotted(5.5, 1.3, 19.9);
    p.Text(7.6, 5.5, QStringLiteral("(imię i nazwisko oraz stanowisko służbowe)"), fsItalic);
    p.Frame(1, 20, 4.5, 5.9);

    p.Bar(1, 4.5, 6.0, 6.4, 1.2, 6.0, QStringLiteral("Wnioskodawca:"));
    p.Text(4.8, 6.0, Line(Memo5, 0));
    p.Dotted(6.4, 4.5, 19.9);
    p.Text(4.8, 6.5, Line(Memo5, 1));
    p.Dotted(6.9, 4.5, 19.9);
    p.Text(5.6, 6.9, QStringLiteral("(imię i nazwisko oraz miejsce zamieszkania albo nazwa i adres siedziby)"), fsItalic);
    const auto role = [](TPanel *panel) { return panel->Color() == clBlack ? TFontStyles{0} : TFontStyles{fsStrikeOut}; };
    p.Text(1.5, 7.4, QStringLiteral("Wykonawca naprawy"), role(Panel232));
    p.Text(7.2, 7.4, QStringLiteral("Instalator"), role(Panel233));
    p.Text(13.2, 7.4, QStringLiteral("Użytkownik przyrządu pomiarowego"), role(Panel234));
    p.HLine(7.4, 1, 20);
    p.VLine(5, 7.4, 7.8);
    p.VLine(11.2, 7.4, 7.8);
    p.Frame(1, 20, 6.0, 7.8);

    p.Bar(1, 20, 7.9, 8.3, 1.2, 7.9, QStringLiteral("Miejsce przeprowadzenia sprawdzenia:"));
    p.Text(1.3, 8.4, Line(Memo2, 0));
    p.Dotted(8.8, 1.3, 19.9);
    p.Text(1.3, 8.9, Line(Memo2, 1));
    p.Dotted(9.3, 1.3, 19.9);
    p.Frame(1, 20, 7.9, 9.4);

    p.Bar(1, 6.7, 9.5, 9.9, 1.2, 9.5, QStringLiteral("Termin przeprowadzenia sprawdzenia:"));
    p.Text(7.2, 9.5, QStringLiteral("Data od:"));
    p.Text(9.7, 9.5, Edit483->Text());
    p.Dotted(10.0, 8.6, 13.2);
    p.Text(13.4, 9.5, QStringLiteral("do:"));
    p.Text(15.4, 9.5, Edit484->Text());
    p.Dotted(10.0, 14, 19.9);
    p.Frame(1, 20, 9.5, 10.1);

    p.Bar(1, 20, 10.2, 10.6, 1.2, 10.2, QStringLiteral("Zakres przeprowadzonego sprawdzenia:"));
    p.Text(1.2, 10.6, QStringLiteral("Rozporządzenie Ministra Gospodarki z dnia 27 grudnia 2007 r. w sprawie wymagań, "
                                     "którym powinny odpowiadać  taksometry"));
    p.Text(1.2, 11.0, QStringLiteral("oraz szczegółowego zakresu sprawdzeń wykonywanych podczas prawnej kontroli "
                                     "metrologicznej tych przyrządów pomiarowych"));
    p.Text(1.2, 11.4, QStringLiteral("(Dz. U. z 2019 r., poz. 1173)."));
    p.Frame(1, 20, 10.2, 11.8);

    // The checklist.
    p.Bar(2, 20, 11.9, 12.3, 7.2, 11.9, QStringLiteral("Czy stan faktyczny jest zgodny ze świadectwem legalizacji?"));
    p.Bar(2, 20, 12.34, 12.74, 9.2, 12.34, QStringLiteral("Przyrząd pomiarowy - Taksometr:"));
    struct Row {
        const char *label;
        QString value;
        double valueX;
        TPanel *answer;
        double dottedFrom;
    };
    const Row rows[] = {
        {"Numer fabryczny:", Edit21->Text(), 8.6, Panel347, 4.7},
        {"Nazwa lub znak producenta:", Line(Memo3, 0) + ", " + Line(Memo3, 1), 6.6, Panel348, 6.0},
        {"Oznaczenie typu:", MeterFamily == 0 ? Edit20->Text() : QStringLiteral("TIVAR"), 8.6, Panel349, 4.6},
        {"Data produkcji:", Edit22->Text(), 8.6, Panel350, 4.4},
        {"Nr certyfikatu badania typu:", Edit23->Text(), 8.6, Panel354, 6.1},
        {"Numer wersji oprogramowania:", Edit24->Text(), 8.6, Panel355, 6.6},
        {"Wartość nominalna sumy kontrolnej:", Edit434->Text(), 8.6, Panel355, 7.2},
    };
    // A row of the checklist: label, value and answer, the dotted rule below them up to the answers'
    // column and the full rule under the answer.
    const auto answerRow = [&p](double y, const QString &label, const QString &value, double valueX,
                                TPanel *answer, double dottedFrom) {
        const printing::RowText texts[] = {{2.2, label}, {valueX, value}, {18.2, answer->Caption()}};
        printing::DrawTableRow(
            y, 0.35, texts, [&p](const printing::RowText &cell, double at) { p.Text(cell.x, at, cell.text); },
            [&p, dottedFrom](double at) {
                p.Dotted(at, dottedFrom, 17.2);
                p.HLine(at, 17.2, 20);
            });
    };
    for (int r = 0; r < 7; ++r) {
        const Row &row = rows[r];
        const double y = 12.74 + 0.4 * r;
        answerRow(y, QString::fromUtf8(row.label), row.value, row.valueX, row.answer, row.dottedFrom);
        if (r == 2 && MeterFamily != 0) {
            canvas.Font().SetSize(smallSize);
            p.Text(9.7, y, QStringLiteral("2"));
            canvas.Font().SetSize(bodySize);
        }
    }
    p.Frame(17.2, 20, 12.74, 15.49);

    // Additional elements: one row per filled edit, or one "---" row.
    p.Bar(2, 20, 15.54, 15.94, 8.7, 15.54, QStringLiteral("Elementy lub urządzenia dodatkowe:"));
    double y = 15.54;
    int k = 0;
    double firstRow = 0;
    for (TEdit *element : ExtraDeviceEdits) {
        const QString text = element->Text();
        if (text.isEmpty() || text == kNone) continue;
        y += 0.4;
        if (k == 0) firstRow = y;
        ++k;
        p.Text(2.2, y, text);
        p.Dotted(y + 0.35, 2.2, 17.2);
    }
    if (k == 0) {
        y += 0.4;
        firstRow = y;
        p.Text(2.2, y, kNone);
        p.Text(18.2, y, Panel357->Caption());
        p.Dotted(y + 0.35, 2.2, 17.2);
    } else {
        p.Text(18.2, y - (k - 1) * 0.2, Panel357->Caption());
    }
    p.VLine(17.2, firstRow, y + 0.35);
    p.HLine(y + 0.35, 17.2, 20);

    const double Y = y;
    p.Bar(2, 20, Y + 0.45, Y + 0.85, 9.8, Y + 0.45, QStringLiteral("Miejsce zainstalowania:"));
    answerRow(Y + 0.85, QStringLiteral("Marka pojazdu:"), Edit38->Text(), 8.6, Panel358, 4.5);
    answerRow(Y + 1.25, QStringLiteral("Nr VIN pojazdu:"), Edit7->Text(), 8.6, Panel359, 4.6);
    const QString tyre = MeterFamily != 0 ? Edit486->Text()
                                          : Edit111->Text() + "/" + Edit457->Text() + "R" + Edit458->Text();
    answerRow(Y + 1.65, QStringLiteral("Rozmiar opon kół napędowych taksówki:"), printing::TyreSizeText(tyre), 8.6,
              Panel360, 7.9);
    answerRow(Y + 2.05, QStringLiteral("Stała"), Edit107->Text(), 8.6, Panel361, 6.5);
    p.Text(3.1, Y + 2.05, QStringLiteral("k"), fsItalic);
    p.Text(3.4, Y + 2.05, QStringLiteral("taksometru: [imp/km]"));
    answerRow(Y + 2.45, QStringLiteral("Nr rejestracyjny pojazdu:"), Edit110->Text(), 8.6, Panel362, 5.8);
    p.Bar(2, 17.2, Y + 2.85, Y + 3.25, 2.2, Y + 2.85, QStringLiteral("Czy przyrząd pomiarowy jest uszkodzony?"));
    p.Text(18.2, Y + 2.85, Panel363->Caption());
    p.HLine(Y + 3.25, 17.2, 20);
    p.Bar(2, 17.2, Y + 3.30, Y + 3.70, 2.2, Y + 3.30,
          QStringLiteral("Czy upłynął okres ważności legalizacji przyrządu pomiarowego?"));
    p.Text(18.2, Y + 3.30, Panel364->Caption());
    p.HLine(Y + 3.70, 17.2, 20);
    p.Bar(2, 17.2, Y + 3.75, Y + 4.15, 2.2, Y + 3.75,
          QStringLiteral("Czy którakolwiek z cech zabezpieczających umieszczonych w miejscach wymienionych "));
    p.Text(18.2, Y + 3.95, Panel365->Caption());
    p.Bar(2, 17.2, Y + 4.15, Y + 4.55, 2.2, Y + 4.15,
          QStringLiteral("w świadectwie legalizacji przyrządu pomiarowego jest uszkodzona albo zniszczona?"));
    p.HLine(Y + 4.55, 17.2, 20);

    const double E = Y + 4.55;
    ::DrawRectBlack(p.Px(11.9), p.Px(1.95), p.Px(E), p.Px(1), canvas);
    p.VLine(20, 11.9, E);
    p.VLine(2, 11.9, E);
    p.VLine(17.2, firstRow, E);
    if (Image3->Picture().Graphic() == nullptr) {
        // The caption is drawn once, the first time a protocol needs it.
        TBitmap caption;
        caption.SetImage(tariffchange::InspectionCaption());
        Image3->Picture().SetGraphic(&caption);
    }
    const double captionTop = E - 0.4 - (k + 20) * 0.29;
    canvas.StretchDraw({p.Px(1.3), p.Px(captionTop), p.Px(2.0), p.Px(captionTop + 3.8)}, *Image3->Picture().Graphic());

    // The tariff change and the verdict.
    p.Bar(1, 20, E + 0.1, E + 0.5, 1.2, E + 0.1, QStringLiteral("Sprawdzenie zmiany opłat lub układu taryf taksometru:"));
    p.Text(1.2, E + 0.5,
           QStringLiteral("W trakcie czynności usunięto cechę zabezpieczająca na obudowie taksometru, w "
                          "liczbie sztuk - 1"));
    p.HLine(E + 0.9, 1, 20);
    const QString mode = Edit12->Text();
    const QString modeBefore = Panel356->Caption() != QStringLiteral("NIE") ? mode
                               : mode == QStringLiteral("S")                ? QStringLiteral("D")
                                                                            : QStringLiteral("S");
    p.Text(1.2, E + 0.9, QStringLiteral("Ustawiony tryb obliczania przed zmianą:"));
    p.Text(9.2, E + 0.9, modeBefore, fsBold);
    p.Text(13.2, E + 0.9, QStringLiteral("po zmianie:"));
    p.Text(17.2, E + 0.9, mode, fsBold);
    p.Dotted(E + 1.3, 7.2, 12.8);
    p.Dotted(E + 1.3, 15.2, 20);
    p.HLine(E + 1.4, 1, 20);
    p.Text(1.2, E + 1.4,
           QStringLiteral("Wydruk układów taryf z taksometru przed i po zmianie zawiera załącznik A do "
                          "niniejszego protokołu"));
    p.Frame(1, 20, E + 0.1, E + 1.8);
    p.Bar(1, 20, E + 1.9, E + 2.3, 1.2, E + 1.9,
          QStringLiteral("Przyrząd pomiarowy spełnia wymagania w zakresie przeprowadzonego sprawdzenia:"));
    p.Text(10, E + 2.3, GetStatusOgledzinZU() ? QStringLiteral("NIE") : QStringLiteral("TAK"));
    p.Frame(1, 20, E + 1.9, E + 2.7);
    p.Text(1.2, E + 2.8,
           QStringLiteral("W wyniku dokonania czynności nałożono cechę zabezpieczająca na obudowie taksometru, w liczbie "
                          "sztuk - 1."));
    p.Frame(1, 20, E + 2.8, E + 3.2);
    p.Bar(1, 6, E + 3.3, E + 3.7, 1.2, E + 3.3, QStringLiteral("Data sporządzenia protokołu:"));
    if (Panel282->Color() == clBlack) p.Text(7.2, E + 3.3, Edit485->Text());
    p.Dotted(E + 3.7, 6.2, 20);
    p.Frame(1, 20, E + 3.3, E + 4.1);
    p.Dotted(27.5, 12, 20);
    p.Text(13, 27.6, QStringLiteral("(podpis osoby przeprowadzającej sprawdzenie)"), fsItalic);
    p.Style(0);
    canvas.Font().SetSize(s0);
}
