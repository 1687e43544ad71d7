// Tab takes the officer through the fields in reading order (two columns of captioned fields
// column by column, a grid row by row), on the parameters page too, and out of a memo without
// typing into it.
#include <QCoreApplication>
#include <QWidget>
#include <QKeyEvent>
#include <string>

#include "app/reading_order.h"
#include "tests/app/shell_fixture.h"

namespace {

// A screen drawn in text, one character a cell of 10 x 10: a letter is a field named by it (a run
// of the same letter one wide field), '#' a caption; each line is a row.
std::string TabOrderOf(const std::vector<std::string> &screen) {
    std::vector<shell::PlacedItem> items;
    std::string names;
    static const int kParent = 0;
    for (size_t row = 0; row < screen.size(); ++row)
        for (size_t col = 0; col < screen[row].size(); ++col) {
            const char c = screen[row][col];
            if (c == ' ' || (col > 0 && screen[row][col - 1] == c)) continue;
            size_t end = col;
            while (end < screen[row].size() && screen[row][end] == c) ++end;
            const QRect rect(static_cast<int>(col) * 10, static_cast<int>(row) * 10,
                             static_cast<int>(end - col) * 10 - 2, 8);
            items.push_back({rect, &kParent, c != '#'});
            names += c;
        }
    std::string order;
    for (size_t i : shell::ReadingOrder(items)) order += names[i];
    return order;
}

TEST(ReadingOrder, ColumnsOfCaptionedFieldsGoColumnByColumnAndGridsRowByRow) {
    struct Case {
        const char *what;
        std::vector<std::string> screen;
        const char *order;
    };
    const Case cases[] = {
        {"two captioned columns, a pick button beside a field, a line across under them",
         {"## aaa  ## eee", "## bbb  ## fffg", "## ccc  ## hhh", "## ddd", "## iiiiiiiiiiiii"},
         "abcdefghi"},
        {"a grid without captions", {"ab c", "de f", "gh i"}, "abcdefghi"},
        {"a table with a caption on each row", {"## a b c", "## d e f"}, "abcdef"},
        {"a gap splits a column; the lower part follows what stands beside the upper one",
         {"## a  ## d", "## b", "", "", "## c"},
         "abdc"},
    };
    for (const Case &c : cases) EXPECT_EQ(TabOrderOf(c.screen), c.order) << c.what;
}

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

TEST_F(TabOrderTest, TabGoesDownTheLeftColumnOfTheParametersPageThenDownTheRight) {
    TForm1 &w = Create();
    ShowAndWaitForFirstFrame(w);
    Press(w.Panel163);      // "Ust.": every field editable
    w.Edit473->SetFocus();  // "Nazwa stanowiska:", the first field
    // "Stanowisko (c.d.)" under the station's name, the tyre size's three fields in a row, then
    // the right column from "Marka poj." with the pick button after "Data produkcji"'s neighbour.
    std::vector<TControl *> expected;
    for (TControl *field : std::initializer_list<TControl *>{
             w.Edit482, w.Edit35, w.Edit102, w.Edit20, w.Edit21, w.Edit22, w.Edit24, w.Edit434, w.Edit107, w.Edit110,
             w.Edit111, w.Edit486, w.Edit457, w.Edit458, w.Edit23, w.Edit38, w.Edit7, w.Edit25, w.Edit12, w.Edit109,
             w.Edit108, w.Edit10, w.Button2, w.Edit9})
        if (field->Widget()->isEnabled() && field->Widget()->isVisible()) expected.push_back(field);
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
    ShowAndWaitForFirstFrame(w);
    w.Memo1->SetFocus();
    ASSERT_EQ(FocusedControl(w), w.Memo1);
    const QString before = w.Memo1->Text();
    PressTab(w);
    EXPECT_NE(FocusedControl(w), w.Memo1);
    EXPECT_EQ(w.Memo1->Text(), before) << "no tab typed into the remarks";
}

}  // namespace
