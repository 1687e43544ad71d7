#include "platform/gui/font.h"

#include <QFont>

void TFont::SetName(const QString &name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetSize(int points) {
    if (points == size_) return;
    size_ = points;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::Assign(const TFont &other) {
    if (name_ == other.name_ && size_ == other.size_ && color_ == other.color_ && style_ == other.style_) return;
    name_ = other.name_;
    size_ = other.size_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

QFont TFont::ToQFont() const {
    QString family = name_;
    if (family.compare("Arial", Qt::CaseInsensitive) == 0 || family.compare("MS Sans Serif", Qt::CaseInsensitive) == 0)
        family = "Liberation Sans";
    else if (family.compare("Times New Roman", Qt::CaseInsensitive) == 0)
        family = "Liberation Serif";
    else if (family.compare("Courier New", Qt::CaseInsensitive) == 0)
        family = "Liberation Mono";
    QFont f(family);
    f.setPointSizeF(size_ > 0 ? size_ : 8);
    f.setBold(style_ & fsBold);
    f.setItalic(style_ & fsItalic);
    f.setUnderline(style_ & fsUnderline);
    f.setStrikeOut(style_ & fsStrikeOut);
    return f;
}
