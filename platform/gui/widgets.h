#pragma once
// The Qt widgets behind the controls: each forwards what the operator does (clicks, focus, closing
// a window) to its control and, for the controls the framework draws itself, asks it to paint.
#include <QMouseEvent>
#include <QWidget>

class TControl;
class TForm;

namespace gui {

// Records that the operator's focus moved to a control (keeps its form's ActiveControl true).
void NoteFocus(TControl *control);

// Adds click and focus forwarding to a Qt widget class.
template <class Base>
class ForwardingWidget : public Base {
public:
    explicit ForwardingWidget(TControl *control) : control_(control) {}

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override {
        Base::focusInEvent(event);
        NoteFocus(control_);
    }
    TControl *control_;
};

// A widget whose content is painted by its control (panels, labels, forms).
class ControlWidget : public ForwardingWidget<QWidget> {
public:
    explicit ControlWidget(TControl *control);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A form's window: closing it goes through the form's Close.
class FormWidget : public ControlWidget {
public:
    explicit FormWidget(TForm *form);

protected:
    void closeEvent(QCloseEvent *event) override;
};

}  // namespace gui
