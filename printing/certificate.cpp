#include "printing/certificate.h"

#include "printing/page_text.h"
#include "printing/page_units.h"

namespace printing {

QString CertificateJob::Text(const QString &name) const {
    const auto it = texts.find(name);
    return it == texts.end() ? QString() : it->second;
}

QStringList CertificateJob::Memo(const QString &memo) const {
    const auto it = memos.find(memo);
    return it == memos.end() ? QStringList() : it->second;
}

QString CertificateJob::MemoLine(const QString &memo, int line) const {
    const QStringList lines = Memo(memo);
    return line < lines.size() ? lines[line] : QString();
}

QString DateInWords(CalendarDate date) {
    static const std::array<const char *, 12> kMonths{"stycznia", "lutego",   "marca",    "kwietnia",
                                                      "maja",     "czerwca",  "lipca",    "sierpnia",
                                                      "września", "października", "listopada", "grudnia"};
    const QString month = date.month >= 1 && date.month <= 12 ? kMonths[date.month - 1] : "";
    return QString::number(date.day) + " " + month + " " + QString::number(date.year);
}

QStringList DeviceLines(const std::array<QString, 6> &devices) {
    QStringList filled;
    for (const QString &device : devices)
        if (!device.isEmpty() && device != "---") filled << device;
    if (filled.isEmpty()) return {};
    const QString joined = filled.join(", ") + "  ";
    QStringList lines;
    for (qsizetype start = 0; start < joined.size();) {
        const qsizetype window = std::min<qsizetype>(100, joined.size() - start);
        const qsizetype blank = joined.mid(start, window).lastIndexOf(' ');
        const qsizetype length = blank < 0 ? window : blank + 1;
        lines << joined.mid(start, length);
        start += length;
    }
    return lines;
}

namespace {

const QString kFace = "Times New Roman";

class CertificatePage {
public:
    CertificatePage(TCanvas &canvas, int m, const CertificateJob &job, TLabel &templab, TPrinter *printer)
        : canvas_(canvas), m_(m), job_(job), templab_(templab), printer_(printer), entrySize_(canvas.Font().Size()) {}

    void Draw() {
        canvas_.Pen().SetColor(clBlack);
        canvas_.Pen().SetWidth(m_ / 50);
        pageSize_ = entrySize_ + entrySize_ / 4;
        canvas_.Font().SetSize(pageSize_);
        if (!job_.workingModeOn && job_.duplicate && job_.duplicateMark != nullptr)
            Picture(*job_.duplicateMark, 5.8, 12.2, 14.8, 22.2);
        canvas_.Font().SetName(kFace);
        if (job_.emblem != nullptr) Picture(*job_.emblem, 9.3, 1.2, 11.3, 3.1);

        Office();
        Instrument();
        Devices();
        Centred("Określony wyżej przyrząd pomiarowy spełnia wymagania określone", 0.3, true, 0.4);
        Centred("prawem i może być użytkowany zgodnie", 0.3, true, 0.4);
        Centred("z obowiązującym prawem w okresie ważności legalizacji.", 0.3, true, 0.6);
        Line("OKRES WAŻNOŚCI LEGALIZACJI", true, 0.4);
        const CalendarDate reference = CertificateReferenceDate(job_.recordSaveDate, job_.workingModeOn, job_.today);
        Line("Legalizacja jest ważna do dnia: " + DateInWords(CertificateValidityEnd(reference)), false, 0.6);
        Line("MIEJSCE UŻYTKOWANIA", true, 0.4);
        Line("Nazwa pojazdu: " + job_.Text("Edit38"), false, 0.4);
        Line("Numer identyfikacyjny  VIN: " + job_.Text("Edit7"), false, 0.4);
        TyreLine();
        Metrology();
        Applicant();
        Line("WYMAGANIA", true, 0);
        MemoLines("Memo22");
        y_ += 0.6;
        Line("ZAKRES SPRAWDZEŃ", true, 0);
        MemoLines("Memo10");
        y_ += 0.6;
        Seals();
        Line("LICZBA STRON ŚWIADECTWA", true, 0.4);
        Line("Świadectwo składa się z  1 strony.", false, 0.6);
        Line("ZNAK WNIOSKU", true, 0.4);
        Line(job_.Text("Edit35"), false, 0.4);
        Dates();
        y_ = 27.0;
        Line("ZAŁĄCZNIK", true, 0.4);
        Line(job_.approvalRegime != 0
                 ? "Załącznik do świadectwa legalizacji ponownej taksometru."
                 : "Załącznik do świadectwa legalizacji ponownej taksometru elektronicznego.",
             false, 0.6);
        const QString footer = "Niniejsze świadectwo może być okazywane lub kopiowane tylko w całości";
        Print(SetCenter(templab_, footer, 8) + 0.3, footer, true, 8);

        canvas_.Font().SetName("MS Sans Serif");
        canvas_.Font().SetSize(entrySize_);
    }

private:
    int Px(double units) const { return ToPixels(units, m_); }

    void Picture(const TGraphic &graphic, double x1, double y1, double x2, double y2) {
        canvas_.StretchDraw({Px(x1), Px(y1), Px(x2), Px(y2)}, graphic);
    }

    // A text placed with SetTextPrint at the cursor.
    void Print(double x, const QString &text, bool bold = false, int size = 10) {
        SetTextPrint(canvas_, bold ? 1 : 0, x * m_, y_ * m_, size, clBlack, text, kFace, m_);
    }
    void Line(const QString &text, bool bold, double advance) {
        Print(1.4, text, bold);
        y_ += advance;
    }
    void Centred(const QString &text, double offset, bool bold, double advance, int size = 10) {
        Print(SetCenter(templab_, text, size) + offset, text, bold, size);
        y_ += advance;
    }
    // A text in the page's own font, straight on the canvas.
    void Direct(double x, double y, const QString &text) { canvas_.TextOut(Px(x), Px(y), text); }
    void DirectAtPixel(double xPixels, double y, const QString &text) {
        canvas_.TextOut(TruncPixel(xPixels), Px(y), text);
    }

    void Office() {
        Centred("DYREKTOR", 0, true, 0.4);
        Centred("OKRĘGOWEGO URZĘDU MIAR " + job_.Text("Edit473"), 0, true, 0.4);
        Centred("Wydział Zamiejscowy " + job_.Text("Edit482"), 0, true, 0.4);
        Centred(job_.MemoLine("Memo4", 0), 0.3, false, 0.4);
        Centred(job_.MemoLine("Memo4", 1), 0.3, false, 0.6);
        Centred("ŚWIADECTWO LEGALIZACJI PONOWNEJ", 0.3, true, 0.9, 14);
    }

    void Instrument() {
        Line("PRZYRZĄD POMIAROWY", true, 0.6);
        Line("Taksometr", false, 0.4);
        if (job_.meterFamily == 0) {
            Print(1.4, "Oznaczenie typu: " + job_.Text("Edit20"));
        } else {
            Print(1.4, "Oznaczenie typu: TIVAR");
            canvas_.Font().SetSize(pageSize_ - pageSize_ / 3);
            Direct(5.3, y_, "2");
            canvas_.Font().SetSize(pageSize_);
        }
        Print(10.0, "Producent: " + job_.MemoLine("Memo3", 0));
        y_ += 0.4;
        Print(1.4, "Numer fabryczny: " + job_.Text("Edit21"));
        Print(10.0, "Rok produkcji: " + job_.Text("Edit22").left(4));
        y_ += 0.4;
        Line("Nr certyfikatu badania typu: " + job_.Text("Edit23"), false, 0.4);
    }

    void Devices() {
        const QStringList lines = DeviceLines(job_.devices);
        if (lines.isEmpty()) {
            Direct(1.4, y_ + 0.1, "Urządzenia dodatkowe: ---");
            y_ += 0.2 + 0.4;
            return;
        }
        Direct(1.4, y_ + 0.1, "Urządzenia dodatkowe: ");
        y_ += 0.4;
        for (int r = 0; r < lines.size(); ++r) Direct(1.4, y_ + 0.1 + 0.4 * r, lines[r]);
        y_ += 0.2 + 0.4 * lines.size();
    }

    void TyreLine() {
        QString tyre = job_.meterFamily == 0
                           ? job_.Text("Edit111") + "/" + job_.Text("Edit457") + "R" + job_.Text("Edit458")
                           : job_.Text("Edit486");
        QString label = "Rozmiar opon kół napędowych: ";
        double base = 7.0;
        if (!tyre.isEmpty()) {
            const QChar drive = tyre.back();
            if (drive == 'P') label = "Rozmiar opon kół napędowych (napęd na przód): ", base = 9.6;
            if (drive == 'T') label = "Rozmiar opon kół napędowych (napęd na tył): ", base = 9.1;
            if (drive == 'O') label = "Rozmiar opon kół napędowych (napęd 4x4): ", base = 8.9;
            if (base != 7.0) tyre.chop(1);
        }
        const QString line = label + tyre + ",  wartość stałej";
        Direct(1.4, y_, line);
        templab_.SetCaption(tyre);
        // The screen's estimate of the line's end places k; it never stands inside the line as the
        // printer's face draws it, nor the constant inside k.
        const double x = (templab_.Width() * 0.029 + base) * job_.printScale;
        const int kAt = AfterLabel(canvas_, Px(1.4), line, Px(x + 1.4));
        canvas_.Font().SetStyle(fsItalic);
        canvas_.TextOut(kAt, Px(y_), "k:");
        const int valueAt = AfterLabel(canvas_, kAt, "k:", Px(x + 1.8));
        canvas_.Font().SetStyle(0);
        canvas_.TextOut(valueAt, Px(y_), job_.Text("Edit107") + "[imp/km]");
        y_ += 0.6;
    }

    void Metrology() {
        Line("WŁAŚCIWOŚCI METROLOGICZNE", true, 0.4);
        Print(1.4, "Liczba taryf: " + QString::number(job_.activeTariffs));
        if (job_.approvalRegime != 0) {
            Print(4.9, "wersja programu: " + job_.Text("Edit24") + ",");
            Print(10.0, "suma kontrolna: " + job_.Text("Edit434"));
        }
        y_ += 0.4;
        QString range = "(1000 - 16000)[imp/km]";
        if (job_.approvalRegime != 0) range = job_.meterFamily == 0 ? "(600 - 100000)[imp/km]" : "(1000 - 64000)[imp/km]";
        Print(1.4, "Zakres wartości stałej taksometru       " + range);
        canvas_.Font().SetStyle(fsItalic);
        DirectAtPixel(6.3 * job_.printScale * m_, y_, "k:");
        canvas_.Font().SetStyle(0);
        y_ += 0.6;
    }

    void Applicant() {
        static const std::array<const char *, 3> kRoles{"Wykonawca naprawy przyrządu pomiarowego",
                                                        "Instalator przyrządu pomiarowego",
                                                        "Użytkownik przyrządu pomiarowego"};
        QString role;
        for (size_t i = 0; i < 3; ++i) {
            if (job_.roles[i]) {
                role = kRoles[i];
                break;
            }
        }
        Line("WNIOSKODAWCA", true, 0.4);
        Line(job_.MemoLine("Memo5", 0) + " - " + role, false, 0.4);
        Line(job_.MemoLine("Memo5", 1), false, 0.6);
    }

    // The memo's lines under a heading: empty lines skipped, the last left-aligned, the others
    // justified across the page.
    void MemoLines(const QString &memo) {
        const QStringList lines = job_.Memo(memo);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].isEmpty()) continue;
            y_ += 0.4;
            if (i == lines.size() - 1 || printer_ == nullptr)
                Print(1.4, lines[i]);
            else
                SetJustify(lines[i], 10, Px(1.4), Px(1.4), *printer_, y_ * m_);
        }
    }

    void Seals() {
        Line("MIEJSCA UMIESZCZENIA CECH", true, 0.4);
        int total = 0;
        for (const QString &count : job_.markCounts) {
            bool ok = false;
            const int value = count.trimmed().toInt(&ok);
            if (ok) total += value;
        }
        Line(total != 0 ? "Cechy zabezpieczające w liczbie " + QString::number(total) + " umieszczono na:" : "BRAK",
             false, 0.4);
        int r = 0;
        for (size_t i = 0; i < 6; ++i) {
            if (job_.markCounts[i] == "---") continue;
            SetTextPrint(canvas_, 0, 1.9 * m_, (y_ + 0.4 * r) * m_, 10, clBlack,
                         QString::number(i + 1) + ")  " + job_.markNames[i] + ", szt. " + job_.markCounts[i], kFace,
                         m_);
            ++r;
        }
        if (r > 0) y_ += 0.4 * (r - 1) + 0.5;
    }

    void Dates() {
        const CalendarDate issued = job_.recordSaveDate[0] > 2000 ? CalendarDate{job_.recordSaveDate[0],
                                                                                 job_.recordSaveDate[1],
                                                                                 job_.recordSaveDate[2]}
                                                                  : job_.today;
        Line("Data wystawienia: " + DateInWords(issued) + " r.", false, 0.4);
        if (job_.duplicate) Print(1.4, "Data wystawienia duplikatu: " + DateInWords(job_.today) + " r.");
        y_ += 0.4;
        canvas_.Font().SetStyle(fsItalic);
        DirectAtPixel(13.3 * job_.printScale * m_, y_, "z up.");
        canvas_.Font().SetStyle(0);
    }

    TCanvas &canvas_;
    int m_;
    const CertificateJob &job_;
    TLabel &templab_;
    TPrinter *printer_;
    int entrySize_;
    int pageSize_ = 0;
    double y_ = 3.2;
};

}  // namespace

void DrawCertificate(TCanvas &canvas, int m, const CertificateJob &job, TLabel &templab, TPrinter *printer) {
    CertificatePage(canvas, m, job, templab, printer).Draw();
}

}  // namespace printing
