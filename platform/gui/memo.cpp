#include "platform/gui/memo.h"

#include <QPlainTextEdit>
#include <utility>

#include "platform/gui/application.h"
#include "platform/gui/edit.h"
#include "platform/gui/widgets.h"

void gui::MemoLines::Changed() {
    TStrings::Changed();
    memo_.LinesChanged();
}

TMemo::TMemo(TComponent *owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    editor_ = new gui::ForwardingWidget<QPlainTextEdit>(this);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QObject::connect(editor_, &QPlainTextEdit::textChanged, editor_, [this] { TextTyped(); });
    AttachWidget(editor_);
    ColorChanged();
}

void TMemo::LinesChanged() {
    // Typed text is already in the editor; a handler's own writes during it are shown again.
    const bool typed = std::exchange(typing_, false);
    if (!typed) {
        const QSignalBlocker block(editor_);
        editor_->setPlainText(lines_.Lines().join('\n'));
    }
    if (!OnChange) return;
    if (typed)
        gui::Dispatch([this] { OnChange(this); });
    else
        OnChange(this);
}

void TMemo::TextTyped() {
    typing_ = true;
    lines_.SetText(editor_->toPlainText());
    typing_ = false;
}

void TMemo::SetReadOnly(bool value) {
    readOnly_ = value;
    editor_->setReadOnly(value);
}

void TMemo::ColorChanged() {
    if (editor_ != nullptr) gui::ApplyEditColors(*editor_, Color(), Font().Color());
}

void TMemo::FontChanged() {
    ColorChanged();
}
