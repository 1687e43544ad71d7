#pragma once
// Drawing on a page that states its positions in a layout unit u: texts through SetTextPrint in
// black with u as the character unit, rules through the line primitives in black; every position
// is multiplied out and truncated to whole pixels.
#include <QString>
#include <initializer_list>
#include <span>

#include "platform/gui/canvas.h"
#include "printing/table_row.h"

namespace printing {

class UnitPage {
public:
    // Sets the pen black with width m div 50 and the face "Times New Roman" at size 11 (which every
    // text overrides); the destructor gives the canvas its face and size back and the pen its width
    // m div 50.
    UnitPage(TCanvas &canvas, int m, int u);
    UnitPage(const UnitPage &) = delete;
    UnitPage &operator=(const UnitPage &) = delete;
    ~UnitPage();

    int Unit() const { return u_; }
    // A position in units, in pixels.
    int Px(long double units) const;
    // The page width (21 base lengths) less `units`, in pixels.
    int FromRight(long double units) const;

    // Flags of SetTextPrint: 0 regular, 1 bold, 129 bold with its end near x.
    void Text(unsigned char flags, long double x, long double y, double size, const QString &text);
    // A horizontal rule at y (units) from x1 to x2 (pixels), a vertical one at x (pixels).
    void HorizRule(long double y, int x1, int x2, int widthFactor = 1);
    void VertRule(int x, long double y1, long double y2, int widthFactor = 1);

    // A row of a table (texts in SetTextPrint's flags and their sizes) at y, the rule `height` below
    // it from x1 to x2 (pixels) with the width factor; returns the rule's y. No rule for weight 0.
    double Row(double y, double height, std::span<const RowText> texts, int x1, int x2, int widthFactor);
    // A row of texts at y without a rule.
    void Line(double y, std::initializer_list<RowText> texts) {
        Row(y, 0, {texts.begin(), texts.size()}, 0, 0, 0);
    }

    TCanvas &Canvas() { return canvas_; }

private:
    TCanvas &canvas_;
    int m_;
    int u_;
    QString face_;
    int size_;
};

}  // namespace printing
