#include "printing/check_protocol.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "platform/gui/gui_test_support.h"
#include "platform/gui/recording_canvas.h"

namespace {

using Calls = std::vector<std::string>;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::Not;

constexpr int kPageWidth = 4958;        // A4 portrait at 600 dpi
constexpr int kUnit = kPageWidth / 21;  // 236

struct Placed {
    int x = -1, y = -1;
};

class CheckProtocolTest : public ::testing::Test {
protected:
    void SetUp() override { gui::EnsureQtApplication(); }

    const Calls &Draw(const printing::CheckProtocolData &data) {
        canvas = std::make_unique<gui::RecordingCanvas>();
        canvas->Font().SetName("Times New Roman");
        canvas->Font().SetSize(9);
        canvas->ClearCalls();
        printing::DrawCheckProtocol(*canvas, kUnit, kPageWidth, data);
        return canvas->Calls();
    }

    // The texts drawn, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        static const std::regex textOut(R"re(TextOut\(-?\d+, -?\d+, "(.*)"\))re");
        std::smatch match;
        for (const std::string &call : canvas->Calls())
            if (std::regex_match(call, match, textOut)) texts.push_back(match[1]);
        return texts;
    }

    // Where the first text equal to text was drawn.
    Placed Where(const std::string &text) const {
        static const std::regex textOut(R"re(TextOut\((-?\d+), (-?\d+), "(.*)"\))re");
        std::smatch match;
        for (const std::string &call : canvas->Calls())
            if (std::regex_match(call, match, textOut) && match[3] == text)
                return {std::stoi(match[1]), std::stoi(match[2])};
        return {};
    }

    std::unique_ptr<gui::RecordingCanvas> canvas;
};

TEST_F(CheckProtocolTest, FirstRowsDrawExactly) {
    const Calls &calls = Draw({});
    const std::string title =
        "Protokół sprawdzenia przy legalizacji ponownej taksometrów wprowadzonych do obrotu lub";
    // Setting up, row 0 (nothing), rows 1 and 2 (bold titles at 4.5 and 7.4 units).
    const Calls start{"Pen.Width=4", "Brush.Style=bsClear", "Font.Color=0x000000", "Font.Style=[fsBold]",
                      "TextOut(1062, 330, \"" + title + "\")", "Font.Style=[]", "Font.Style=[fsBold]",
                      "TextOut(1746, 401, \"użytkowania po dokonaniu oceny zgodności\")", "Font.Style=[]",
                      // Row 3 at 2.2 units: white bold text on a band from 0.8 to 6.2 units.
                      "Font.Color=0xFFFFFF", "Font.Style=[fsBold]", "MoveTo(188, 519)", "LineTo(1463, 519)"};
    ASSERT_GT(calls.size(), start.size());
    EXPECT_THAT(Calls(calls.begin(), calls.begin() + start.size()), ElementsAreArray(start));
    // The band covers rows 519 to 637 (2.7 units) inclusive, then the row's frame and its text.
    const auto afterBand = std::find(calls.begin(), calls.end(), "LineTo(1463, 637)");
    ASSERT_NE(afterBand, calls.end());
    EXPECT_EQ(afterBand - calls.begin(), static_cast<long>(start.size()) - 1 + 2 * (637 - 519));
    EXPECT_THAT(Calls(afterBand + 1, afterBand + 7),
                ElementsAreArray(Calls{"MoveTo(188, 519)", "LineTo(4767, 519)", "LineTo(4767, 637)",
                                       "LineTo(188, 637)", "LineTo(188, 519)",
                                       "TextOut(259, 542, \"Nr wniosku / Nr dziennika zgłoszeń:\")"}));
}

TEST_F(CheckProtocolTest, EndsWithTheCanvasAsItWas) {
    Draw({});
    EXPECT_EQ(canvas->Font().Size(), 9);
    EXPECT_EQ(canvas->Font().Style(), 0u);
    EXPECT_EQ(canvas->Font().Color(), clBlack);
    EXPECT_EQ(canvas->Pen().Color(), clBlack);
    EXPECT_EQ(canvas->Brush().Style(), bsClear);
}

TEST_F(CheckProtocolTest, PrinterWithoutWidthDrawsNothing) {
    canvas = std::make_unique<gui::RecordingCanvas>();
    printing::DrawCheckProtocol(*canvas, 0, 0, {});
    EXPECT_TRUE(canvas->Calls().empty());
}

TEST_F(CheckProtocolTest, RegimeWording) {
    printing::CheckProtocolData data;
    data.edits["Edit12"] = "D";
    Draw(data);
    EXPECT_THAT(Texts(), Contains("Nr certyfikatu badania typu:"));
    EXPECT_THAT(Texts(), Contains(" D "));
    EXPECT_EQ(
        Where("Protokół sprawdzenia przy legalizacji ponownej taksometrów wprowadzonych do obrotu lub").x,
        1062);

    data.zt = true;
    Draw(data);
    const std::string title =
        "Protokół sprawdzenia przy legalizacji ponownej taksometrów elektronicznych  wprowadzonych do obrotu "
        "lub";
    EXPECT_EQ(Where(title).x, 826);                                 // 3.5 units
    EXPECT_EQ(Where("użytkowania po zatwierdzeniu typu").x, 1982);  // 8.4 units
    EXPECT_THAT(Texts(), Contains("Dane identyfikujące przyrząd pomiarowy - Taksometr elektroniczny:"));
    EXPECT_THAT(Texts(), Contains("Nr certyfikatu zatwierdzenia typu"));
    EXPECT_THAT(Texts(), Contains(" S "));
    EXPECT_THAT(Texts(), Not(Contains(" D ")));
}

TEST_F(CheckProtocolTest, VerdictWords) {
    struct Case {
        std::uint8_t status;
        const char *inspection, *measurement, *answer;
    };
    for (const Case &c :
         {Case{0, "pozytywny", "pozytywny", "TAK"}, Case{1, "negatywny", "pozytywny", "NIE"},
          Case{2, "pozytywny", "negatywny", "NIE"}, Case{3, "negatywny", "negatywny", "NIE"}}) {
        printing::CheckProtocolData data;
        data.verdictStatus = c.status;
        Draw(data);
        const std::vector<std::string> texts = Texts();
        const auto first = std::find(texts.begin(), texts.end(), "Oględziny zewnętrzne -");
        ASSERT_LT(first + 4, texts.end());
        EXPECT_EQ(first[1], c.inspection) << int(c.status);
        EXPECT_EQ(first[3], c.measurement) << int(c.status);
        EXPECT_EQ(first[5], c.answer) << int(c.status);
    }
}

TEST_F(CheckProtocolTest, TyreSizeSpellsOutTheDrivenAxle) {
    struct Case {
        const char *tyre, *printed;
    };
    for (const Case &c :
         {Case{"195/65R15P", "195/65R15-napęd na przód"}, Case{"195/65R15T", "195/65R15-napęd na tył"},
          Case{"195/65R15O", "195/65R15-napęd 4x4"}, Case{"195/65R15", "195/65R15"}, Case{"", ""},
          Case{"P", "-napęd na przód"}})
        EXPECT_EQ(printing::TyreSizeText(c.tyre), QString(c.printed)) << c.tyre;

    printing::CheckProtocolData data;
    data.edits = {{"Edit111", "205"}, {"Edit457", "55"}, {"Edit458", "16T"}, {"Edit486", "175/70R14O"}};
    Draw(data);
    EXPECT_THAT(Texts(), Contains(" 205/55R16-napęd na tył "));
    data.meterFamily = 1;
    Draw(data);
    EXPECT_THAT(Texts(), Contains(" 175/70R14-napęd 4x4 "));
}

TEST_F(CheckProtocolTest, TypeLineOfEachFamily) {
    printing::CheckProtocolData data;
    data.edits["Edit20"] = "N-1";
    Draw(data);
    EXPECT_THAT(Texts(), Contains(" N-1 "));

    data.meterFamily = 1;
    Draw(data);
    const Placed type = Where(" TIVAR ");
    ASSERT_EQ(type.x, 1368);  // 5.8 units
    const Calls &calls = canvas->Calls();
    const auto at =
        std::find(calls.begin(), calls.end(), "TextOut(1368, " + std::to_string(type.y) + ", \" TIVAR \")");
    ASSERT_NE(at, calls.end());
    // A smaller bold "2" 1.1 units further on; the row's bold size 9 back afterwards.
    EXPECT_THAT(Calls(at + 1, at + 4),
                ElementsAreArray(Calls{"Font.Size=7", "TextOut(1627, " + std::to_string(type.y) + ", \"2\")",
                                       "Font.Size=9"}));
}

TEST_F(CheckProtocolTest, ApplicantRolesNotApplyingAreStruckOut) {
    printing::CheckProtocolData data;
    data.userApplies = true;
    Draw(data);
    const Calls &calls = canvas->Calls();
    // The last style set before the text is drawn.
    auto styleOf = [&](const std::string &text) {
        const auto at = std::find_if(calls.begin(), calls.end(), [&](const std::string &c) {
            return c.find("\"" + text + "\"") != std::string::npos;
        });
        EXPECT_NE(at, calls.end()) << text;
        return *std::find_if(std::make_reverse_iterator(at), calls.rend(),
                             [](const std::string &c) { return c.rfind("Font.Style=", 0) == 0; });
    };
    EXPECT_EQ(styleOf("Wykonawca naprawy*"), "Font.Style=[fsStrikeOut]");
    EXPECT_EQ(styleOf("Instalator*"), "Font.Style=[fsStrikeOut]");
    EXPECT_EQ(styleOf("Użytkownik przyrządu pomiarowego*"), "Font.Style=[]");
}

TEST_F(CheckProtocolTest, ScopeLines) {
    printing::CheckProtocolData data;
    data.memos["Memo10"] = {"Sprawdzenie obejmowało oględziny zewnętrzne taksometru",
                            "oraz wyznaczenie błędów", "wskazań", "w zakresie czasu i drogi", "piąta linia"};
    Draw(data);
    // Lines 0 and 1 justified between 2.2 units from either edge: the first word at 2.2 units,
    // the rest ending less than a space before the right margin.
    const int left = 519, right = kPageWidth - 519;
    const std::vector<std::string> texts = Texts();
    for (const char *first : {"Sprawdzenie ", "oraz "}) {
        const auto at = std::find_if(texts.begin(), texts.end(),
                                     [&](const std::string &t) { return t.rfind(first, 0) == 0; });
        ASSERT_LT(at + 1, texts.end()) << first;
        EXPECT_EQ(Where(*at).x, left);
        canvas->Font().SetSize(9);
        const int end = Where(at[1]).x + canvas->TextWidth(QString::fromStdString(at[1]));
        EXPECT_LE(end, right) << first;
        EXPECT_GT(end, right - canvas->TextWidth(" ")) << first;
    }
    // A one-word line and line 3 as they stand; lines after the fourth not at all.
    EXPECT_EQ(Where("wskazań").x, left);
    EXPECT_EQ(Where("w zakresie czasu i drogi").x, left);
    EXPECT_THAT(Texts(), Not(Contains("piąta linia")));
    const int full = Where("Wyniki sprawdzenia:").y;

    // The memo's last line as it stands.
    data.memos["Memo10"] = {"Sprawdzenie obejmowało oględziny"};
    Draw(data);
    EXPECT_EQ(Where("Sprawdzenie obejmowało oględziny").x, left);

    // Empty lines 1 to 3 draw nothing and pull the rows below up by 0.4 units each.
    data.memos["Memo10"] = {"Sprawdzenie", "", "", ""};
    Draw(data);
    EXPECT_NEAR(Where("Wyniki sprawdzenia:").y, full - 3 * 0.4 * kUnit, 1);
}

TEST_F(CheckProtocolTest, OfficeLineAndProtocolDate) {
    printing::CheckProtocolData data;
    data.edits = {{"Edit473", "W KRAKOWIE"}, {"Edit485", "10.12.2026"}};
    Draw(data);
    EXPECT_THAT(Texts(), Contains(" DYREKTOR OKRĘGOWEGO URZĘDU MIAR W KRAKOWIE"));
    EXPECT_THAT(Texts(), Not(Contains(" 10.12.2026 ")));

    data.edits["Edit482"] = "W TARNOWIE";
    data.printDate = true;
    Draw(data);
    EXPECT_THAT(Texts(),
                Contains(" DYREKTOR OKRĘGOWEGO URZĘDU MIAR W KRAKOWIE, WYDZIAŁ ZAMIEJSCOWY W TARNOWIE"));
    EXPECT_EQ(Where(" 10.12.2026 ").x, 2147);  // 9.1 units
}

}  // namespace
