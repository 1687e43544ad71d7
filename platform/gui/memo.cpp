#include "platform/gui/memo.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>

#include "platform/gui/widgets.h"

void gui::MemoLines::Changed() {
    TStrings::Changed();
    memo_.LinesChanged();
}

TMemo::TMemo(TComponent *owner) : EditControl(owner) {
    SetBounds(0, 0, 185, 89);
    editor_ = new gui::ForwardingWidget<QPlainTextEdit>(this);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab moves to the next field; it is not typed into the text.
    editor_->setTabChangesFocus(true);
    QObject::connect(editor_, &QPlainTextEdit::textChanged, editor_, [this] { TextTyped(); });
    AttachEditor(editor_);
}

QString TMemo::ShownText() const {
    return editor_->toPlainText();
}

int TMemo::ShownLength() const {
    return editor_->document()->characterCount() - 1;  // the document ends in a paragraph separator
}

QString TMemo::ShownTextFrom(int position) const {
    QTextCursor cursor(editor_->document());
    cursor.setPosition(std::clamp(position, 0, ShownLength()));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    // A selection marks line breaks as paragraph separators; the shown text has "\n" there and
    // blanks for no-break spaces.
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::Nbsp, u' ');
    return text;
}

void TMemo::ScrollToLine(int line) {
    editor_->verticalScrollBar()->setValue(line);
}

int TMemo::TopLine() const {
    return editor_->verticalScrollBar()->value();
}

void TMemo::LinesChanged() {
    // Typed text is already in the editor; a handler's own writes during it are shown again.
    const bool typed = std::exchange(typing_, false);
    if (!typed) {
        const QSignalBlocker block(editor_);
        editor_->setPlainText(lines_.Lines().join('\n'));
    }
    Changed(typed);
}

void TMemo::TextTyped() {
    typing_ = true;
    lines_.SetText(editor_->toPlainText());
    typing_ = false;
}

void TMemo::ApplyReadOnly(bool value) {
    editor_->setReadOnly(value);
}
