#pragma once
// A multi-line text field. Its Lines are the logical lines (no word wrap); every change of the
// lines, Lines.Add included, runs OnChange at once.
#include <QString>

#include "platform/gui/edit_control.h"
#include "platform/gui/strings.h"

class QPlainTextEdit;
class TMemo;

namespace gui {
class MemoLines : public TStrings {
public:
    explicit MemoLines(TMemo &memo) : memo_(memo) {}

protected:
    void Changed() override;

private:
    TMemo &memo_;
};
}  // namespace gui

class TMemo : public gui::EditControl {
public:
    explicit TMemo(TComponent *owner);

    TStrings &Lines() { return lines_; }
    const TStrings &Lines() const { return lines_; }
    // The lines with CR LF after each, as Lines.Text.
    QString Text() const { return lines_.Text(); }
    void SetText(const QString &text) { lines_.SetText(text); }
    // The text as the memo shows it, with "\n" between lines; unlike Lines, it keeps a line break
    // typed after the last line.
    QString ShownText() const;
    // The shown text's length, and the shown text from a position on: a reader of text that keeps
    // arriving takes only what is new.
    int ShownLength() const;
    QString ShownTextFrom(int position) const;
    // Scrolls the memo so that the given line is its first shown one (as far as the text goes),
    // and the line shown first.
    void ScrollToLine(int line);
    int TopLine() const;

protected:
    QWidget *MakeWidget() override;
    void ApplyReadOnly(bool value) override;

private:
    friend class gui::MemoLines;
    // The editing widget, made if it was not yet.
    QPlainTextEdit *Editor() const;
    void LinesChanged();
    void TextTyped();

    QPlainTextEdit *editor_ = nullptr;
    gui::MemoLines lines_{*this};
    bool typing_ = false;
};
