#include "storage/kept_courses.h"

#include <gtest/gtest.h>

namespace {

storage::KeptCourses Sample() {
    storage::KeptCourses kept;
    kept.courses[0] = {"KURS: 12\r\nTaryfa: C3/System: D", "123456\r\n2024-01-01 00:01\r\n\r\n3,0", 2,
                       {15, 0, 4, 0xFFFFFFFF}, 7};
    kept.courses[1] = {"KURS: 11", "żółw\r\n---", 255, {0, 1, 2, 3}, 0xFFFFFFFF};
    kept.courses[2] = {"", "", 0, {}, 0};
    kept.tariff = 0x12;
    kept.pageCodes = {'A', 'C', 0, 255};
    kept.system = 'D';
    return kept;
}

TEST(KeptCourses, TheCoursesReadBackAsTheyWereKept) {
    const storage::KeptCourses kept = Sample();
    const std::string text = storage::KeptCoursesText(kept);
    EXPECT_EQ(storage::ReadKeptCourses(text), kept);
    EXPECT_EQ(storage::ReadKeptCourses(storage::KeptCoursesText(storage::KeptCourses{})), storage::KeptCourses{});
    // Every line of the field is ended like the other line lists of the job.
    const std::string first = "2\r\nKURS: 12\r\nTaryfa: C3/System: D\r\n4\r\n123456\r\n";
    EXPECT_EQ(text.substr(0, first.size()), first);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(KeptCourses, AFieldThatKeepsNoCoursesReadsAsNone) {
    const std::string text = storage::KeptCoursesText(Sample());
    const std::string cases[] = {
        "",                                       // a job saved before courses were kept
        text.substr(0, text.size() - 5),          // cut short
        text + "1\r\n",                           // a line too many
        "99\r\n" + text.substr(1),                // a caption longer than the field
        "0\r\n" + text.substr(1),                 // a caption of no lines
        "x" + text,                               // a count that is not a number
        "-2" + text.substr(1),                    // nor a negative one
    };
    for (const std::string &damaged : cases) EXPECT_FALSE(storage::ReadKeptCourses(damaged)) << damaged;
    // A number too big for its place.
    std::string big = text;
    big.replace(big.rfind("\r\n", big.size() - 3) + 2, 2, "256");
    EXPECT_FALSE(storage::ReadKeptCourses(big));
}

}  // namespace
