#pragma once
// The two-page test report of an own-family taximeter: identification, the table of the four
// tariff layouts read from the meter, the general settings, the measuring station, the test
// stages, the marks and seals, the annex list and the signature fields. Portrait pages in the
// layout unit m + m div 35.
#include <QString>
#include <array>
#include <cstdint>

#include "platform/gui/canvas.h"
#include "platform/runtime/datetime.h"

class TGraphic;

namespace printing {

struct TestReportData {
    TDateTime today = 0;
    QString applicant;       // the two lines of the applicant joined by ", "
    QString maker;           // the two lines of the maker joined by ", "
    QString serialNumber;    // Edit21
    QString productionDate;  // Edit22; its first four characters are printed
    QString certificate;     // Edit23
    QString software;        // Edit24 "/" Edit434
    QString calculationMode, meterConstant, cashRegisterTariff;  // Edit12, Edit107, Edit25
    QString station;                                             // Edit27 " Nr " Edit28
    bool discount = false, contractPrice = false;                // Panel29, Panel28 black
    QString fiscalMode;                                          // TrybFiskalny
    std::array<std::uint8_t, 2> optionFlags{};  // tariff choice when hired off, tariff change in a course
    std::array<std::uint8_t, 4> pageCode{};     // the page code letter of each group of four slots
    std::array<QString, 8> groupDates;          // [2g] active from, [2g + 1] active to
    std::array<QString, 4> groupMaxSurcharge;
    std::array<std::uint8_t, 4> groupActiveTariffs{0xFF, 0xFF, 0xFF, 0xFF};  // 0xFF: not read
    std::array<std::array<QString, 16>, 5> tariffParams;  // OpłP, OpłD, OpłC, Dps, Cps per slot
    std::array<QString, 16> surchargeUnit;                // JDOPŁ per slot
    std::array<QString, 4> tariffUnit;                    // JT per group
    std::array<std::uint8_t, 4> initialSegmentFlag{};     // non-zero: "TAK"
    const TGraphic *headPicture = nullptr;                // copied beside the column heads
    const TGraphic *sidePicture = nullptr;                // copied beside the layouts
    std::array<QString, 3> annexes;                       // the annex list
};

// "Data: " and the date as year-month-day with two-digit month and day.
QString ReportDateLine(TDateTime today);

void DrawTestReportPage1(TCanvas &canvas, int m, const TestReportData &data);
void DrawTestReportPage2(TCanvas &canvas, int m, const TestReportData &data);

}  // namespace printing
