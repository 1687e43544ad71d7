// The distance-test nominal values and those relative to the meter constant k trade places.
#include "app/form1.h"

void TForm1::WstawWyniki(uint8_t flag) {
    using evaluation::kDistanceNom;
    using evaluation::kRelativeToK;
    using evaluation::kSavedNom;
    for (int slot = 0; slot < evaluation::kSlots; ++slot) {
        for (int row = 0; row < evaluation::kMeasuringRows; ++row) {
            if (flag == 1) {
                FareRowStore[kDistanceNom][slot][row] = FareRowStore[kSavedNom][slot][row];
            } else {
                FareRowStore[kSavedNom][slot][row] = FareRowStore[kDistanceNom][slot][row];
                FareRowStore[kDistanceNom][slot][row] = FareRowStore[kRelativeToK][slot][row];
            }
        }
    }
}
