#pragma once
// What the one-line and the multi-line text fields share: OnChange, ReadOnly and the colours of
// their editing widget.
#include "platform/gui/control.h"

namespace gui {

class EditControl : public TWinControl {
public:
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);

    TNotifyEvent OnChange;

protected:
    explicit EditControl(TComponent *owner);
    // Takes the editing widget a MakeWidget makes, brought to the control's read-only state.
    QWidget *UseEditor(QWidget *editor);
    // Runs OnChange: at once inside a write of the program, guarded for what the operator typed.
    void Changed(bool typed);
    virtual void ApplyReadOnly(bool value) = 0;
    void ColorChanged() override;
    void FontChanged() override;

private:
    QWidget *editor_ = nullptr;
    bool readOnly_ = false;
};

// Applies a background colour and a font colour to an editing widget's palette.
void ApplyEditColors(QWidget &widget, TColor background, TColor text);

}  // namespace gui
