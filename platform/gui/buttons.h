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

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent *owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);

protected:
    void Clicked() override;

private:
    bool checked_ = false;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent *owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);

protected:
    void Clicked() override;

private:
    bool checked_ = false;
};
