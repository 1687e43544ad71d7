#include "platform/gui/edit.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QValidator>
#include <utility>

#include "platform/gui/widgets.h"

namespace {

// Refuses typing beyond the length limit; QLineEdit::setText does not consult a validator, so
// the program's own writes are never cut.
class LengthValidator : public QValidator {
public:
    LengthValidator(int *limit, QObject *parent) : QValidator(parent), limit_(limit) {}
    State validate(QString &input, int &) const override {
        return *limit_ > 0 && input.size() > *limit_ ? Invalid : Acceptable;
    }

private:
    const int *limit_;
};

// An empty value shows as "---": a field holding only that is selected whole when it gets the
// focus, by Tab or by a click, so that what the officer types replaces it.
class LineEditWidget : public gui::ForwardingWidget<QLineEdit> {
public:
    using ForwardingWidget::ForwardingWidget;

protected:
    void focusInEvent(QFocusEvent *event) override {
        ForwardingWidget::focusInEvent(event);
        if (!HoldsEmptyMark()) return;
        // The click that gives the focus places the cursor when its button comes up.
        if (event->reason() == Qt::MouseFocusReason)
            selectOnRelease_ = true;
        else
            selectAll();
    }
    void mouseReleaseEvent(QMouseEvent *event) override {
        ForwardingWidget::mouseReleaseEvent(event);
        if (std::exchange(selectOnRelease_, false) && HoldsEmptyMark()) selectAll();
    }

private:
    bool HoldsEmptyMark() const { return text() == QLatin1String("---"); }

    bool selectOnRelease_ = false;
};

}  // namespace

TEdit::TEdit(TComponent *owner) : EditControl(owner) {
    SetBounds(0, 0, 121, 21);
}

QWidget *TEdit::MakeWidget() {
    edit_ = new LineEditWidget(this);
    edit_->setValidator(new LengthValidator(&maxLength_, edit_));
    edit_->setText(text_);
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString &text) { TextTyped(text); });
    return UseEditor(edit_);
}

void TEdit::SetText(const QString &text) {
    if (text == text_) return;
    text_ = text;
    if (edit_ != nullptr) edit_->setText(text);
    Changed(false);
}

void TEdit::TextTyped(const QString &text) {
    if (text == text_) return;
    text_ = text;
    Changed(true);
}

void TEdit::SetMaxLength(int length) {
    maxLength_ = length < 0 ? 0 : length;
}

void TEdit::ApplyReadOnly(bool value) {
    if (edit_ != nullptr) edit_->setReadOnly(value);
}
