#pragma once
// The row table of the check protocol: per row the text column, the line advance, the start of a
// dotted rule, the band, and the fixed text or the control whose text the row prints.
#include <array>

namespace printing::protocol {

enum class Band { None, Partial, Full, Right };

struct Row {
    double column;    // the text starts 0.9 + column units from the left edge
    double advance;   // the line position grows by this after the row
    double ruleFrom;  // the dotted rule starts here (units); 0 for none
    Band band;
    double bandTo;        // a partial band runs from 0.8 to here (units)
    const char *text;     // the fixed text, or nullptr
    const char *control;  // the edit whose text the row prints, or nullptr
    bool padded;          // the value gets one space before and one after it
};

inline constexpr int kRows = 108;

extern const std::array<Row, kRows> kRowTable;

}  // namespace printing::protocol
