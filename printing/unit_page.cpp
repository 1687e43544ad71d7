#include "printing/unit_page.h"

#include "printing/page_lines.h"
#include "printing/page_text.h"
#include "printing/page_units.h"

namespace printing {

UnitPage::UnitPage(TCanvas &canvas, int m, int u)
    : canvas_(canvas), m_(m), u_(u), face_(canvas.Font().Name()), size_(canvas.Font().Size()) {
    canvas_.Pen().SetColor(clBlack);
    canvas_.Pen().SetWidth(m_ / 50);
    canvas_.Font().SetName("Times New Roman");
    canvas_.Font().SetSize(11);
}

UnitPage::~UnitPage() {
    canvas_.Font().SetName(face_);
    canvas_.Font().SetSize(size_);
    canvas_.Pen().SetWidth(m_ / 50);
}

int UnitPage::Px(long double units) const {
    return ToPixels(units, u_);
}

int UnitPage::FromRight(long double units) const {
    return TruncPixel(21.0L * m_ - units * u_);
}

void UnitPage::Text(unsigned char flags, long double x, long double y, double size, const QString &text) {
    SetTextPrint(canvas_, flags, static_cast<double>(x * u_), static_cast<double>(y * u_), size, clBlack,
                 text, QString(), u_);
}

double UnitPage::Row(double y, double height, std::span<const RowText> texts, int x1, int x2,
                     int widthFactor) {
    return DrawTableRow(
        y, height, texts,
        [&](const RowText &cell, double at) {
            Text(static_cast<unsigned char>(cell.style), cell.x, at, cell.size, cell.text);
        },
        [&](double at) {
            if (widthFactor != 0) HorizRule(at, x1, x2, widthFactor);
        });
}

void UnitPage::HorizRule(long double y, int x1, int x2, int widthFactor) {
    DrawHorizLineW(canvas_, widthFactor, Px(y), x1, x2, clBlack);
}

void UnitPage::VertRule(int x, long double y1, long double y2, int widthFactor) {
    DrawVertLineW(canvas_, widthFactor, x, Px(y1), Px(y2), clBlack);
}

}  // namespace printing
