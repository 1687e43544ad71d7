// Tab takes the officer through the fields of the parameters page in reading order, and out of a
// memo without typing into it.
#include <QCoreApplication>
#include <QWidget>
#include <QKeyEvent>

#include "tests/app/shell_fixture.h"

namespace {

using TabOrderTest = ShellTest;

TControl *FocusedControl(const TForm1 &w) {
    const QWidget *focus = w.Widget()->focusWidget();
    for (int i = 0; i < w.ComponentCount(); ++i)
        if (auto *c = dynamic_cast<TControl *>(w.Components(i)); c != nullptr && c->Widget() == focus) return c;
    return nullptr;
}

void PressTab(const TForm1 &w) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(w.Widget()->focusWidget(), &tab);
}

TEST_F(TabOrderTest, TabFollowsTheRowsOfTheParametersPage) {
    TForm1 &w = Create();
    w.Show();
    w.Edit473->SetFocus();  // "Nazwa stanowiska:", the first field
    // Row by row, left column then right column; the tyre size's three fields in a row.
    // Fields locked until a working mode is chosen are passed over.
    std::vector<TControl *> expected;
    for (TControl *field : std::initializer_list<TControl *>{w.Edit38, w.Edit482, w.Edit7, w.Edit35, w.Edit25, w.Edit102, w.Edit12, w.Edit20,
                            w.Edit109, w.Edit21, w.Edit108, w.Edit22, w.Edit10, w.Button2, w.Edit24, w.Edit9,
                            w.Edit434})
        if (field->Widget()->isEnabled()) expected.push_back(field);
    ASSERT_GE(expected.size(), 10u);
    ASSERT_EQ(FocusedControl(w), w.Edit473);
    for (TControl *next : expected) {
        PressTab(w);

        const TControl *focused = FocusedControl(w);
        ASSERT_EQ(focused, next) << "expected " << next->Name().toStdString() << ", focus on "
                                 << (focused != nullptr ? focused->Name().toStdString() : "nothing");
    }
}

TEST_F(TabOrderTest, AMemoPassesTabOn) {
    TForm1 &w = Create();
    w.Show();
    w.Memo1->SetFocus();
    ASSERT_EQ(FocusedControl(w), w.Memo1);
    const QString before = w.Memo1->Text();
    PressTab(w);
    EXPECT_NE(FocusedControl(w), w.Memo1);
    EXPECT_EQ(w.Memo1->Text(), before) << "no tab typed into the remarks";
}

}  // namespace
