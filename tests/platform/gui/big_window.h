#pragma once
#include "tests/platform/gui/big_window_form.h"

class TBigWindow : public TBigWindowResource {
public:
    explicit TBigWindow(TComponent *owner) : TBigWindowResource(owner) {}
    void EditChange(TObject *) { ++changes; }
    void PanelClick(TObject *) { ++clicks; }
    int changes = 0;
    int clicks = 0;
};
