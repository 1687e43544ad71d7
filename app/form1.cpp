#include "app/form1.h"

#include "app/version.h"

TForm1 *Form1 = nullptr;

TForm1::TForm1(TComponent *owner) : TForm1Resource(owner) {}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate(TObject *) {
    SetLeft(0);
    SetTop(0);
    SetAutoSize(true);
    SetCaption(QStringLiteral("%1 %2").arg(kProductName, kProductVersion));
}

void TForm1::FormClose(TObject *, TCloseAction &) {}
