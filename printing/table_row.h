#pragma once
// One row of a printed table: its texts on the row's line, the rule below them, and the line where
// the next row starts. Every page draws the parts with its own primitives (its units, faces and
// rule weights); the row keeps the order and the step between rows the same on every page.
#include <QString>
#include <span>

namespace printing {

// A text of a row: where it stands across the page, and how the page draws it (a page's own style
// code, and a size where the page's texts differ in size).
struct RowText {
    double x = 0;
    QString text;
    int style = 0;
    double size = 0;
};

// Draws each text at the row's line y, then the rule `height` below it; returns that line, where
// the next row starts.
template <class DrawText, class DrawRule>
double DrawTableRow(double y, double height, std::span<const RowText> texts, DrawText &&text,
                    DrawRule &&rule) {
    for (const RowText &cell : texts) text(cell, y);
    y += height;
    rule(y);
    return y;
}

}  // namespace printing
