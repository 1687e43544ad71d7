#pragma once
// Working members of the print run. The main window inherits PrintRunState, so the pages read
// them by their plain names (PrintDevice, PrintScale, ...); the job's switches they read
// (MeterFamily, ApprovalRegime, CalcRelativeToK) are the window's own.
#include <QString>
#include <array>
#include <cstdint>

class TPrinter;

namespace printing {

struct PrintRunState {
    TPrinter *PrintDevice = nullptr;  // the printer of the current run
    float PrintScale = 1;             // 4961 / page width as the printer reports it before the run
    int PrintPageWidth = 0;           // page width in device pixels, re-read after each orientation change
    int PrintedTariffCount = 0;       // tested slots; annex B prints this + 1 as its page count

    // What annex C reads of the three courses of the live display, newest first: the tariff group
    // (above 3: none), the tariff units counted on tariffs 1 .. 4 and the surcharge units
    // (0xFFFFFFFF: not given). The meter link moves them with the display's columns.
    std::array<std::uint8_t, 3> CourseTariffGroup{255, 255, 255};
    std::array<std::array<std::uint32_t, 4>, 3> CourseTariffUnits{
        {{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
         {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
         {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}};
    std::array<std::uint32_t, 3> CourseSurchargeUnits{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};

    // The course counts as before the first course: no group, nothing given.
    void ForgetCourseCounts() {
        const PrintRunState none;
        CourseTariffGroup = none.CourseTariffGroup;
        CourseTariffUnits = none.CourseTariffUnits;
        CourseSurchargeUnits = none.CourseSurchargeUnits;
    }
    // A course begins: the courses before it move one column to the right; the newest column is
    // empty until the meter link fills it.
    void ShiftCourseCounts() {
        for (size_t k = CourseTariffGroup.size() - 1; k > 0; --k) {
            CourseTariffGroup[k] = CourseTariffGroup[k - 1];
            CourseTariffUnits[k] = CourseTariffUnits[k - 1];
            CourseSurchargeUnits[k] = CourseSurchargeUnits[k - 1];
        }
        const PrintRunState none;
        CourseTariffGroup[0] = none.CourseTariffGroup[0];
        CourseTariffUnits[0] = none.CourseTariffUnits[0];
        CourseSurchargeUnits[0] = none.CourseSurchargeUnits[0];
    }
};

}  // namespace printing
