#pragma once
// Annex A: the external inspection and functional check of the taximeter, the 34 inspected items
// with the officer's marks, on one portrait page in the layout unit m + m div 35.
#include <QString>
#include <array>

#include "platform/gui/canvas.h"

namespace printing {

struct InspectionAnnexData {
    bool ownFamily = false;         // the family name with its small "2", else the type designation
    QString typeDesignation;        // Edit20
    QString serialNumber;           // Edit21
    std::array<QString, 34> marks;  // captions of the item panels, 1a .. 15f
};

void DrawInspectionAnnex(TCanvas &canvas, int m, const InspectionAnnexData &data);

}  // namespace printing
