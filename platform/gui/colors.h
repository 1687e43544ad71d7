#pragma once
// Colours as the station's controls hold them: a 32-bit value in BGR order (0x00BBGGRR), or a
// system colour 0x800000nn. Colours are state: they are stored and compared exactly as assigned
// and turned into a real colour only when painting.
#include <cstdint>

class QColor;

using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clMoneyGreen = 0xC0DCC0;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr TColor clScrollBar = SystemColor(0x00);
constexpr TColor clBackground = SystemColor(0x01);
constexpr TColor clWindow = SystemColor(0x05);
constexpr TColor clWindowText = SystemColor(0x08);
constexpr TColor clBtnFace = SystemColor(0x0F);
constexpr TColor clBtnShadow = SystemColor(0x10);
constexpr TColor clGrayText = SystemColor(0x11);
constexpr TColor clBtnText = SystemColor(0x12);
constexpr TColor clInactiveCaptionText = SystemColor(0x13);
constexpr TColor clBtnHighlight = SystemColor(0x14);
constexpr TColor cl3DDkShadow = SystemColor(0x15);
constexpr TColor cl3DLight = SystemColor(0x16);
constexpr TColor clInfoBk = SystemColor(0x18);
constexpr TColor clGradientInactiveCaption = SystemColor(0x1C);

constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u; }

// The 0x00BBGGRR value a colour paints with (system colours resolved with the classic desktop
// scheme the station was designed on).
uint32_t ColorToRGB(TColor color);

// The colour to paint with, for Qt.
QColor ToQColor(TColor color);

// How well two colours stand apart as painted: the ratio of their relative luminances (each plus
// 0.05), from 1 (the same) to 21 (black and white). Text reads from 4.5.
double ContrastRatio(TColor a, TColor b);
