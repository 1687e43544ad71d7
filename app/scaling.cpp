#include "app/form1.h"

void TForm1::SetCenterPosition(TControl *control, TControl *parent) {
    control->SetTop((parent->Height() - control->Height()) / 2);
    SetCenterPositionHorizontal(control, parent);
}

void TForm1::SetCenterPositionHorizontal(TControl *control, TControl *parent) {
    control->SetLeft((parent->Width() - control->Width()) / 2);
}

void TForm1::ChangeSizeWindow2() {}
