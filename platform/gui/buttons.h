#pragma once
// Push button, check box and radio button. Changing Checked runs OnClick (a radio button only when
// it becomes checked); checking a radio button unchecks the other radio buttons of its parent.
#include <QString>

#include "platform/gui/control.h"

class QAbstractButton;

class TButtonControl : public TWinControl {
public:
    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);

protected:
    TButtonControl(TComponent *owner, QAbstractButton *button);
    void FontChanged() override;
    QAbstractButton *button_;

private:
    QString caption_;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent *owner);
};

namespace gui {
// A button with a Checked state that a click changes.
class CheckableButton : public TButtonControl {
public:
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool value) = 0;

protected:
    using TButtonControl::TButtonControl;
    // Stores and shows the state; false when it was already so.
    bool StoreChecked(bool value);

private:
    bool checked_ = false;
};
}  // namespace gui

class TCheckBox : public gui::CheckableButton {
public:
    explicit TCheckBox(TComponent *owner);
    void SetChecked(bool value) override;

protected:
    void Clicked() override;
};

class TRadioButton : public gui::CheckableButton {
public:
    explicit TRadioButton(TComponent *owner);
    void SetChecked(bool value) override;

protected:
    void Clicked() override;
};
