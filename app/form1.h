#pragma once
// The main window: owns every control and working member of the station.
#include "app/form1_form.h"

class TForm1 : public TForm1Resource {
public:
    explicit TForm1(TComponent *owner);
    ~TForm1() override;

    void FormCreate(TObject *Sender);
    void FormClose(TObject *Sender, TCloseAction &Action);
};

extern TForm1 *Form1;
