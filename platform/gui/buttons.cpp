#include "platform/gui/buttons.h"

#include <QCheckBox>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

TButtonControl::TButtonControl(TComponent *owner, QAbstractButton *button)
    : TWinControl(owner), button_(button) {
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] { Click(); });
    AttachWidget(button_);
}

void TButtonControl::SetCaption(const QString &caption) {
    caption_ = caption;
    button_->setText(caption);
}

void TButtonControl::FontChanged() {
    QPalette palette = button_->palette();
    palette.setColor(QPalette::ButtonText, ToQColor(Font().Color()));
    palette.setColor(QPalette::WindowText, ToQColor(Font().Color()));
    button_->setPalette(palette);
}

TButton::TButton(TComponent *owner) : TButtonControl(owner, new QPushButton) {
    SetBounds(0, 0, 75, 25);
}

bool gui::CheckableButton::StoreChecked(bool value) {
    if (value == checked_) return false;
    checked_ = value;
    button_->setChecked(value);
    return true;
}

TCheckBox::TCheckBox(TComponent *owner) : CheckableButton(owner, new QCheckBox) {
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool value) {
    if (StoreChecked(value) && OnClick) OnClick(this);
}

void TCheckBox::Clicked() {
    SetChecked(!Checked());
}

TRadioButton::TRadioButton(TComponent *owner) : CheckableButton(owner, new QRadioButton) {
    SetBounds(0, 0, 113, 17);
    button_->setAutoExclusive(false);
}

void TRadioButton::SetChecked(bool value) {
    if (!StoreChecked(value) || !value) return;
    if (Parent() != nullptr)
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto *other = dynamic_cast<TRadioButton *>(Parent()->Controls(i));
                other != nullptr && other != this)
                other->SetChecked(false);
    if (OnClick) OnClick(this);
}

void TRadioButton::Clicked() {
    // The widget may have unchecked itself; a click leaves the radio button checked.
    if (!Checked()) {
        SetChecked(true);
        return;
    }
    button_->setChecked(true);
    if (OnClick) OnClick(this);
}
