#include "printing/print_run_plan.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using printing::PageKind;
using printing::PlanPrintRun;
using printing::PrintChoices;

// A job's pages as "kind pages/page slot" words, with "*" for the second set and "B" for the base run.
std::string Pages(const printing::PlannedJob &job) {
    static const char *const kNames[] = {"ZU", "B1T", "B1N",  "BR", "ZUP", "PROT",
                                         "C",  "A",   "CERT", "UT", "UTM"};
    std::ostringstream out;
    for (const printing::PlannedPage &page : job.pages) {
        out << (out.tellp() > 0 ? " " : "") << kNames[static_cast<int>(page.kind)];
        if (page.pages > 0) out << ' ' << page.page << '/' << page.pages;
        if (page.slot >= 0) out << " s" << page.slot;
        if (page.secondSet) out << '*';
        if (page.baseRun) out << 'B';
    }
    return out.str();
}

TEST(PrintRunPlanTest, TestedSlotsAscending) {
    std::array<bool, 16> marked{};
    marked[12] = marked[2] = marked[9] = true;
    EXPECT_EQ(printing::TestedSlots(marked), (std::vector<int>{2, 9, 12}));
}

TEST(PrintRunPlanTest, LandscapeAnnexBJobs) {
    struct Case {
        const char *name;
        PrintChoices choices;
        std::vector<int> tested;
        std::string landscape;
    };
    PrintChoices tivar;
    tivar.annexB = true;
    tivar.meterFamily = 1;
    PrintChoices novitius = tivar;
    novitius.meterFamily = 0;
    PrintChoices change = tivar;
    change.changeProcedureOn = true;
    PrintChoices relative = tivar;
    relative.relativeToK = true;
    PrintChoices relativeTwoSets = relative;
    relativeTwoSets.secondSetOnBase = true;
    PrintChoices none;
    const Case cases[] = {
        {"slots in order, N+1 pages", tivar, {2, 9, 12}, "B1T 1/4 BR 2/4 s2 BR 3/4 s9 BR 4/4 s12"},
        {"other family", novitius, {0}, "B1N 1/2 BR 2/2 s0"},
        {"no tested slot", tivar, {}, "B1T 1/1"},
        {"change procedure", change, {2, 9}, "ZU 1/1"},
        {"relative to k", relative, {3, 5}, "B1T 1/3 BR 2/3 s3"},
        {"relative to k, second set", relativeTwoSets, {3, 5}, "B1T 1/3 BR 2/3 s3 B1T 1/3* BR 2/3 s3*B"},
        {"relative to k, no slot", relativeTwoSets, {}, "B1T 1/1"},
        {"not chosen", none, {2}, ""},
    };
    for (const Case &c : cases) {
        const auto jobs = PlanPrintRun(c.choices, c.tested);
        ASSERT_EQ(jobs.size(), 2u) << c.name;
        EXPECT_EQ(jobs[0].orientation, poLandscape) << c.name;
        EXPECT_EQ(Pages(jobs[0]), c.landscape) << c.name;
    }
}

TEST(PrintRunPlanTest, PortraitDocumentsInTheirFixedOrder) {
    PrintChoices all;
    all.protocol = all.courseAnnex = all.inspectionAnnex = all.certificate = all.tariffAnnex = true;
    all.meterFamily = 1;
    auto jobs = PlanPrintRun(all, {1});
    EXPECT_EQ(jobs[1].orientation, poPortrait);
    EXPECT_EQ(Pages(jobs[1]), "PROT C A CERT UTM");
    EXPECT_EQ(Pages(jobs[0]), "");

    all.changeProcedureOn = true;
    all.meterFamily = 0;
    EXPECT_EQ(Pages(PlanPrintRun(all, {1})[1]), "ZUP C A CERT UT");

    PrintChoices courseAndCertificate;
    courseAndCertificate.courseAnnex = courseAndCertificate.certificate = true;
    EXPECT_EQ(Pages(PlanPrintRun(courseAndCertificate, {})[1]), "C CERT");
}

}  // namespace
