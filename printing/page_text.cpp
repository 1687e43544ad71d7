#include "printing/page_text.h"

#include <QStringList>
#include <algorithm>

#include "printing/page_units.h"

void SetTextPrint(TCanvas &canvas, unsigned char flags, double x, double y, double size, TColor colour,
                  const QString &text, const QString &, int charUnit) {
    TFont &font = canvas.Font();
    const QString face = font.Name();
    const int oldSize = font.Size();
    if (flags & 1)
        font.SetStyle(fsBold);
    else if (flags & 2)
        font.SetStyle(fsItalic);
    font.SetSize(printing::TruncPixel(size));
    if (flags & 128) {
        const long long estimate = static_cast<long long>(font.Size() / 6) * text.size() * charUnit;
        x -= static_cast<double>(estimate) * 0.1;
    }
    font.SetColor(colour);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(printing::TruncPixel(x), printing::TruncPixel(y), text);
    font.SetColor(clBlack);
    font.SetName(face);
    font.SetSize(oldSize);
    font.SetStyle(0);
}

double SetCenter(TLabel &templab, const QString &text, int size) {
    templab.Font().SetSize(size);
    templab.SetCaption(text);
    return (646 - templab.Width()) * 0.5 * 0.0325;
}

QString SetJustify(const QString &text, int size, int x, int rightMargin, TPrinter &printer, double y) {
    return printing::JustifyLine(*printer.Canvas(), printer.PageWidth(), text, size, x, rightMargin, y);
}

void SetPrintVerSoft(TCanvas &, int) {}

namespace printing {
namespace {

// Each space closes the word it ends; a text ending in a space has an empty last word.
QStringList SplitWords(const QString &text) {
    QStringList words{QString()};
    for (QChar c : text) {
        words.back() += c;
        if (c == ' ') words.append(QString());
    }
    return words;
}

// Widens the gaps between the words in turn until one more space would make the line wider than
// available; returns the slack left.
int WidenGaps(const TCanvas &canvas, QStringList &words, int available) {
    const qsizetype gaps = words.size() - 1;
    if (gaps == 0) return 0;
    for (qsizetype k = 0;; k = (k + 1) % gaps) {
        const int width = canvas.TextWidth(words.join(QString()));
        if (width >= available) return 0;
        words[k] += ' ';
        const int widened = canvas.TextWidth(words.join(QString()));
        // A space that adds no width would never end the widening.
        if (widened > available || widened <= width) {
            words[k].chop(1);
            return available - width;
        }
    }
}

}  // namespace

QString JustifyLine(TCanvas &canvas, int pageWidth, const QString &text, int size, int x, int rightMargin,
                    double y) {
    if (text.isEmpty() || pageWidth <= 0) return QString();
    const long long available = static_cast<long long>(pageWidth) - x - rightMargin;
    TFont &font = canvas.Font();
    const int oldSize = font.Size();
    font.SetSize(size);
    QStringList words = SplitWords(text);
    int slack = WidenGaps(canvas, words, TruncPixel(available));
    const int top = TruncPixel(y);
    canvas.TextOut(x, top, words.front());
    slack += canvas.TextWidth(words.front());
    words.removeFirst();
    const QString rest = words.join(QString());
    if (!rest.isEmpty()) canvas.TextOut(x + slack, top, rest);
    font.SetSize(oldSize);
    return rest;
}

}  // namespace printing

int AfterLabel(const TCanvas &canvas, int labelX, const QString &label, int x) {
    return std::max(x, labelX + canvas.TextWidth(label + ' '));
}
