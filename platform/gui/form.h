#pragma once
// A top-level window. A form made from a form resource is created through CreateForm (or
// Application->CreateForm), which runs OnCreate once the whole object is constructed.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/control.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject *Sender, TCloseAction &Action)>;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

class TForm : public TWinControl {
public:
    explicit TForm(TComponent *owner);
    ~TForm() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);

    // With AutoSize the form's size follows the extent of its visible controls.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Runs OnCreate; called once, right after construction, by CreateForm.
    void AfterConstruction();

    // Asks OnClose what to do (default caHide) and does it; closing the main form ends the program.
    void Close();

    TWinControl *ActiveControl() const { return activeControl_; }
    void NoteActiveControl(TWinControl *control) { activeControl_ = control; }

    // Runs `work` on the window's thread once the window's next paint has reached the screen (an
    // error it raises goes to the application's error box): start-up work the first frame does
    // not need waits for it.
    void AfterNextPaint(std::function<void()> work) { afterPaint_.push_back(std::move(work)); }

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;

    void SetBounds(int left, int top, int width, int height) override;
    // Recomputes the size from the controls when AutoSize is on.
    void AdjustAutoSize();

protected:
    void Loaded() override { AdjustAutoSize(); }
    void Paint(QPainter &painter) override;

private:
    QString caption_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    bool autoSize_ = false;
    TWinControl *activeControl_ = nullptr;
    std::vector<std::function<void()>> afterPaint_;
};

// Constructs an unowned form of class T (which may come from a form resource) and runs its OnCreate.
template <class T>
std::unique_ptr<T> CreateForm() {
    auto form = std::make_unique<T>(nullptr);
    form->AfterConstruction();
    return form;
}
