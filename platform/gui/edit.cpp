#include "platform/gui/edit.h"

#include <QLineEdit>
#include <QPalette>
#include <QValidator>

#include "platform/gui/application.h"
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

namespace gui {

void ApplyEditColors(QWidget &widget, TColor background, TColor text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ToQColor(background));
    palette.setColor(QPalette::Text, ToQColor(text));
    widget.setPalette(palette);
}

}  // namespace gui

TEdit::TEdit(TComponent *owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    edit_ = new gui::ForwardingWidget<QLineEdit>(this);
    edit_->setValidator(new LengthValidator(&maxLength_, edit_));
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString &text) { TextTyped(text); });
    AttachWidget(edit_);
    ColorChanged();
}

void TEdit::SetText(const QString &text) {
    if (text == text_) return;
    text_ = text;
    edit_->setText(text);
    if (OnChange) OnChange(this);
}

void TEdit::TextTyped(const QString &text) {
    if (text == text_) return;
    text_ = text;
    if (OnChange) gui::Dispatch([this] { OnChange(this); });
}

void TEdit::SetMaxLength(int length) {
    maxLength_ = length < 0 ? 0 : length;
}

void TEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    edit_->setReadOnly(value);
}

void TEdit::ColorChanged() {
    if (edit_ != nullptr) gui::ApplyEditColors(*edit_, Color(), Font().Color());
}

void TEdit::FontChanged() {
    ColorChanged();
}
