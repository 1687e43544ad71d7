#include "evaluation/verdict.h"

#include <algorithm>

namespace evaluation {

namespace {

struct InspectionItem {
    const char *label;
    const char *group;  // nullptr for a single item
};

constexpr Array<InspectionItem, kInspectionItems> kItems{{
    {"a", "1"},  {"b", "1"},  {"c", "1"},  {"d", "1"},     {"2", nullptr},  {"3", nullptr},  {"a", "4"},
    {"b", "4"},  {"a", "5"},  {"b", "5"},  {"c", "5"},     {"a", "6"},      {"b", "6"},      {"7", nullptr},
    {"a", "8"},  {"b", "8"},  {"c", "8"},  {"9", nullptr}, {"10", nullptr}, {"11", nullptr}, {"a", "12"},
    {"b", "12"}, {"c", "12"}, {"d", "12"}, {"e", "12"},    {"a", "13"},     {"b", "13"},     {"14", nullptr},
    {"a", "15"}, {"b", "15"}, {"c", "15"}, {"d", "15"},    {"e", "15"},     {"f", "15"},
}};

bool AnyByteSet(const auto &flags) {
    for (const auto &slot : flags)
        for (const auto &row : slot)
            for (uint8_t byte : row)
                if (byte) return true;
    return false;
}

bool AnyCounterFlag(const EvaluationState &state) {
    for (const auto &test : state.CounterFailFlags)
        for (const auto &slot : test)
            if (std::any_of(slot.begin(), slot.end(), [](uint8_t flag) { return flag != 0; })) return true;
    return false;
}

std::string Join(bool first, std::string_view firstText, std::string_view separator, bool second,
                 std::string_view secondText) {
    std::string line;
    if (first) line += firstText;
    if (first && second) line += separator;
    if (second) line += secondText;
    return line;
}

}  // namespace

std::string FailedItemsList(const Array<std::string, kInspectionItems> &marks) {
    std::string list;
    std::string_view namedGroup;
    for (int i = 0; i < kInspectionItems; ++i) {
        if (marks[i] != "-") continue;
        const bool first = list.empty();
        if (first) list += '(';
        const InspectionItem &item = kItems[i];
        if (item.group == nullptr) {
            if (!first) list += ",";
        } else if (item.group != namedGroup) {
            // The items of a group are adjacent, so the group is named at its first failed item.
            if (!first) list += ",";
            list += item.group;
            namedGroup = item.group;
        }
        list += item.label;
    }
    if (!list.empty()) list += ")";
    return list;
}

std::string NextInspectionMark(std::string_view mark) {
    if (mark == "+") return "-";
    if (mark == "-") return "ND";
    return "+";
}

VerdictView ComputeVerdict(EvaluationState &state, const VerdictControls &controls) {
    VerdictView view;
    if (controls.ChangeModeOn) {
        view.ReasonLines = std::vector<std::string>{};
        return view;
    }
    state.VerdictStatus = 0;
    const bool time = AnyByteSet(state.TimeRowFailFlags);
    const bool distance = AnyByteSet(state.DistanceRowFailFlags);
    const bool counters = !controls.VehicleResults && AnyCounterFlag(state);
    const bool k = state.OglErrFlag != 0;
    view.NoResultsLabelVisible = controls.TestedTariffsEmpty;
    bool any = time || distance || counters || k || controls.TestedTariffsEmpty;
    if (any) state.VerdictStatus = kVerdictMeasurement;

    const std::string list = FailedItemsList(controls.ItemMarks);
    const bool items = !list.empty();
    any = any || items;
    if (items) state.VerdictStatus |= kVerdictInspection;
    if (!controls.BothModeButtonsGrey) {
        std::vector<std::string> lines{
            Join(distance, "błąd pomiaru drogi", " , ", time, "błąd pomiaru czasu"),
            Join(counters, "błąd liczników", ",", k, "błąd ustawienia „k”"),
        };
        if (items) lines.push_back("błąd oględzin " + list);
        view.ReasonLines = std::move(lines);
    }
    view.RegimeFontRed = any;
    view.Failed = any;
    return view;
}

}  // namespace evaluation
