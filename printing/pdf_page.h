#pragma once
// Drawing on a libharu PDF page: rules of a given width and text in code page 1250, written
// through an ISO 8859-2 font encoding. Coordinates are libharu's (points, y upwards).
#include <hpdf.h>

#include <string>

// Sets the line width, moves to (x1, y), lines to (x2, y) and strokes.
void draw_line(HPDF_Page page, float x1, float y, float width, float x2);
// The same from (x, y1) to (x, y2).
void draw_line_v(HPDF_Page page, float x, float y1, float width, float y2);
// Outputs code page 1250 text at (x, y) converted to ISO 8859-2.
void HPDF_Page_TextOutB(HPDF_Page page, const std::string &text, float x, float y);
// One code page 1250 character in ISO 8859-2: the six letters that differ (Ą Ś Ź ą ś ź) move to
// their ISO codes; every other byte is returned as it is.
char GenerujISO8859(char c);
