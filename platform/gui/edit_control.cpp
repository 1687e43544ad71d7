#include "platform/gui/edit_control.h"

#include <QPalette>
#include <QWidget>

#include "platform/gui/application.h"

namespace gui {

void ApplyEditColors(QWidget &widget, TColor background, TColor text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, ToQColor(background));
    palette.setColor(QPalette::Text, ToQColor(text));
    widget.setPalette(palette);
}

EditControl::EditControl(TComponent *owner) : TWinControl(owner) {
    SetColor(clWindow);
}

QWidget *EditControl::UseEditor(QWidget *editor) {
    editor_ = editor;
    ApplyReadOnly(readOnly_);
    return editor;
}

void EditControl::SetReadOnly(bool value) {
    readOnly_ = value;
    ApplyReadOnly(value);
}

void EditControl::Changed(bool typed) {
    if (!OnChange) return;
    if (typed)
        Dispatch([this] { OnChange(this); });
    else
        OnChange(this);
}

void EditControl::ColorChanged() {
    if (editor_ != nullptr) ApplyEditColors(*editor_, Color(), Font().Color());
}

void EditControl::FontChanged() {
    ColorChanged();
}

}  // namespace gui
