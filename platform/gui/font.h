#pragma once
// A control's or a canvas's font: name, size in points, colour and styles, with a change
// notification so the owner can refresh what it shows.
#include <QString>
#include <functional>

#include "platform/gui/colors.h"

class QFont;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont {
public:
    QString Name() const { return name_; }
    void SetName(const QString &name);
    int Size() const { return size_; }
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);

    void Assign(const TFont &other);

    // The Qt font to paint with; family names of the original resolve to installed metric
    // twins ("Arial" -> "Liberation Sans", "Times New Roman" -> "Liberation Serif").
    QFont ToQFont() const;

    std::function<void()> OnChange;

private:
    void Changed();

    QString name_ = "Arial";
    int size_ = 8;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
};
