#include "platform/gui/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/gui/form.h"
#include "platform/runtime/errors.h"

namespace {

// Never destroyed: static destruction runs after Qt's own statics are gone, too late to tear down
// widgets or the Qt application. The program calls Shutdown before main returns.
TApplication &Instance() {
    static auto *application = new TApplication;
    return *application;
}

// The framework's error text: a full stop is added unless the message ends in one or in a
// punctuation mark or blank below it.
QString WithFullStop(const QString &message) {
    if (!message.isEmpty() && message.back() > QChar('.')) return message + '.';
    return message;
}

// A box wraps its text at blanks only, so a long run without one (a file's field structure, a
// path) would make it wider than the screen: such runs get a zero-width break every 40 letters.
QString Wrappable(const QString &text) {
    constexpr int kLongestRun = 40;
    QString wrappable;
    int run = 0;
    for (const QChar letter : text) {
        run = letter.isSpace() ? 0 : run + 1;
        if (run > kLongestRun) {
            wrappable += QChar(0x200B);
            run = 1;
        }
        wrappable += letter;
    }
    return wrappable;
}

int ShowRealBox(const TModalBox &box) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (box.flags & 0xF0) {
        case MB_ICONERROR:
            icon = QMessageBox::Critical;
            break;
        case MB_ICONQUESTION:
            icon = QMessageBox::Question;
            break;
        case MB_ICONWARNING:
            icon = QMessageBox::Warning;
            break;
        case MB_ICONINFORMATION:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    const int buttons = box.flags & 0x0F;
    QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
    if (buttons == MB_YESNO) qtButtons = QMessageBox::Yes | QMessageBox::No;
    if (buttons == MB_OKCANCEL) qtButtons = QMessageBox::Ok | QMessageBox::Cancel;
    TForm *main = Application->MainForm();
    QMessageBox message(icon, box.caption, Wrappable(box.text), qtButtons,
                        main != nullptr ? main->Widget() : nullptr);
    switch (message.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

}  // namespace

TApplication *const Application = &Instance();

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize(int &argc, char **argv) {
    if (QApplication::instance() == nullptr) qtApplication_ = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

void TApplication::Run() {
    if (mainForm_ == nullptr) return;
    mainForm_->Show();
    if (!terminated_) QApplication::exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::quit();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TApplication::Minimize() {
    minimized_ = true;
    if (mainForm_ != nullptr && mainForm_->Visible()) mainForm_->Widget()->showMinimized();
}

void TApplication::DestroyComponents() {
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
}

void TApplication::Shutdown() {
    DestroyComponents();
    qtApplication_.reset();
}

void TApplication::FormDestroyed(TForm *form) {
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::HandleException(const std::exception &error) {
    ShowException(QString::fromUtf8(error.what()));
}

void TApplication::ShowException(const QString &message) {
    const QString text = WithFullStop(message);
    if (showingError_) {
        if (std::find(pendingErrors_.begin(), pendingErrors_.end(), text) == pendingErrors_.end())
            pendingErrors_.push_back(text);
        return;
    }
    showingError_ = true;
    pendingErrors_.push_back(text);
    while (!pendingErrors_.empty()) {
        const TModalBox box{TModalBox::Error, pendingErrors_.front(), title_, MB_OK | MB_ICONERROR};
        pendingErrors_.pop_front();
        if (ModalBoxResponder)
            ModalBoxResponder(box);
        else
            ShowRealBox(box);
    }
    showingError_ = false;
}

int TApplication::MessageBox(const QString &text, const QString &caption, int flags) {
    const TModalBox box{TModalBox::Message, text, caption, flags};
    return ModalBoxResponder ? ModalBoxResponder(box) : ShowRealBox(box);
}

QRect TApplication::DesktopRect() const {
    if (desktopRect_) return *desktopRect_;
    gui::EnsureQtApplication();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

namespace gui {

void EnsureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    // Qt keeps argc and argv for the life of the application.
    static int argc = 1;
    static char name[] = "kestrium";
    static char *argv[] = {name, nullptr};
    Application->Initialize(argc, argv);
}

void Dispatch(const std::function<void()> &work) {
    try {
        work();
    } catch (const std::exception &error) {
        Application->HandleException(error);
    } catch (...) {
        Application->HandleException(Exception(""));
    }
}

}  // namespace gui
