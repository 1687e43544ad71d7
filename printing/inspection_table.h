#pragma once
// Annex A in table form, the one-page form: every requirement under test a row, the officer's mark
// in a marks column beside a "UWAGI" column; positions in base lengths m.
#include <QString>
#include <array>

#include "platform/gui/canvas.h"

namespace printing {

struct InspectionTableData {
    bool ownFamily = false;
    QString typeDesignation;        // Edit20
    QString serialNumber;           // Edit21
    std::array<QString, 17> marks;  // captions of Panel292 .. Panel308, in the order of the rows
};

// Draws in the face "MS Sans Serif", which stays set; the canvas's size is the base of every size.
void DrawInspectionTable(TCanvas &canvas, int m, const InspectionTableData &data);

}  // namespace printing
