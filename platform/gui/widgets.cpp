#include "platform/gui/widgets.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

#include "platform/gui/application.h"
#include "platform/gui/control.h"
#include "platform/gui/form.h"

namespace gui {

namespace {

// A left-button release inside the widget ends a click.
bool IsClick(const QWidget &widget, const QMouseEvent &event) {
    return event.button() == Qt::LeftButton && widget.rect().contains(event.position().toPoint());
}

}  // namespace

template <class Base>
void ForwardingWidget<Base>::mouseReleaseEvent(QMouseEvent *event) {
    Base::mouseReleaseEvent(event);
    if (IsClick(*this, *event)) control_->Click();
}

template class ForwardingWidget<QWidget>;
template class ForwardingWidget<QLineEdit>;
template class ForwardingWidget<QPlainTextEdit>;

ControlWidget::ControlWidget(TControl *control) : ForwardingWidget<QWidget>(control) {}

void ControlWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setFont(font());
    control_->Paint(painter);
}

FormWidget::FormWidget(TForm *form) : ControlWidget(form) {
    // The form paints its whole face: the window's background is not filled first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FormWidget::closeEvent(QCloseEvent *event) {
    // The form decides (its OnClose may refuse); the window itself is hidden through the form.
    event->ignore();
    gui::Dispatch([this] { static_cast<TForm *>(control_)->Close(); });
}

void NoteFocus(TControl *control) {
    auto *win = dynamic_cast<TWinControl *>(control);
    TForm *form = control->ParentForm();
    if (win != nullptr && form != nullptr) form->NoteActiveControl(win);
}

}  // namespace gui
