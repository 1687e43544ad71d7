#include "app/form1.h"

#include "app/version.h"

TForm1 *Form1 = nullptr;

TForm1::TForm1(TComponent *owner) : TForm1Resource(owner) {}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate(TObject *) {
    Panel239->SetBounds(Panel239->Left(), Panel239->Top(), 638, 458);
    Panel343->SetLeft(Panel235->Left());
    for (TPanel *page : {Panel378, Panel241, Panel289, Panel344, Panel394, Panel245}) {
        page->SetLeft(17);
        page->SetTop(37);
    }
    for (TPanel *page : {Panel240, Panel242, Panel243, Panel244}) {
        page->SetLeft(17);
        page->SetTop(80);
    }
    Panel169->SetLeft(120);
    Panel169->SetTop(160);
    Panel165->SetTop(415);
    Panel165->SetLeft(17);
    Timer3->SetEnabled(false);
    Timer5->SetEnabled(true);
    Panel5->SetCaption(Panel5->Caption() + QStringLiteral("   (%1 %2)").arg(kProductName, kProductVersion));
    SetLeft(0);
    SetTop(0);
    SetAutoSize(true);
    SetCaption(QStringLiteral("%1 %2").arg(kProductName, kProductVersion));
    InitPointComponent();
    ChangeSizeWindow2();
}

void TForm1::FormClose(TObject *, TCloseAction &) {
    if (DllLoaded == 1) FtdiDll.Unload();
}
