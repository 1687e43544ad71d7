#pragma once
// A one-line text field. Writing Text runs OnChange at once, and only when the text differs;
// MaxLength limits what the operator types, never the text the program writes.
#include <QString>

#include "platform/gui/control.h"

class QLineEdit;

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent *owner);

    QString Text() const { return text_; }
    void SetText(const QString &text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);

    TNotifyEvent OnChange;

protected:
    void ColorChanged() override;
    void FontChanged() override;

private:
    void TextTyped(const QString &text);

    QLineEdit *edit_ = nullptr;
    QString text_;
    int maxLength_ = 0;
    bool readOnly_ = false;
};

namespace gui {
// Applies a control's background colour and font colour to an editing widget's palette.
void ApplyEditColors(QWidget &widget, TColor background, TColor text);
}  // namespace gui
