#pragma once
// The application object: the event loop, the main form, the default exception handling, and the
// modal boxes and dialogs. Every modal box and dialog goes through a responder that tests may
// replace, so that they answer without a real nested loop.
#include <QRect>
#include <QString>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "platform/gui/component.h"

class QApplication;
class TForm;
class TOpenDialog;

// Buttons, icons and answers of message boxes.
enum : int {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNO = 0x04,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// One modal box as it would be shown.
struct TModalBox {
    enum Kind { Message, Error };
    Kind kind = Message;
    QString text;
    QString caption;
    int flags = MB_OK;
};

using TModalBoxResponder = std::function<int(const TModalBox &box)>;
// Returns true when a file was chosen (having set the dialog's FileName).
using TFileDialogResponder = std::function<bool(TOpenDialog &dialog)>;
// Answers a print dialog: a file name accepts and prints to PDF files of that name at 600 dpi with
// no margins; std::nullopt cancels.
using TPrintDialogResponder = std::function<std::optional<QString>()>;

class TApplication : public TComponent {
public:
    TApplication();

    // Creates the Qt application; must come before the first form.
    void Initialize(int &argc, char **argv);

    // Creates a form owned by the application and runs its OnCreate; the first becomes the main form.
    template <class T>
    void CreateForm(T *&form) {
        form = new T(this);
        if (mainForm_ == nullptr) mainForm_ = form;
        form->AfterConstruction();
    }
    TForm *MainForm() const { return mainForm_; }

    // Shows the main form and runs the event loop until Terminate (or the main form closes).
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles the pending events once.
    void ProcessMessages();

    void Minimize();
    bool Minimized() const { return minimized_; }

    // Destroys the forms (and other components) the application owns.
    void DestroyComponents();
    // Destroys the components, then the Qt application. The program calls it before main returns;
    // without it the Qt application (and every widget) lives until the process ends.
    void Shutdown();

    // The default handling of an exception that reached the event loop: one error box with its
    // message; the program goes on. Error boxes never nest: one raised while another is open
    // (by a tick inside its loop) is shown after it, a message already waiting only once.
    void HandleException(const std::exception &error);
    void ShowException(const QString &message);

    // A modal message box; returns IDOK, IDYES, IDNO or IDCANCEL.
    int MessageBox(const QString &text, const QString &caption, int flags);

    QString Title() const { return title_; }
    void SetTitle(const QString &title) { title_ = title; }

    // The desktop's rectangle: the primary screen, unless a test fixed it.
    QRect DesktopRect() const;
    void SetDesktopRect(std::optional<QRect> rect) { desktopRect_ = rect; }

    // Replaceable answers for tests; empty means the real box or dialog.
    TModalBoxResponder ModalBoxResponder;
    TFileDialogResponder FileDialogResponder;
    TPrintDialogResponder PrintDialogResponder;

    // Called by a form's destructor.
    void FormDestroyed(TForm *form);

private:
    std::unique_ptr<QApplication> qtApplication_;
    TForm *mainForm_ = nullptr;
    bool terminated_ = false;
    bool minimized_ = false;
    QString title_ = "Kestrium";
    std::optional<QRect> desktopRect_;
    bool showingError_ = false;
    std::deque<QString> pendingErrors_;
};

extern TApplication *const Application;

namespace gui {

// Makes sure a Qt application exists (tests and tools that never call Initialize); it lives until
// Shutdown or the end of the process.
void EnsureQtApplication();

// Runs event-handler work as the event loop does: an exception that escapes is reported once
// through Application->HandleException and goes no further.
void Dispatch(const std::function<void()> &work);

}  // namespace gui
