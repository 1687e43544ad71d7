#pragma once
// The courses of the live course display kept with a job, so that a reloaded job shows them again
// and its course annex prints what the first print did. One text field holds them as a line list.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace storage {

// One column of the display: what it shows and what the course annex reads beside it.
struct KeptCourse {
    std::string heading;  // the column's heading, its lines joined by CR LF
    std::string values;   // the column's value lines, joined by CR LF
    uint8_t tariffGroup = 255;
    std::array<uint32_t, 4> tariffUnits{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    uint32_t surchargeUnits = 0xFFFFFFFF;
    bool operator==(const KeptCourse &) const = default;
};

struct KeptCourses {
    std::array<KeptCourse, 3> courses;  // newest first
    // What the current course's heading is built from: its tariff byte, the tariff page codes and
    // the calculation system.
    uint8_t tariff = 0xFF;
    std::array<uint8_t, 4> pageCodes{};
    uint8_t system = 0;
    bool operator==(const KeptCourses &) const = default;
};

std::string KeptCoursesText(const KeptCourses &kept);
// None for a field that keeps no courses (records saved before courses were kept) or whose lines
// do not read as courses.
std::optional<KeptCourses> ReadKeptCourses(std::string_view text);

}  // namespace storage
