#pragma once
// The verdict of a verification: failure flags and inspection checklist turned into
// VerdictStatus and the reasons text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/evaluation_state.h"

namespace evaluation {

inline constexpr int kInspectionItems = 34;

// The window state the verdict reads.
struct VerdictControls {
    bool ChangeModeOn = false;         // Panel342 white: the tariff-layout change procedure judges itself
    bool BothModeButtonsGrey = false;  // Panel162 and Panel163 both 0x80000013: no working mode chosen
    bool TestedTariffsEmpty = false;   // Edit8 reads ""
    uint8_t VehicleResults = 0;
    Array<std::string, kInspectionItems> ItemMarks;  // captions of the checklist panels, "+", "-", "ND"
};

// What the window shows of the verdict; an empty optional leaves the control as it is.
struct VerdictView {
    bool Failed = false;                                  // the result of the verdict
    std::optional<std::vector<std::string>> ReasonLines;  // the new lines of Memo1
    std::optional<bool> NoResultsLabelVisible;            // Label218 "Brak wyników!"
    std::optional<bool> RegimeFontRed;                    // Panel13's font: red, else black
};

// Works out VerdictStatus and the view. An item marked "-" sets the inspection bit even while no
// working mode is chosen (a job reloaded from the list), so the verdict stays negative wherever
// it is shown or printed; the reasons text is then left as it is.
VerdictView ComputeVerdict(EvaluationState &state, const VerdictControls &controls);

// The list of the items marked "-", grouped like "(1ac,4b,7,12ae)"; empty when there are none.
std::string FailedItemsList(const Array<std::string, kInspectionItems> &marks);

// The next mark of a checklist cell: "+" -> "-" -> "ND" -> "+"; any other caption becomes "+".
std::string NextInspectionMark(std::string_view mark);

}  // namespace evaluation
