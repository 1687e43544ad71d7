#pragma once
// An empty second window; nothing shows or uses it.
#include "app/form2_form.h"

class TForm2 : public TForm2Resource {
public:
    explicit TForm2(TComponent *owner) : TForm2Resource(owner) {}
    ~TForm2() override;
};

extern TForm2 *Form2;
