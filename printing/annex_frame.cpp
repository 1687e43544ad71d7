#include "printing/annex_frame.h"

#include <array>
#include <cmath>

#include "platform/runtime/numbers.h"
#include "printing/check_protocol.h"
#include "printing/page_lines.h"
#include "printing/page_text.h"
#include "printing/page_units.h"

namespace printing {

VehicleConstantCheck CheckVehicleConstant(std::int32_t w, const std::string &stationConstantSlot0,
                                          const QString &meterConstantK) {
    VehicleConstantCheck check;
    check.w = w;
    check.wKnown = w != 0;
    if (w == 0) {
        bool ok = false;
        const int st = QString::fromStdString(stationConstantSlot0).trimmed().toInt(&ok);
        if (ok) {
            check.w = st;
            check.wKnown = true;
        }
    }
    bool ok = false;
    const int k = meterConstantK.trimmed().toInt(&ok);
    if (!ok || k == 0 || !check.wKnown) return check;
    const float accuracy = static_cast<float>(check.w - k) / static_cast<float>(k) * 100.0f;
    check.accuracy = accuracy;
    check.outOfTolerance = accuracy > 1.0f || accuracy < -1.0f;
    return check;
}

QString AnnexJob::Text(const QString &name) const {
    const auto it = texts.find(name);
    return it == texts.end() ? QString() : it->second;
}

QString AnnexJob::MemoLine(const QString &memo, int line) const {
    const auto it = memos.find(memo);
    if (it == memos.end() || line >= it->second.size()) return {};
    return it->second[line];
}

QString FromStore(const std::string &text) { return QString::fromStdString(text); }

AnnexCanvas::AnnexCanvas(TCanvas &canvas, int m)
    : canvas_(canvas), u_(m), s0_(canvas.Font().Size()), pen_(m / 40) {
    canvas_.Pen().SetColor(clBlack);
    canvas_.Pen().SetWidth(pen_);
    canvas_.Brush().SetStyle(bsClear);
}

AnnexCanvas::~AnnexCanvas() {
    canvas_.Font().SetSize(s0_);
    canvas_.Font().SetStyle(0);
    canvas_.Font().SetColor(clBlack);
    canvas_.Pen().SetColor(clBlack);
    canvas_.Pen().SetWidth(pen_);
}

int AnnexCanvas::Px(double units) const { return ToPixels(units, u_); }

void AnnexCanvas::Text(double x, double y, const QString &text) { canvas_.TextOut(Px(x), Px(y), text); }

void AnnexCanvas::Bold(double x, double y, const QString &text) {
    canvas_.Font().SetStyle(fsBold);
    Text(x, y, text);
}

void AnnexCanvas::Regular(double x, double y, const QString &text) {
    canvas_.Font().SetStyle(0);
    Text(x, y, text);
}

double AnnexCanvas::After(double labelX, const QString &label, double x) const {
    return NotBefore(AfterLabel(canvas_, Px(labelX), label, Px(x)), x);
}

double AnnexCanvas::NotBefore(int from, double x) const {
    if (Px(x) >= from) return x;
    return (from + 0.5) / u_;  // truncates back to that pixel
}

int AnnexCanvas::BlankAfterLast() const {
    return canvas_.PenPos().X + canvas_.TextWidth(" ");
}

void TextLine::Text(double x, const QString &text) {
    if (text.isEmpty()) return;
    page_.Text(page_.NotBefore(end_, x), y_, text);
    end_ = page_.BlankAfterLast();
}

void TextLine::Regular(double x, const QString &text) {
    page_.Canvas().Font().SetStyle(0);
    Text(x, text);
}

void TextLine::Bold(double x, const QString &text) {
    page_.Canvas().Font().SetStyle(fsBold);
    Text(x, text);
}

void AnnexCanvas::Size(int size) {
    canvas_.Font().SetSize(size);
}

void AnnexCanvas::Scaled(double factor) {
    Size(static_cast<int>(s0_ * factor));
}

void AnnexCanvas::BaseFont() {
    Size(s0_);
    canvas_.Font().SetStyle(0);
}

void AnnexCanvas::HRule(double y, double x1, double x2) { DrawHorizLine(Px(y), Px(x1), Px(x2), canvas_); }

void AnnexCanvas::VRule(double x, double y1, double y2) { DrawVertLine(Px(x), Px(y1), Px(y2), canvas_); }

void AnnexCanvas::ThickVRule(double x, double y1, double y2) {
    canvas_.Pen().SetWidth(2 * pen_);
    VRule(x, y1, y2);
    canvas_.Pen().SetWidth(pen_);
}

void AnnexCanvas::Frame(double x1, double y1, double x2, double y2) {
    canvas_.Pen().SetWidth(2 * pen_);
    DrawRect(Px(y1), Px(x2), Px(y2), Px(x1), canvas_);
    canvas_.Pen().SetWidth(pen_);
}

void AnnexCanvas::Fill(double x1, double y1, double x2, double y2, TColor colour) {
    canvas_.Pen().SetColor(colour);
    DrawRectBlack(Px(y1), Px(x2), Px(y2), Px(x1), canvas_);
    canvas_.Pen().SetColor(clBlack);
}

void AnnexCanvas::Marked(double x, double y, const QString &text, bool colourPrint, double boxLeft, double boxTop,
                         double boxRight, double boxBottom) {
    if (colourPrint) {
        canvas_.Font().SetColor(clRed);
    } else {
        Fill(boxLeft, boxTop, boxRight, boxBottom, clBlack);
        canvas_.Font().SetColor(clWhite);
    }
    Text(x, y, text);
    canvas_.Font().SetColor(clBlack);
}

namespace {

QString YesNo(bool yes) { return yes ? "TAK" : "NIE"; }

}  // namespace

void DrawAnnexTitle(AnnexCanvas &page, const AnnexJob &job, int pages, int pageNumber) {
    page.Bold(10.9, 1.3,
              QString("Załącznik B - Wyznaczenie błędów wskazań taksometru") +
                  (job.approvalRegime == 0 ? " elektronicznego" : ""));
    page.Regular(0.9, 1.3, "pieczęć urzędu");
    page.Regular(22.1, 1.3, "DATA");
    page.Regular(25.1, 1.5, "STRONA:  " + QString::number(pageNumber) + "/" + QString::number(pages));
    page.Regular(21.7, 1.7, job.date);
    page.Bold(12.9, 1.7, job.vehicleResults != 0 ? "zainstalowanego w pojeździe." : "niezainstalowanego w pojeździe.");
    page.BaseFont();
}

bool DrawOffice(AnnexCanvas &page, const AnnexJob &job, double firstY, double secondY) {
    const QString branch = job.Text("Edit482");
    const QString office = "OKRĘGOWY URZĄD MIAR " + job.Text("Edit473");
    const bool twoLines = !branch.isEmpty() && branch != "---";
    if (twoLines) {
        page.Bold(0.9, firstY, office);
        page.Bold(0.9, secondY, "WYDZIAŁ ZAMIEJSCOWY " + branch);
    } else {
        page.Bold(0.9, secondY, office);
    }
    page.BaseFont();
    return twoLines;
}

void DrawSettingsBlock(AnnexCanvas &page, const AnnexJob &job, bool ownFamily, const SettingsLayout &layout) {
    const double title = layout.title;
    const double rule = title + 0.6;
    const double top = title - 0.3;
    const double bottom = rule + 3.0;
    page.Regular(0.9, title, "PRODUCENT:");
    page.Regular(15.0, title, "USTAWIENIA TAKSOMETRU");
    page.Regular(22.1, title, "STANOWISKO POMIAROWE");
    const QString second = job.MemoLine("Memo3", 1);
    page.Bold(3.0, title, job.MemoLine("Memo3", 0) + (second.isEmpty() ? "" : ", " + second));
    page.HRule(rule, 0.8, 29.2);

    const bool many = job.testedSlots >= 10;
    const QString tested = job.Text("Edit8");
    const QString usb = job.Text("Edit14") + " nr." + job.Text("Edit15");
    const QString interfaceId = job.Text("Label155");
    const auto row = [&](int k) { return rule + 0.1 + 0.4 * k; };
    // A long label or value pushes what follows it in its row to the right instead of running into it.
    std::array<TextLine, 7> rows{TextLine(page, row(0)), TextLine(page, row(1)), TextLine(page, row(2)),
                                 TextLine(page, row(3)), TextLine(page, row(4)), TextLine(page, row(5)),
                                 TextLine(page, row(6))};
    const auto cell = [&](int k, double labelX, const QString &label, double valueX, const QString &value) {
        rows[k].Regular(labelX, label);
        rows[k].Bold(valueX, value);
    };

    // Row 0.
    if (ownFamily) {
        cell(0, 0.9, "Oznaczenie typu:", 3.3, "TIVAR");
        page.Scaled(0.8);
        rows[0].Text(4.4, "2");
        page.Size(page.BaseSize());
        cell(0, 7.9, "Nr boczny:", 10.4, job.nrBoczny);
    } else {
        cell(0, 0.9, "Oznaczenie typu:", 3.3, job.Text("Edit20"));
    }
    cell(0, 14.0, "Cena umowna:", 16.7, YesNo(job.contractPrice));
    cell(0, 20.1, "Przyrząd:", 24.2, job.Text("Edit27"));
    // Row 1.
    cell(1, 0.9, "Nr.Taksometru:", 3.3, job.Text("Edit21"));
    cell(1, 7.9, "Nr. Rejestracyjny:", 10.4, job.Text("Edit110"));
    cell(1, 14.0, "Udzielanie rabatu:", 16.7, YesNo(job.discount));
    cell(1, 20.1, "Numer S/N:", 24.2, job.Text("Edit28"));
    // Row 2.
    cell(2, 0.9, "Data produkcji:", 3.3, job.Text("Edit22"));
    const QString tyre = job.meterFamily == 0
                             ? job.Text("Edit111") + "/" + job.Text("Edit457") + "R" + job.Text("Edit458")
                             : TyreSizeText(job.Text("Edit486"));
    cell(2, 7.9, "Rozmiar opon:", layout.tyreValue, tyre);
    cell(2, 14.0, "Taryfa startowa:", 16.7, job.Text("Edit109"));
    cell(2, 20.1, "Tryb obliczania opłaty:", 24.2, job.approvalRegime == 1 ? job.Text("Edit108") : "S");
    // Row 3.
    cell(3, 0.9, "Wersja programu:", 3.3, job.Text("Edit24"));
    cell(3, 4.6, "Suma kontr.", 6.2, job.Text("Edit434"));
    if (job.liczniki[0] > 1)
        cell(3, 7.9, "Obwód toczny koła [m]:", 11.9,
             QString::fromStdString(FormatFixed(job.liczniki[1] * 0.001L, 3)));
    cell(3, 14.0, "Taryfa w kasie:", 16.7, job.Text("Edit25"));
    cell(3, 20.1, "SPRAWDZANE TARYFY:", 24.2, many ? tested.left(29) : tested.left(tested.size() - 1));
    // Row 4.
    if (job.approvalRegime == 1)
        cell(4, 0.9, "Nr certyfikatu badania typu:", layout.certificateValueMid, job.Text("Edit23"));
    else
        cell(4, 0.9, "Nr certyfikatu zatwierdzenia typu:", layout.certificateValueZt, job.Text("Edit23"));
    cell(4, 7.9, "VIN:", 10.4, job.Text("Edit7"));
    if (ownFamily) cell(4, 14.0, "Wybór taryfy w stanie WOLNY:", 18.5, YesNo(job.tivarOptions[0] != 0));
    if (many)
        cell(4, 20.1, "", 24.2, tested.mid(30));
    else
        cell(4, 20.1, "Urządzenie USB:", 24.2, usb);
    // Row 5: an italic k in the gap of the label.
    rows[5].Regular(0.9, "Stała      [imp/km]:");
    page.Canvas().Font().SetStyle(fsItalic);
    page.Text(1.7, row(5), "k");
    rows[5].Bold(3.4, job.Text("Edit107"));
    rows[5].Regular(layout.makeLabel, "Marka poj.:");
    if (ownFamily) cell(5, 14.0, "Zmiana taryfy podczas kursu:", 18.5, YesNo(job.tivarOptions[1] != 0));
    if (many)
        cell(5, 20.1, "Urządzenie USB:", 24.2, usb);
    else
        cell(5, 20.1, "", 24.2, interfaceId);
    // Row 6.
    cell(6, 0.9, "System obliczeń:", 3.3, job.approvalRegime == 1 ? job.Text("Edit12") : "S");
    cell(6, 7.9, "", 7.9, job.Text("Edit38"));
    if (ownFamily) cell(6, 14.0, "Taksometr fiskalny:", 16.7, job.trybFiskalny);
    if (many && layout.interfaceOnLastRow) cell(6, 20.1, "", 24.2, interfaceId);
    page.BaseFont();

    page.VRule(7.8, rule, bottom);
    page.VRule(13.9, top, bottom);
    page.VRule(19.9, top, bottom);
    page.Frame(0.8, top, 29.2, bottom);
}

}  // namespace printing
