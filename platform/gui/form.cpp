#include "platform/gui/form.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "platform/gui/application.h"
#include "platform/gui/widgets.h"

TForm::TForm(TComponent *owner) : TWinControl(owner) {
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    AttachWidget(new gui::FormWidget(this));
}

TForm::~TForm() {
    Application->FormDestroyed(this);
}

void TForm::SetCaption(const QString &caption) {
    caption_ = caption;
    Widget()->setWindowTitle(caption);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    Widget()->setWindowFlag(Qt::FramelessWindowHint, style == bsNone);
}

void TForm::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustAutoSize();
}

void TForm::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    AdjustAutoSize();
}

void TForm::AdjustAutoSize() {
    if (!autoSize_ || Loading()) return;
    int right = 0, bottom = 0;
    bool any = false;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl *c = Controls(i);
        if (!c->Visible()) continue;
        any = true;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    if (any) TControl::SetBounds(Left(), Top(), right, bottom);
}

void TForm::AfterConstruction() {
    if (OnCreate) OnCreate(this);
}

void TForm::Close() {
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (action == caMinimize) {
        Widget()->showMinimized();
        return;
    }
    Hide();
    if (Application->MainForm() == this) Application->Terminate();
}

void TForm::Paint(QPainter &painter) {
    painter.fillRect(Widget()->rect(), ToQColor(Color()));
    // Queued: the paint is flushed to the screen before the work runs.
    for (auto &work : std::exchange(afterPaint_, {}))
        QTimer::singleShot(0, Widget(), [work = std::move(work)] { gui::Dispatch(work); });
}
