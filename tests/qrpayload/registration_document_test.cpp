#include "qrpayload/registration_document.h"

#include <gtest/gtest.h>

#include "code_fixtures.h"
#include "platform/runtime/cp1250.h"

namespace {

using qrpayload::ConvertRegistrationText;
using qrpayload::ReadRegistrationDocument;
using qrpayload::RegistrationDocument;
using qrpayload::SplitMemoLines;

TEST(ConvertRegistrationText, FieldsLettersAndDroppedCharacters) {
    const struct {
        std::string utf8;
        std::string converted;  // UTF-8 of the code page 1250 result
    } cases[] = {
        {"AB|CD|", "AB\r\nCD\r\n"},
        {"ĄąĆćĘęŁłŃńŚśŹźŻż", "ĄąĆćĘęŁłŃńŚśŹźŻż"},
        {"Ó ó", "Ó ó"},
        {"aőb", "ab"},   // U+0151: outside the table
        {"aČšb", "ab"},  // U+010C, U+0161: outside the table
        {"a€b", "ab"},   // U+20AC
        {"Müller", "Müller"},
        {std::string("ab\0cd", 5), "ab"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Cp1250ToUtf8(ConvertRegistrationText(Utf8ToUtf16Le(c.utf8))), c.converted) << c.utf8;

    EXPECT_EQ(ConvertRegistrationText(std::string("A\0B", 3)), "AB");  // a last odd byte: high byte 0
    EXPECT_EQ(ConvertRegistrationText(""), "");
}

TEST(SplitMemoLines, BreaksAtEveryKindOfLineEnd) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n", {"a"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"\r\n\r\nx", {"", "", "x"}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const auto &c : cases) EXPECT_EQ(SplitMemoLines(c.text), c.lines) << c.text;
}

std::vector<std::string> ToUtf8(const std::vector<std::string> &lines) {
    std::vector<std::string> utf8;
    for (const std::string &line : lines) utf8.push_back(Cp1250ToUtf8(line));
    return utf8;
}

TEST(ReadRegistrationDocument, FieldsDisplayAndApplicant) {
    const std::string code = MakeRegistrationCode(Utf8ToUtf16Le(Fields(DocumentFields())));
    const RegistrationDocument document = ReadRegistrationDocument(code);

    EXPECT_EQ(Cp1250ToUtf8(document.RegistrationNumber()), "EL 5ŁW12");
    EXPECT_EQ(Cp1250ToUtf8(document.Vin()), "TMBJJ7NE0J0123456");
    EXPECT_EQ(Cp1250ToUtf8(document.Make()), "KODA");  // Š is outside the table
    EXPECT_EQ(document.Field(29), "F29");
    EXPECT_EQ(document.Field(30), "");
    EXPECT_EQ(ToUtf8(document.DisplayLines()),
              (std::vector<std::string>{"Numer rejstracyjny: EL 5ŁW12", "VIN: TMBJJ7NE0J0123456",
                                        "Marka pojazdu: KODA",
                                        "Właściciel pojazdu:", "Przedsiębiorstwo Taksówkowe ŻAK",
                                        "Łukasz Wąsowicz", "ul. Źródlana 12 90-001 Łódź"}));
    EXPECT_EQ(ToUtf8(document.ApplicantLines()),
              (std::vector<std::string>{"Przedsiębiorstwo Taksówkowe ŻAK, Łukasz Wąsowicz",
                                        "ul. Źródlana 12 90-001 Łódź"}));
}

TEST(ReadRegistrationDocument, AddressFallsBackToField23) {
    std::vector<std::string> fields = DocumentFields();
    fields[24] = "";
    const RegistrationDocument document =
        ReadRegistrationDocument(MakeRegistrationCode(Utf8ToUtf16Le(Fields(fields))));
    EXPECT_EQ(Cp1250ToUtf8(document.DisplayLines()[6]), "ul. Ogrodowa 5 90-001 Łódź");
    EXPECT_EQ(Cp1250ToUtf8(document.ApplicantLines()[1]), "ul. Ogrodowa 5 90-001 Łódź");
}

TEST(ReadRegistrationDocument, ShortOrForeignCodesGiveEmptyFields) {
    for (std::string_view text : {"", "XX", "Zm9vYmFy", "not a code at all"}) {
        const RegistrationDocument document = ReadRegistrationDocument(text);
        EXPECT_EQ(document.RegistrationNumber(), "") << text;
        EXPECT_EQ(document.DisplayLines().size(), 7u);
        EXPECT_EQ(document.DisplayLines()[5], " ");
    }
}

}  // namespace
