#include "platform/gui/edit.h"

#include <QLineEdit>
#include <QValidator>

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

}  // namespace

TEdit::TEdit(TComponent *owner) : EditControl(owner) {
    SetBounds(0, 0, 121, 21);
    edit_ = new gui::ForwardingWidget<QLineEdit>(this);
    edit_->setValidator(new LengthValidator(&maxLength_, edit_));
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString &text) { TextTyped(text); });
    AttachEditor(edit_);
}

void TEdit::SetText(const QString &text) {
    if (text == text_) return;
    text_ = text;
    edit_->setText(text);
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
    edit_->setReadOnly(value);
}
