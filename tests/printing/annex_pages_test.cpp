// Annexes A and C drawn on a recording canvas at 600 dpi: m = 236, u = 242 pixels.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <functional>

#include "platform/gui/gui_test_support.h"
#include "printing/course_annex.h"
#include "printing/checklist_page.h"
#include "printing/item_table_form.h"
#include "printing/test_report.h"
#include "tests/printing/drawn_texts.h"

namespace {

constexpr int kM = 236;
constexpr int kU = 242;

int Px(long double units) {
    return static_cast<int>(units * kU);
}

class AnnexPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        canvas.Font().SetName("Arial");
        canvas.Font().SetSize(9);
    }

    // Expects `text` drawn at (x, y) units in the given size and style.
    void ExpectText(const QString &text, long double x, long double y, int size, bool bold) const {
        const auto drawn = canvas.Find(text);
        ASSERT_TRUE(drawn) << text.toStdString();
        EXPECT_EQ(drawn->x, Px(x)) << text.toStdString();
        EXPECT_EQ(drawn->y, Px(y)) << text.toStdString();
        EXPECT_EQ(drawn->size, size) << text.toStdString();
        EXPECT_EQ(drawn->bold, bold) << text.toStdString();
        EXPECT_EQ(drawn->face, "Times New Roman") << text.toStdString();
    }

    bool Drew(const std::string &call) const {
        const auto &calls = canvas.Calls();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    TextRecordingCanvas canvas;
};

printing::InspectionAnnexData DefaultJob() {
    printing::InspectionAnnexData data;
    data.typeDesignation = "NOVITIUS 851";
    data.serialNumber = "12345";
    data.marks.fill("+");
    for (const int item : {19, 29, 30, 31, 32}) data.marks[item] = "ND";  // 11, 15b .. 15e
    return data;
}

TEST_F(AnnexPageTest, InspectionAnnexHeadingFollowsTheFamily) {
    printing::InspectionAnnexData data = DefaultJob();
    printing::DrawInspectionAnnex(canvas, kM, data);
    ExpectText("ZAŁĄCZNIK", 0.8, 1.3, 10, false);
    ExpectText("A. Oględziny zewnętrzne i sprawdzenie działania taksometru.", 2.9, 1.3, 10, true);
    ExpectText("NOVITIUS 851", 3.3, 1.75, 10, true);
    ExpectText("Nr", 7.1, 1.75, 10, false);
    ExpectText("12345", 7.8, 1.75, 10, true);
    EXPECT_FALSE(canvas.Find("TIVAR"));

    canvas.texts.clear();
    data.ownFamily = true;
    printing::DrawInspectionAnnex(canvas, kM, data);
    ExpectText("TIVAR", 3.3, 1.75, 10, true);
    ExpectText("2", 4.6, 1.75, 7, true);
    ExpectText("12345", 7.8, 1.75, 10, true);
    EXPECT_FALSE(canvas.Find("NOVITIUS 851"));
}

TEST_F(AnnexPageTest, InspectionAnnexMarksStandInTheirRows) {
    printing::DrawInspectionAnnex(canvas, kM, DefaultJob());
    // The default job: 29 "+" at 18.4, "ND" at 18.3 for items 11, 15b, 15c, 15d and 15e.
    const auto plus = canvas.At(Px(18.4));
    EXPECT_EQ(plus.size(), 29u);
    EXPECT_TRUE(
        std::all_of(plus.begin(), plus.end(), [](const DrawnText &t) { return t.text == "+" && t.bold; }));
    std::vector<int> ndRows;
    for (const DrawnText &t : canvas.At(Px(18.3))) ndRows.push_back(t.y);
    EXPECT_EQ(ndRows, (std::vector<int>{Px(15.85), Px(22.7), Px(23.1), Px(23.55), Px(23.95)}));

    // Each panel's caption in its item's row, printed as it stands.
    printing::InspectionAnnexData data = DefaultJob();
    for (size_t i = 0; i < data.marks.size(); ++i) data.marks[i] = "m" + QString::number(i);
    canvas.texts.clear();
    printing::DrawInspectionAnnex(canvas, kM, data);
    const struct {
        int panel;
        long double y;
    } rows[] = {{0, 3.85},  {1, 4.45},  {4, 6.05},  {9, 8.9},   {15, 13.25},
                {22, 18.1}, {25, 20.3}, {26, 20.9}, {33, 24.35}};
    for (const auto &row : rows) ExpectText("m" + QString::number(row.panel), 18.4, row.y, 8, true);
}

TEST_F(AnnexPageTest, InspectionAnnexFrameSignatureAndCanvasGivenBack) {
    printing::DrawInspectionAnnex(canvas, kM, DefaultJob());
    const int right = static_cast<int>(21 * kM - 0.8L * kU);
    for (const int x : {Px(0.8), Px(2.2), Px(17.4), right}) {
        EXPECT_TRUE(Drew("MoveTo(" + std::to_string(x) + ", " + std::to_string(Px(2.2)) + ")")) << x;
        EXPECT_TRUE(Drew("LineTo(" + std::to_string(x) + ", " + std::to_string(Px(24.7)) + ")")) << x;
    }
    // A sub-item rule and the full rule under item 15.
    EXPECT_TRUE(Drew("MoveTo(" + std::to_string(Px(7.9)) + ", " + std::to_string(Px(22.65)) + ")"));
    EXPECT_TRUE(Drew("LineTo(" + std::to_string(right) + ", " + std::to_string(Px(22.65)) + ")"));
    ExpectText(QString(91, '.'), 5.9, 26.5, 10, true);
    ExpectText("Oględziny zewnętrzne wykonał/a (data, podpis)", 6.3, 26.9, 10, true);
    EXPECT_EQ(canvas.Font().Name(), "Arial");
    EXPECT_EQ(canvas.Font().Size(), 9);
    EXPECT_EQ(canvas.Pen().Width(), kM / 50);
}

// A course of meter `number` whose line i reads "v<i>" unless given.
printing::CourseColumn Course(const QString &number,
                              const QString &header = "KURS: 3\r\nTaryfa: C2/System: D") {
    QStringList lines;
    for (int i = 0; i < 27; ++i) lines << "v" + QString::number(i);
    lines[0] = number;
    printing::CourseColumn course;
    course.values = lines.join("\r\n");
    course.header = header;
    course.tariffGroup = 1;
    course.tariffUnits = {12, 0, 7, printing::kNotGiven};
    course.surchargeUnits = 3;
    return course;
}

printing::CourseAnnexData CourseJob() {
    printing::CourseAnnexData data;
    data.courses = {Course("0042"), Course("0042"), Course("0042")};
    for (int slot = 0; slot < 16; ++slot) {
        data.initialDistance[slot] = "d" + QString::number(slot);
        data.initialTime[slot] = "t" + QString::number(slot);
        data.feePerKm[slot] = "k" + QString::number(slot);
        data.feePerHour[slot] = "h" + QString::number(slot);
    }
    return data;
}

// x of a bold-right text of size 8 (the estimate moves it by 1 x its length x u x 0.1).
int RightAligned(long double x, const QString &text) {
    return static_cast<int>(static_cast<double>(x * kU) - static_cast<double>(text.size() * kU) * 0.1);
}

TEST_F(AnnexPageTest, CourseAnnexPrintsTheCoursesOfTheNewestMeter) {
    printing::CourseAnnexData data = CourseJob();
    data.courses[1] = Course("0077");  // another taximeter
    printing::DrawCourseAnnex(canvas, kM, data);
    ExpectText("Załącznik C. Sprawdzanie poprawności pracy interfejsów urządzeń zewnętrznych", 4.5, 0.8, 10,
               false);
    std::vector<int> blocks;
    for (const DrawnText &t : canvas.texts)
        if (t.text == "KURS") blocks.push_back(t.y);
    EXPECT_EQ(blocks, (std::vector<int>{Px(1.1), Px(9.48)}));  // courses 0 and 2, one under the other
    // The heavy rule closing the second block.
    EXPECT_TRUE(
        Drew("MoveTo(" + std::to_string(Px(1.4)) + ", " + std::to_string(Px(9.48 + 0.36 * 23)) + ")"));

    // The newest course without a number: the title alone.
    canvas.texts.clear();
    data.courses = {Course("---"), Course("---"), Course("---")};
    printing::DrawCourseAnnex(canvas, kM, data);
    EXPECT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.Font().Name(), "Arial");
    EXPECT_EQ(canvas.Font().Size(), 9);
}

TEST_F(AnnexPageTest, CourseAnnexBlockValues) {
    printing::CourseAnnexData data = CourseJob();
    data.courses[1].values = data.courses[2].values = "---";
    printing::DrawCourseAnnex(canvas, kM, data);
    const auto row = [](int r) { return 1.1L + 0.36L * r; };
    ExpectText("TIVAR     nr. 0042", 16.0, row(2), 8, true);
    ExpectText("2", 17.05, row(2), 5, true);
    ExpectText("D", 17.3, row(3), 8, true);  // the system from the header
    ExpectText("C", 17.3, row(8), 8, true);  // the layout letter
    ExpectText("v1", 16.3, row(4), 8, true);
    ExpectText("v3", 16.8, row(7), 8, true);
    // Group 1, tariff j + 1 of layout C in rows 11 .. 14: slots 4 .. 7, values ending near their x.
    for (int j = 0; j < 4; ++j) {
        ExpectText("C" + QString::number(j + 1), 7.3, row(11 + j), 8, true);
        const QString distance = "d" + QString::number(4 + j);
        const auto drawn = canvas.Find(distance);
        ASSERT_TRUE(drawn);
        EXPECT_EQ(drawn->x, RightAligned(10.2, distance));
        EXPECT_EQ(drawn->y, Px(row(11 + j)));
        ASSERT_TRUE(canvas.Find("h" + QString::number(4 + j)));
    }
    // Fee rows: the unit count times JT, "---" for a count not given; the fee printed all the same.
    ExpectText("12 x v6", 13.3, row(16), 8, false);
    ExpectText("0 x v6", 13.3, row(17), 8, false);
    EXPECT_EQ(canvas.Find("v19")->y, Px(row(19)));
    const auto missing = std::find_if(canvas.texts.begin(), canvas.texts.end(), [&](const DrawnText &t) {
        return t.text == "---" && t.y == Px(row(19)) && t.x == Px(13.3);
    });
    EXPECT_NE(missing, canvas.texts.end());
    ExpectText("3 x v7", 13.3, row(20), 8, false);
    ExpectText("N4 x JT [zł]", 8.3, row(19), 8, false);
    const auto total = canvas.Find("v23/v26");
    ASSERT_TRUE(total);
    EXPECT_EQ(total->x, RightAligned(17.1, "v23/v26"));
}

TEST_F(AnnexPageTest, CourseAnnexMissingValuesPrintDashes) {
    printing::CourseAnnexData data = CourseJob();
    data.courses[1].values = data.courses[2].values = "---";
    data.courses[0] = Course("0042", "KURS: 10\r\nSystem: S");  // a course without a tariff
    data.courses[0].tariffGroup = 255;
    QStringList lines = data.courses[0].values.split("\r\n");
    lines[23] = "0,00";  // no contract price
    data.courses[0].values = lines.join("\r\n");
    printing::DrawCourseAnnex(canvas, kM, data);

    const auto row = [](int r) { return Px(1.1L + 0.36L * r); };
    int dashesInTariffColumns = 0;
    for (const DrawnText &t : canvas.texts)
        if (t.text == "---" && t.y >= row(11) && t.y <= row(14) && t.x > Px(7.3)) ++dashesInTariffColumns;
    EXPECT_EQ(dashesInTariffColumns, 16);
    std::vector<QString> names;  // bare digits as tariff names
    for (const DrawnText &t : canvas.At(Px(7.3))) names.push_back(t.text);
    EXPECT_EQ(names, (std::vector<QString>{"1", "2", "3", "4"}));
    ExpectText("S", 17.3, 1.1L + 0.36L * 3, 8, true);
    EXPECT_EQ(canvas.Find("---")->y, row(11));  // CU
    EXPECT_TRUE(canvas.Find("---/v26"));
    EXPECT_FALSE(canvas.Find("C1"));
}

TEST(CourseHeaderTest, CharactersAfterTheirLabels) {
    struct Case {
        const char *header, *label, *expected;
    } cases[] = {
        {"KURS: 1\r\nTaryfa: A1/System: S", "Taryfa: ", "A"},
        {"KURS: 1\r\nTaryfa: A1/System: S", "System: ", "S"},
        {"KURS: 12\r\nSystem: D", "Taryfa: ", ""},
        {"KURS: 12\r\nSystem: D", "System: ", "D"},
        {"KURS: 12\r\nTaryfa: E4", "System: ", ""},
        {"---", "Taryfa: ", ""},
        {"KURS: 3\r\nTaryfa: ", "Taryfa: ", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(printing::HeaderCharacter(c.header, c.label), c.expected) << c.header << " / " << c.label;
}

printing::TestReportData ReportJob() {
    printing::TestReportData data;
    data.today = EncodeDate(2026, 3, 5);
    data.pageCode = {'A', 'C', 'E', 'H'};
    data.groupDates = {"2024-01-01", "2030-12-31", "2000-01-01", "2000-01-01",
                       "2025-06-01", "2026-06-01", "2026-01-01", "2027-01-01"};
    data.groupActiveTariffs = {4, 3, 0xFF, 2};
    data.initialSegmentFlag = {1, 0, 1, 0};
    for (int slot = 0; slot < 16; ++slot) {
        for (int row = 0; row < 5; ++row) data.tariffParams[row][slot] = QString("p%1s%2").arg(row).arg(slot);
        data.surchargeUnit[slot] = "j" + QString::number(slot);
    }
    data.tariffUnit = {"0,10", "0,20", "0,30", "0,40"};
    data.groupMaxSurcharge = {"5,00", "6,00", "7,00", "8,00"};
    return data;
}

TEST_F(AnnexPageTest, TestReportFirstPageTariffTable) {
    printing::DrawTestReportPage1(canvas, kM, ReportJob());
    ExpectText("PROTOKÓŁ BADAŃ TAKSOMETRU", 7.0, 2.0, 11, true);
    ExpectText("Data: 2026-03-05", 1.1, 2.8, 10, false);
    // Slot labels: the group's page code letter and the place in the group, one slot every 0.65.
    const QString labels[] = {"A1", "A4", "C1", "E3", "H4"};
    const int slotOf[] = {0, 3, 4, 10, 15};
    for (int i = 0; i < 5; ++i) ExpectText(labels[i], 6.3, 9.35L + 0.65L * slotOf[i], 9, true);
    const auto fee = canvas.Find("p0s10");
    ASSERT_TRUE(fee);
    EXPECT_EQ(fee->x, RightAligned(8.0, "p0s10"));  // 9 pt: the estimate is 1 x length x u x 0.1

    // Group blocks: an active group with its dates and count, an inactive one with "NIE" and "0",
    // a count not read prints nothing.
    double e0 = 9.2;  // end of group 0, reached slot by slot
    for (int slot = 0; slot < 4; ++slot) e0 = e0 + 0.15 + 0.5;
    const double y1 = e0 - 2.2 + 0.56, y2 = y1 + 0.28, y4 = y2 + 0.28 + 0.28;
    ExpectText("od", 3.7, y1, 8, false);
    ExpectText("2024-01-01", 4.1, y1, 8, true);
    ExpectText("2030-12-31", 4.1, y2, 8, true);
    ExpectText("4", 5.75, y4, 8, true);
    const double e1 = e0 + 4 * 0.65;
    ExpectText("NIE", 4.1, e1 - 2.2 + 0.56, 8, true);
    EXPECT_EQ(std::count_if(canvas.texts.begin(), canvas.texts.end(),
                            [](const DrawnText &t) { return t.text == "od"; }),
              3);
    std::vector<QString> counts;  // groups 0, 1 (inactive: "0") and 3; group 2 was not read
    for (const DrawnText &t : canvas.At(Px(5.75))) counts.push_back(t.text);
    EXPECT_EQ(counts, (std::vector<QString>{"4", "0", "2"}));
    EXPECT_TRUE(Drew("LineTo(" + std::to_string(static_cast<int>(21 * kM - kU)) + ", " +
                     std::to_string(Px(9.2L + 16 * 0.65L)) + ")"));
    ExpectText("STRONA 1/2", 10.0, 28.0, 9, false);
    EXPECT_EQ(canvas.Font().Name(), "Arial");
}

TEST_F(AnnexPageTest, TestReportSecondPage) {
    printing::TestReportData data = ReportJob();
    data.annexes = {"Załącznik A", "", "---"};
    printing::DrawTestReportPage2(canvas, kM, data);
    ExpectText("zwykły tryb obliczania D", 1.7, 2.0, 9, true);
    ExpectText("Załącznik A", 1.7, 8.0, 9, false);
    ExpectText("---", 1.7, 8.8, 9, false);
    ExpectText("Wynik badań: pozytywny / negatywny *", 1.0, 9.8, 9, false);
    ExpectText("* - niepotrzebne skreślić", 1.0, 26.0, 9, false);
    ExpectText("STRONA 2/2", 10.0, 28.0, 9, false);
}

TEST_F(AnnexPageTest, TableFormMarksFamilyAndColumnRuns) {
    printing::InspectionTableData data;
    data.typeDesignation = "NOVITIUS 851";
    data.serialNumber = "12345";
    data.marks.fill("ND");
    printing::DrawInspectionTable(canvas, kM, data);
    const auto unit = [](long double units) { return static_cast<int>(units * kM); };

    const auto marks = canvas.At(unit(0.9 + 17.9));
    ASSERT_EQ(marks.size(), 17u);
    for (const DrawnText &t : marks) {
        EXPECT_EQ(t.text, "ND");
        EXPECT_EQ(t.size, 13);  // one and a half times the canvas's 9
    }
    const auto type = canvas.Find(" NOVITIUS 851 ");
    ASSERT_TRUE(type);
    EXPECT_TRUE(type->bold);
    EXPECT_EQ(type->x, unit(0.9 + 4.2));
    ASSERT_TRUE(canvas.Find(" 12345 "));
    EXPECT_FALSE(canvas.Find(" TIVAR "));

    // The column lines at 14.3 and 17.5 run in four pieces, leaving out the lines of the
    // questions of points 5, 6 and 12.
    std::vector<std::pair<int, int>> runs;
    const auto &calls = canvas.Calls();
    const std::string at = "MoveTo(" + std::to_string(unit(14.3)) + ", ";
    for (size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].rfind(at, 0) != 0) continue;
        const int top = std::stoi(calls[i].substr(at.size()));
        const int bottom = std::stoi(calls[i + 1].substr(calls[i + 1].find(", ") + 2));
        runs.emplace_back(top, bottom);
    }
    ASSERT_EQ(runs.size(), 4u);
    for (const char *question : {"pkt 5", "pkt 6", "pkt 12"}) {
        const int y = canvas.Find(question)->y;
        for (const auto &[top, bottom] : runs) EXPECT_FALSE(y > top && y < bottom) << question;
    }
    EXPECT_EQ(canvas.Font().Name(), "MS Sans Serif");
    EXPECT_EQ(canvas.Font().Size(), 9);

    canvas.texts.clear();
    data.ownFamily = true;
    printing::DrawInspectionTable(canvas, kM, data);
    EXPECT_EQ(canvas.Find(" TIVAR ")->x, unit(0.9 + 4.2));
    const auto small = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                    [](const DrawnText &t) { return t.text == "2" && t.size == 6; });
    ASSERT_NE(small, canvas.texts.end());
    EXPECT_EQ(small->x, unit(6.25));
    EXPECT_FALSE(canvas.Find(" NOVITIUS 851 "));
}

TEST_F(AnnexPageTest, TableFormLongPagesNumberTheirRowsAndPrintTheirMarks) {
    const auto unit = [](long double units) { return static_cast<int>(units * kM); };
    struct Case {
        std::function<void(TCanvas &)> draw;
        std::vector<QString> numbers;
    };
    const std::array<QString, 7> seven{"a", "b", "c", "d", "e", "f", "g"};
    const Case cases[] = {
        {[&](TCanvas &c) { printing::DrawInspectionTableRows9To15(c, kM, seven); },
         {"9.", "10.", "11.", "12.", "13.", "14.", "15."}},
        {[&](TCanvas &c) { printing::DrawInspectionTableRows16To22(c, kM, seven); },
         {"16.", "17.", "18.", "19.", "20.", "21.", "22."}},
        {[&](TCanvas &c) {
             printing::DrawInspectionTableRows23To24(c, kM, {"a", "b"});
         },
         {"23.", "24."}},
    };
    for (const Case &c : cases) {
        canvas.texts.clear();
        canvas.ClearCalls();
        c.draw(canvas);
        std::vector<QString> numbers, marks;
        std::vector<int> numberRows, markRows;
        for (const DrawnText &t : canvas.At(unit(0.9 + 16.0))) {
            if (t.text == "Nr") continue;
            EXPECT_TRUE(t.bold) << t.text.toStdString();
            numbers.push_back(t.text);
            numberRows.push_back(t.y);
        }
        for (const DrawnText &t : canvas.At(unit(0.9 + 18.0))) {
            EXPECT_EQ(t.size, 18) << "twice the canvas's size";
            marks.push_back(t.text);
            markRows.push_back(t.y);
        }
        EXPECT_EQ(numbers, c.numbers);
        EXPECT_EQ(marks,
                  std::vector<QString>(seven.begin(), seven.begin() + static_cast<long>(c.numbers.size())));
        EXPECT_EQ(numberRows, markRows) << "each row's number and mark stand on one line";
        EXPECT_TRUE(std::is_sorted(numberRows.begin(), numberRows.end()));
        EXPECT_LT(numberRows.back(), unit(28.0)) << "the table fits the page";
        EXPECT_EQ(canvas.Font().Name(), "Arial") << "the long form draws in the canvas's face";
    }
}

}  // namespace
