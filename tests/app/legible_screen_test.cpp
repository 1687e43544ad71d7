// What the officer reads and types on the main screen: the reasons of a negative verdict in sight,
// the "not met" mark as large as the "met" one, and a field showing "---" replaced by what is typed.
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "tests/app/screen_clicks.h"
#include "tests/app/shell_fixture.h"

namespace {

using LegibleScreenTest = ShellTest;

// The width of what is drawn in the colour `ink` on the control.
int InkWidth(TControl *control, TColor ink) {
    const QImage shown = control->Widget()->grab().toImage();
    const QRgb wanted = QColor(ToQColor(ink)).rgb();
    int left = shown.width(), right = -1;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) == wanted) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

TEST_F(LegibleScreenTest, AnItemNotMetShowsItsReasonInTheRemarksAndAMarkAsWideAsTheMetOne) {
    TForm1 &w = Create(1366, 768);
    w.Show();
    Press(w.Panel9);  // Ogl.
    TPanel *item = w.InspectionItemPanels[5];
    ASSERT_EQ(item->Caption(), "+");
    const int plus = InkWidth(item, item->Font().Color());
    ClickOnScreen(w, item);
    ASSERT_EQ(item->Caption(), "-");
    EXPECT_GE(InkWidth(item, item->Font().Color()), plus * 4 / 5) << "the plus is " << plus << " wide";

    // The reasons stand on the memo's third line; the memo scrolls to the first reason.
    const QStringList reasons = w.Memo1->Lines().Lines();
    ASSERT_GE(reasons.size(), 3);
    ASSERT_TRUE(reasons[2].startsWith("błąd oględzin")) << reasons.join('|').toStdString();
    EXPECT_EQ(w.Memo1->TopLine(), 2);
    ClickOnScreen(w, item);  // ND: no reason left, the memo back at its top
    EXPECT_EQ(w.Memo1->TopLine(), 0);
}

// The focus event the window system sends when the window is active (a headless window is not).
void Deliver(QWidget *widget, Qt::FocusReason reason) {
    QFocusEvent in(QEvent::FocusIn, reason);
    QCoreApplication::sendEvent(widget, &in);
}

// A click into a field as the window system delivers it: the focus moves first, then the button
// goes down and up on the field.
void ClickIntoField(TForm1 &w, TControl *field) {
    field->Widget()->setFocus(Qt::MouseFocusReason);
    Deliver(field->Widget(), Qt::MouseFocusReason);
    ClickOnScreen(w, field);
}

// Focus by Tab and by a click: the "---" selected whole, so a typed value replaces it; a field
// with a value keeps the cursor where the click put it.
TEST_F(LegibleScreenTest, AFieldShowingDashesIsSelectedWholeWhenItGetsTheFocus) {
    TForm1 &w = Create(1366, 768);
    ShowAndWaitForFirstFrame(w);
    Press(w.Panel156);  // Param.
    auto *edit = static_cast<QLineEdit *>(w.Edit35->Widget());
    ASSERT_EQ(w.Edit35->Text(), "---");

    w.Edit473->SetFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    for (int i = 0; i < 10 && w.Widget()->focusWidget() != edit; ++i)
        QCoreApplication::sendEvent(w.Widget()->focusWidget(), &tab);
    ASSERT_EQ(w.Widget()->focusWidget(), edit);
    Deliver(edit, Qt::TabFocusReason);
    EXPECT_EQ(edit->selectedText(), "---") << "by Tab";

    w.Edit473->SetFocus();
    ClickIntoField(w, w.Edit35);
    ASSERT_EQ(w.Widget()->focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), "---") << "by a click";
    QKeyEvent seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
    QCoreApplication::sendEvent(edit, &seven);
    EXPECT_EQ(w.Edit35->Text(), "7");

    w.Edit473->SetFocus();
    ClickIntoField(w, w.Edit35);
    EXPECT_EQ(edit->selectedText(), "") << "a value is not selected by a click";
}

}  // namespace
