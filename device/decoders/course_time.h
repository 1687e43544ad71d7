#pragma once
// Times of a course on the meter channel: the end of a course from its start and duration, and
// the running time of a course.
#include <cstdint>
#include <string>
#include <string_view>

namespace decoders {

// The start digits YYMMDDhhmm as "20YY-MM-DD hh:mm"; "---" unless there are ten of them.
std::string CourseStartText(std::string_view digits);

// The end "YYYY-MM-DD hh:mm" of a course that starts at `startText` (as CourseStartText gives it,
// seconds 0) and lasts `seconds`; "---" when the start is not a valid date and time or the
// duration is negative. Years divisible by 4 are leap years, as in the meters.
std::string CourseEndText(std::string_view startText, int64_t seconds);

// A running course's time "hh:mm:ss"; hours count on past 24 and wrap at 256 as in the meters.
std::string CourseDurationText(int64_t seconds);

}  // namespace decoders
