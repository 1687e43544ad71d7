#pragma once
// Annex A in table form: every requirement under test a row, the officer's mark in a marks
// column; positions in base lengths m.
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

// The three pages of the long form, a five-column table that quotes the requirement beside each
// check: rows 9 to 15, 16 to 22 and 23 to 24, with the marks of their rows. They draw in the
// canvas's face.
void DrawInspectionTableRows9To15(TCanvas &canvas, int m, const std::array<QString, 7> &marks);
void DrawInspectionTableRows16To22(TCanvas &canvas, int m, const std::array<QString, 7> &marks);
void DrawInspectionTableRows23To24(TCanvas &canvas, int m, const std::array<QString, 2> &marks);

}  // namespace printing
