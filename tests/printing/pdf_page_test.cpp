#include "printing/pdf_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include "platform/gui/gui_test_support.h"
#include "platform/runtime/cp1250.h"

namespace {

// The ISO 8859-2 byte of a code page 1250 byte as glibc's iconv converts it; 0 when it has none.
unsigned char IconvToIso8859_2(unsigned char byte) {
    iconv_t cd = iconv_open("ISO-8859-2", "CP1250");
    char in = static_cast<char>(byte), out = 0;
    char *inPtr = &in, *outPtr = &out;
    size_t inLeft = 1, outLeft = 1;
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return result == size_t(-1) ? 0 : static_cast<unsigned char>(out);
}

TEST(GenerujISO8859Test, SixPolishLettersMoveAndEveryOtherByteStays) {
    const std::map<unsigned char, unsigned char> moved = {{0xA5, 0xA1}, {0x8C, 0xA6}, {0x8F, 0xAC},
                                                          {0xB9, 0xB1}, {0x9C, 0xB6}, {0x9F, 0xBC}};
    for (int byte = 0; byte < 256; ++byte) {
        const auto it = moved.find(static_cast<unsigned char>(byte));
        const unsigned char expected = it != moved.end() ? it->second : static_cast<unsigned char>(byte);
        EXPECT_EQ(static_cast<unsigned char>(GenerujISO8859(static_cast<char>(byte))), expected) << byte;
    }
    // Every Polish letter comes out as the character set's own converter gives it.
    for (unsigned char byte : Utf8ToCp1250("ĄĆĘŁŃÓŚŹŻąćęłńóśźż"))
        EXPECT_EQ(static_cast<unsigned char>(GenerujISO8859(static_cast<char>(byte))), IconvToIso8859_2(byte))
            << int(byte);
}

TEST(PdfPageTest, RulesAndPolishTextOnALibharuPage) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("page.pdf").toStdString();
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    ASSERT_NE(pdf, nullptr);
    HPDF_Page page = HPDF_AddPage(pdf);
    HPDF_Page_BeginText(page);
    HPDF_Page_SetFontAndSize(page, HPDF_GetFont(pdf, "Helvetica", "ISO8859-2"), 12);
    HPDF_Page_TextOutB(page, Utf8ToCp1250("Zażółć gęślą jaźń ĄŚŹ Łódź"), 50, 700);
    HPDF_Page_EndText(page);
    draw_line(page, 50, 600, 2.5, 300);
    draw_line_v(page, 100, 500, 1, 650);
    ASSERT_EQ(HPDF_SaveToFile(pdf, file.c_str()), HPDF_OK);
    HPDF_Free(pdf);

    EXPECT_TRUE(std::regex_search(RunCommand("pdfinfo '" + file + "' 2>&1"), std::regex("Pages: +1\n")));
    EXPECT_NE(RunCommand("pdftotext '" + file + "' - 2>&1").find("Zażółć gęślą jaźń ĄŚŹ Łódź"),
              std::string::npos);
    // The page's content stream is not compressed: width, move, line and stroke, in this order.
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find("2.5 w\n50 600 m\n300 600 l\nS\n1 w\n100 500 m\n100 650 l\nS"), std::string::npos);
}

}  // namespace
