#pragma once
// The window made from test_window.form; its handlers record what happened.
#include <QStringList>

#include "tests/platform/gui/test_window_form.h"

class TTestWindow : public TTestWindowResource {
public:
    explicit TTestWindow(TComponent *owner) : TTestWindowResource(owner) {}

    void FormCreate(TObject *) { events << "create:" + Edit1->Text(); }
    void FormClose(TObject *, TCloseAction &) { events << "close"; }
    void Panel2Click(TObject *) { events << "panel2"; }
    void EditChange(TObject *sender) { events << "change:" + static_cast<TComponent *>(sender)->Name(); }
    void Button1Click(TObject *) { Timer1->SetEnabled(true); }
    void Timer1Timer(TObject *) { events << "tick"; }

    QStringList events;
};
