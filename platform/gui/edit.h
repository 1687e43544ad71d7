#pragma once
// A one-line text field. Writing Text runs OnChange at once, and only when the text differs;
// MaxLength limits what the operator types, never the text the program writes.
#include <QString>

#include "platform/gui/edit_control.h"

class QLineEdit;

class TEdit : public gui::EditControl {
public:
    explicit TEdit(TComponent *owner);

    QString Text() const { return text_; }
    void SetText(const QString &text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);

protected:
    QWidget *MakeWidget() override;
    void ApplyReadOnly(bool value) override;

private:
    void TextTyped(const QString &text);

    QLineEdit *edit_ = nullptr;
    QString text_;
    int maxLength_ = 0;
};
