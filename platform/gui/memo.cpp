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
}

QWidget *TMemo::MakeWidget() {
    editor_ = new gui::ForwardingWidget<QPlainTextEdit>(this);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab moves to the next field; it is not typed into the text.
    editor_->setTabChangesFocus(true);
    editor_->setPlainText(lines_.Lines().join('\n'));
    QObject::connect(editor_, &QPlainTextEdit::textChanged, editor_, [this] { TextTyped(); });
    return UseEditor(editor_);
}

QPlainTextEdit *TMemo::Editor() const {
    return static_cast<QPlainTextEdit *>(Widget());
}

QString TMemo::ShownText() const {
    return Editor()->toPlainText();
}

int TMemo::ShownLength() const {
    return Editor()->document()->characterCount() - 1;  // the document ends in a paragraph separator
}

QString TMemo::ShownTextFrom(int position) const {
    QTextCursor cursor(Editor()->document());
    cursor.setPosition(std::clamp(position, 0, ShownLength()));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    // A selection marks line breaks as paragraph separators; the shown text has "\n" there and
    // blanks for no-break spaces.
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::Nbsp, u' ');
    return text;
}

void TMemo::ScrollToLine(int line) {
    Editor()->verticalScrollBar()->setValue(line);
}

int TMemo::TopLine() const {
    return Editor()->verticalScrollBar()->value();
}

void TMemo::LinesChanged() {
    // Typed text is already in the editor; a handler's own writes during it are shown again.
    const bool typed = std::exchange(typing_, false);
    if (!typed && editor_ != nullptr) {
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
    if (editor_ != nullptr) editor_->setReadOnly(value);
}
