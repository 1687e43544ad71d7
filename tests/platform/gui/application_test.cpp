#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "gui_fixture.h"
#include "platform/gui/controls.h"
#include "platform/runtime/errors.h"

namespace {

class ApplicationTest : public GuiTest {};

}  // namespace

TEST_F(ApplicationTest, ModalBoxesAreAnsweredByTheResponder) {
    reply = IDNO;
    EXPECT_EQ(Application->MessageBox("Czy chcesz usunąć wybrany REKORD?", "Usuń REKORD!!!", MB_YESNO), IDNO);
    reply = IDOK;
    EXPECT_EQ(Application->MessageBox("Brak biblioteki", "INFO", MB_OK), IDOK);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Usuń REKORD!!!");
    EXPECT_EQ(boxes[0].flags & 0x0F, MB_YESNO);
    EXPECT_EQ(boxes[1].kind, TModalBox::Message);
}

TEST_F(ApplicationTest, AnExceptionInAClickIsReportedOnceAndTheNextEventRuns) {
    auto form = CreateForm<TForm>();
    auto *panel = new TPanel(form.get());
    panel->SetParent(form.get());
    int clicks = 0;
    panel->OnClick = [&](TObject *) {
        if (++clicks == 1) throw EConvertError("'---' is not a valid floating point value");
    };
    panel->Click();
    panel->Click();
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, TModalBox::Error);
    EXPECT_EQ(boxes[0].text, "'---' is not a valid floating point value.");
}

// The real box, shown: a message with two 250-letter runs (a structure mismatch) wraps within the
// screen and still shows every letter.
TEST_F(ApplicationTest, AnErrorBoxWithLongUnbrokenTextWrapsWithinTheScreen) {
    Application->ModalBoxResponder = nullptr;
    const QString structure = "T" + QString(249, 'B');
    const QString message = "GenData.db: the file's field structure \"" + structure + "\" differs from the expected \"" +
                            QString(250, 'I') + "\"";
    int width = 0, screenWidth = 0, textWidth = 0, labelWidth = 0;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->frameGeometry().width();
        screenWidth = box->screen()->availableGeometry().width();
        const auto *label = box->findChild<QLabel *>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        textWidth = label->minimumSizeHint().width();  // its widest unbreakable piece
        labelWidth = label->width();
        shown = box->text();
        box->accept();
    });
    Application->HandleException(EDatabaseError(message.toStdString()));
    EXPECT_GT(width, 0);
    EXPECT_LE(width, screenWidth);
    EXPECT_LE(textWidth, labelWidth);  // no letter cut off
    EXPECT_EQ(shown.remove(QChar(0x200B)).toStdString(), message.toStdString());
}

TEST_F(ApplicationTest, ExceptionTextGetsAFullStopOnlyWhenItEndsInALetterOrDigit) {
    const std::pair<const char *, const char *> cases[] = {
        {"abc", "abc."}, {"abc.", "abc."}, {"Uwaga!", "Uwaga!"}, {"", ""}, {"5", "5."}};
    for (auto [message, shown] : cases) Application->HandleException(Exception(message));
    ASSERT_EQ(boxes.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(boxes[i].text, cases[i].second);
}

TEST_F(ApplicationTest, OtherExceptionsAreShownTooAndNothingEscapesADispatch) {
    gui::Dispatch([] { throw std::runtime_error("bad"); });
    gui::Dispatch([] { throw 42; });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "bad.");
    EXPECT_EQ(boxes[1].text, "");
}

TEST_F(ApplicationTest, FileDialogsAskTheResponder) {
    TOpenDialog dialog(nullptr);
    Application->FileDialogResponder = [](TOpenDialog &d) {
        d.SetFileName("/tmp/capture.bin");
        return true;
    };
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/capture.bin");
    Application->FileDialogResponder = [](TOpenDialog &) { return false; };
    dialog.SetFileName("kept");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "kept");
    EXPECT_EQ(gui::ToQtFilter("Pliki (*.bin)|*.bin|Wszystkie|*.*;*"), "Pliki (*.bin);;Wszystkie (*.* *)");
}

TEST_F(ApplicationTest, DesktopRectangleCanBeFixedForTests) {
    Application->SetDesktopRect(QRect(0, 0, 1276, 916));
    EXPECT_EQ(Application->DesktopRect(), QRect(0, 0, 1276, 916));
    Application->SetDesktopRect(std::nullopt);
    EXPECT_FALSE(Application->DesktopRect().isEmpty());
}

TEST_F(ApplicationTest, CloseAsksOnCloseAndClosingTheMainFormTerminates) {
    TForm *form = nullptr;
    Application->CreateForm(form);
    ASSERT_EQ(Application->MainForm(), form);
    form->Show();
    TCloseAction answer = caNone;
    form->OnClose = [&](TObject *, TCloseAction &action) {
        EXPECT_EQ(action, caHide);
        action = answer;
    };
    form->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application->Terminated());
    answer = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(Application->Terminated());
    Application->DestroyComponents();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ApplicationTest, AutoSizedFormFollowsItsControls) {
    auto form = CreateForm<TForm>();
    auto *panel = new TPanel(form.get());
    panel->SetParent(form.get());
    form->SetAutoSize(true);
    panel->SetBounds(10, 20, 638, 458);
    EXPECT_EQ(form->Width(), 648);
    EXPECT_EQ(form->Height(), 478);
}

// Work waiting for the window's paint runs once, after the paint, in the order given; an error it
// raises goes to the error box and the work after it still runs.
TEST_F(ApplicationTest, WorkAfterTheNextPaintRunsOnceAfterThePaintAndReportsItsError) {
    auto form = CreateForm<TForm>();
    std::vector<std::string> ran;
    form->AfterNextPaint([&] { ran.push_back("first"); });
    form->AfterNextPaint([&] { throw EDatabaseError("GenData.db: wrong password, or the file is not a table"); });
    form->AfterNextPaint([&] { ran.push_back("third"); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran.empty()) << "not before the window shows";

    form->Show();
    for (int turn = 0; turn < 1000 && ran.size() < 2; ++turn) QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "third"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "GenData.db: wrong password, or the file is not a table.");

    form->Widget()->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(ran.size(), 2u) << "a later paint runs nothing again";
}
