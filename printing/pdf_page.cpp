#include "printing/pdf_page.h"

void draw_line(HPDF_Page page, float x1, float y, float width, float x2) {
    HPDF_Page_SetLineWidth(page, width);
    HPDF_Page_MoveTo(page, x1, y);
    HPDF_Page_LineTo(page, x2, y);
    HPDF_Page_Stroke(page);
}

void draw_line_v(HPDF_Page page, float x, float y1, float width, float y2) {
    HPDF_Page_SetLineWidth(page, width);
    HPDF_Page_MoveTo(page, x, y1);
    HPDF_Page_LineTo(page, x, y2);
    HPDF_Page_Stroke(page);
}

void HPDF_Page_TextOutB(HPDF_Page page, const std::string &text, float x, float y) {
    std::string iso = text;
    for (char &c : iso) c = GenerujISO8859(c);
    HPDF_Page_TextOut(page, x, y, iso.c_str());
}

char GenerujISO8859(char c) {
    switch (static_cast<unsigned char>(c)) {
        case 0xA5:
            return static_cast<char>(0xA1);  // Ą
        case 0x8C:
            return static_cast<char>(0xA6);  // Ś
        case 0x8F:
            return static_cast<char>(0xAC);  // Ź
        case 0xB9:
            return static_cast<char>(0xB1);  // ą
        case 0x9C:
            return static_cast<char>(0xB6);  // ś
        case 0x9F:
            return static_cast<char>(0xBC);  // ź
        default:
            return c;
    }
}
