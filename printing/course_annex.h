#pragma once
// Annex C: the courses an own-family taximeter reported over its serial link, with the tariff
// parameters in force and the calculation of each fare, on one portrait page in the layout unit
// m + m div 35.
#include <QString>
#include <array>
#include <cstdint>

#include "platform/gui/canvas.h"

namespace printing {

inline constexpr std::uint32_t kNotGiven = 0xFFFFFFFF;

// One column of the live course display.
struct CourseColumn {
    QString values;  // the 27 values, one a line, lines joined by CR LF
    QString header;  // "KURS: n", then "Taryfa: " letter digit "/System: " S or D, or "System: " S or D
    std::uint8_t tariffGroup = 255;  // 0..3; above 3 none
    std::array<std::uint32_t, 4> tariffUnits{kNotGiven, kNotGiven, kNotGiven, kNotGiven};
    std::uint32_t surchargeUnits = kNotGiven;
};

struct CourseAnnexData {
    std::array<CourseColumn, 3> courses;  // newest first
    // Initial distance, initial time, fee per km and fee per hour of the 16 slots, as stored.
    std::array<QString, 16> initialDistance, initialTime, feePerKm, feePerHour;
};

// The character that follows `label` in a course header; empty when the label is not there or
// nothing follows it.
QString HeaderCharacter(const QString &header, const QString &label);

void DrawCourseAnnex(TCanvas &canvas, int m, const CourseAnnexData &data);

}  // namespace printing
