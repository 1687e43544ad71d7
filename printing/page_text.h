#pragma once
// Text placement on a page canvas: one line of text with size, style and colour, a centring
// estimate measured on the screen, and a fully justified line.
#include <QString>

#include "platform/gui/canvas.h"
#include "platform/gui/label.h"
#include "platform/gui/printer.h"

// Draws text with the top-left corner at (x, y), truncated toward zero, at size points (truncated)
// in colour on a clear brush. Flags: 1 bold only, else 2 italic only, else the canvas style stays;
// 128 moves the text left by the estimate (size div 6) x characters x charUnit x 0.1, for values
// aligned on their right end. spareText is not used. Afterwards the font has its face and size
// back, colour black and no style.
void SetTextPrint(TCanvas &canvas, unsigned char flags, double x, double y, double size, TColor colour,
                  const QString &text, const QString &spareText, int charUnit);

// Where a text meant for x (pixels) stands behind `label` drawn at labelX in the canvas's font as
// it is now: x, or one blank after the label's end where x falls inside the label as the printer's
// face draws it.
int AfterLabel(const TCanvas &canvas, int labelX, const QString &label, int x);

// The left offset in base lengths at which text at size points stands centred on a portrait page
// (646 screen pixels for 21 base lengths), measured by the hidden label templab, which keeps the
// size and caption.
double SetCenter(TLabel &templab, const QString &text, int size);

// Draws text at size points as one line justified from x to the printer's page width less
// rightMargin, top at y (truncated), on the printer's canvas; see printing::JustifyLine.
QString SetJustify(const QString &text, int size, int x, int rightMargin, TPrinter &printer, double y);

// Called after most pages of a print run; draws nothing.
void SetPrintVerSoft(TCanvas &canvas, int m);

namespace printing {

// The justification of SetJustify on a canvas whose page is pageWidth pixels wide. Spaces are
// added one at a time, round-robin over the gaps after the words but the last, starting after the
// first word, until one more would make the line wider than the available width; the remaining
// slack goes after the first word. A text without a gap, or already as wide as the available
// width, is drawn as it stands. Nothing is drawn for an empty text or a page without width.
// The canvas font size is given back. Returns the part drawn after the first word.
QString JustifyLine(TCanvas &canvas, int pageWidth, const QString &text, int size, int x, int rightMargin,
                    double y);

}  // namespace printing
