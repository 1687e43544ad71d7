#pragma once
// Lines, outlines, filled bands and dotted rules on a page canvas, in device pixels. Each is drawn
// with the canvas pen by move-to and line-to, so the end point of a segment is not painted; the
// pen position is left at the last point.
#include "platform/gui/canvas.h"

void DrawVertLine(int x, int y1, int y2, TCanvas &canvas);
void DrawHorizLine(int y, int x1, int x2, TCanvas &canvas);
// The outline in one stroke: (left, top), (right, top), (right, bottom), (left, bottom), back.
void DrawRect(int top, int right, int bottom, int left, TCanvas &canvas);
// A band in the pen colour: one line from left to right for every row from top to bottom, both
// included; nothing when top is below bottom.
void DrawRectBlack(int top, int right, int bottom, int left, TCanvas &canvas);
// Dashes of half a period (truncated) every period from x1 while x < x2, with the pen width
// multiplied by widthFactor for the rule; a period below 1 draws nothing.
void DrawHorizLineBr(int y, int x1, int x2, TCanvas &canvas, int period, int widthFactor);
// A line in its own colour and with the pen width multiplied by widthFactor; the float
// coordinates are truncated toward zero. The pen gets its colour and width back.
void DrawHorizLineW(TCanvas &canvas, int widthFactor, double y, double x1, double x2, TColor colour);
void DrawVertLineW(TCanvas &canvas, int widthFactor, double x, double y1, double y2, TColor colour);
