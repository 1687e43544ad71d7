#include "app/form1.h"

TForm1 *Form1 = nullptr;

TForm1::TForm1(TComponent *owner) : TForm1Resource(owner) {}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}
