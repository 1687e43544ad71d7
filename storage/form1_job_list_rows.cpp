// Emptying the rows of the saved-jobs list (stands in until the evaluation window's own lands).
#include "app/form1.h"

void TForm1::ClearPaneDB() {
    for (int row = 0; row < 20; ++row)
        for (int column = 0; column < 5; ++column)
            JobListLabels[static_cast<size_t>(20 * column + row)]->SetCaption(column < 3 ? QStringLiteral("---")
                                                                                       : QString());
}
