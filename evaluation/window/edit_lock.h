#pragma once
// The look of the tariff page's fields: an editable field is enabled and pale green, a locked one
// is disabled and grey, so the two never look alike.
#include "platform/gui/edit.h"

inline void SetEditable(TEdit *edit, bool editable) {
    edit->SetEnabled(editable);
    edit->SetColor(editable ? clMoneyGreen : cl3DLight);
}
