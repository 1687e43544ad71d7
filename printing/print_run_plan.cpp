#include "printing/print_run_plan.h"

namespace printing {

std::vector<int> TestedSlots(const std::array<bool, 16> &marked) {
    std::vector<int> tested;
    for (int slot = 0; slot < 16; ++slot) {
        if (marked[slot]) tested.push_back(slot);
    }
    return tested;
}

namespace {

std::vector<PlannedPage> AnnexBPages(const PrintChoices &choices, const std::vector<int> &testedSlots) {
    if (choices.changeProcedureOn) return {{PageKind::ChangeAnnex, 1, 1}};
    const int pages = static_cast<int>(testedSlots.size()) + 1;
    const PageKind first =
        choices.meterFamily == 1 ? PageKind::AnnexBFirstTivar : PageKind::AnnexBFirstNovitius;
    std::vector<PlannedPage> run{{first, pages, 1}};
    if (!choices.relativeToK) {
        for (size_t i = 0; i < testedSlots.size(); ++i) {
            run.push_back({PageKind::AnnexBResults, pages, static_cast<int>(i) + 2, testedSlots[i]});
        }
        return run;
    }
    if (testedSlots.empty()) return run;
    const int slot = testedSlots.front();
    run.push_back({PageKind::AnnexBResults, pages, 2, slot});
    if (choices.secondSetOnBase) {
        run.push_back({first, pages, 1, -1, true});
        run.push_back({PageKind::AnnexBResults, pages, 2, slot, true, true});
    }
    return run;
}

std::vector<PlannedPage> PortraitPages(const PrintChoices &choices) {
    std::vector<PlannedPage> run;
    if (choices.protocol) {
        run.push_back({choices.changeProcedureOn ? PageKind::ChangeProtocol : PageKind::CheckProtocol});
    }
    if (choices.courseAnnex) run.push_back({PageKind::CourseAnnex});
    if (choices.inspectionAnnex) run.push_back({PageKind::InspectionAnnex});
    if (choices.certificate) run.push_back({PageKind::Certificate});
    if (choices.tariffAnnex) {
        run.push_back({choices.meterFamily == 0 ? PageKind::TariffAnnex : PageKind::TariffAnnexMid});
    }
    return run;
}

}  // namespace

std::vector<PlannedJob> PlanPrintRun(const PrintChoices &choices, const std::vector<int> &testedSlots) {
    std::vector<PlannedJob> jobs{{poLandscape, {}}, {poPortrait, PortraitPages(choices)}};
    if (choices.annexB) jobs[0].pages = AnnexBPages(choices, testedSlots);
    return jobs;
}

}  // namespace printing
