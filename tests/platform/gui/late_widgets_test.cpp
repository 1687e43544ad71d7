// Controls on hidden pages get their widgets only when the page is first shown (or a widget is
// asked for): what the program wrote before shows then, overlapping controls keep their order,
// hidden ones stay hidden, and an auto-sized label reads as if measured at once.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "gui_fixture.h"
#include "platform/gui/controls.h"

namespace {

class LateWidgets : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm>();
        form->SetBounds(0, 0, 400, 300);
        page = new TPanel(form.get());
        page->SetParent(form.get());
        page->SetBounds(0, 0, 400, 300);
        page->Hide();
        form->Show();
    }
    template <class T>
    T *OnPage(int left, int top, int width, int height) {
        auto *control = new T(form.get());
        control->SetParent(page);
        control->SetBounds(left, top, width, height);
        return control;
    }

    std::unique_ptr<TForm> form;
    TPanel *page = nullptr;
};

}  // namespace

TEST_F(LateWidgets, WhatWasWrittenBeforeThePageShowsIsShownByItsWidgets) {
    auto *edit = OnPage<TEdit>(10, 10, 100, 20);
    edit->SetText("12,50");
    edit->SetReadOnly(true);
    edit->SetColor(clYellow);
    auto *memo = OnPage<TMemo>(10, 40, 200, 80);
    memo->Lines().Add("first");
    memo->Lines().Add("second");
    auto *grid = OnPage<TStringGrid>(10, 130, 300, 100);
    grid->SetColCount(3);
    grid->SetCells(2, 3, "17");
    grid->SetRow(3);
    auto *label = OnPage<TLabel>(220, 10, 50, 13);
    label->SetCaption("Pkt.1");
    EXPECT_TRUE(page->Widget()->findChildren<QWidget *>().isEmpty()) << "no widget made for a hidden page";

    page->Show();
    auto *line = page->Widget()->findChild<QLineEdit *>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line, edit->Widget());
    EXPECT_EQ(line->text(), "12,50");
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_EQ(line->palette().color(QPalette::Base), ToQColor(clYellow));
    EXPECT_EQ(line->geometry(), QRect(10, 10, 100, 20));
    EXPECT_TRUE(line->isVisible());
    auto *text = page->Widget()->findChild<QPlainTextEdit *>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), "first\nsecond");
    EXPECT_EQ(memo->ShownText(), "first\nsecond");
    auto *table = page->Widget()->findChild<QTableWidget *>();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->item(3, 2)->text(), "17");
    EXPECT_EQ(table->currentRow(), 3);
    EXPECT_EQ(label->Widget()->geometry(), QRect(label->Left(), label->Top(), label->Width(), label->Height()));

    // Typing into the late widget reaches the control.
    edit->SetReadOnly(false);
    line->clear();
    Type(line, "7");
    EXPECT_EQ(edit->Text(), "7");
}

TEST_F(LateWidgets, OverlappingControlsKeepTheirOrderAndHiddenOnesStayHidden) {
    auto *under = OnPage<TPanel>(50, 50, 100, 100);
    auto *over = OnPage<TPanel>(50, 50, 100, 100);
    auto *hidden = OnPage<TPanel>(50, 50, 100, 100);
    hidden->Hide();
    // Widgets asked for while the page is hidden: the later control's first, then the hidden one.
    over->Widget();
    hidden->Widget();
    page->Show();
    EXPECT_EQ(page->Widget()->childAt(QPoint(100, 100)), over->Widget());
    EXPECT_TRUE(under->Widget()->isVisible());
    EXPECT_FALSE(hidden->Widget()->isVisible());
    hidden->Show();
    EXPECT_EQ(page->Widget()->childAt(QPoint(100, 100)), hidden->Widget());
}

// Each case writes to a label on the hidden page, then reads its size; the page is shown last and
// the widget must stand where the control says.
TEST_F(LateWidgets, AnAutoSizedLabelNotShownYetReadsAsIfMeasuredAtOnce) {
    const QString caption = QStringLiteral("Nr rejestracyjny:");
    struct Case {
        const char *what;
        std::function<void(TLabel *)> write;
        std::function<QSize(const QFontMetrics &)> size;
    };
    const Case cases[] = {
        {"caption only", [&](TLabel *l) { l->SetCaption(caption); },
         [&](const QFontMetrics &m) { return QSize(m.horizontalAdvance(caption), m.height()); }},
        {"a size set after the caption stays",
         [&](TLabel *l) {
             l->SetCaption(caption);
             l->SetBounds(5, 6, 300, 40);
         },
         [](const QFontMetrics &) { return QSize(300, 40); }},
        {"auto-size turned off keeps the size measured before",
         [&](TLabel *l) {
             l->SetCaption(caption);
             l->SetAutoSize(false);
             l->SetCaption(QStringLiteral("x"));
         },
         [&](const QFontMetrics &m) { return QSize(m.horizontalAdvance(caption), m.height()); }},
        {"moved, then a bigger font",
         [&](TLabel *l) {
             l->SetCaption(caption);
             l->MoveTo(5, 6);
             l->Font().SetSize(14);
         },
         [&](const QFontMetrics &) {
             TFont big;
             big.SetSize(14);
             const QFontMetrics m(big.ToQFont());
             return QSize(m.horizontalAdvance(caption), m.height());
         }},
        {"two lines, the font shrunk until they fit a height, as the course display does",
         [&](TLabel *l) {
             l->SetCaption(caption + QStringLiteral("\r\nx"));
             l->Font().SetSize(20);
             while (l->Height() > 40) l->Font().SetSize(l->Font().Size() - 1);
         },
         [&](const QFontMetrics &) {
             TFont font;
             for (int size = 20; size > 0; --size) {
                 font.SetSize(size);
                 if (2 * QFontMetrics(font.ToQFont()).height() <= 40) break;
             }
             const QFontMetrics m(font.ToQFont());
             return QSize(m.horizontalAdvance(caption), 2 * m.height());
         }},
    };
    std::vector<TLabel *> labels;
    for (const Case &c : cases) {
        auto *label = OnPage<TLabel>(20, 20, 10, 10);
        const QFontMetrics metrics(label->Font().ToQFont());
        c.write(label);
        // The height first: it is read without the width, which must agree with it afterwards.
        const int height = label->Height();
        EXPECT_EQ(QSize(label->Width(), height), c.size(metrics)) << c.what;
        EXPECT_EQ(label->Height(), height) << c.what;
        labels.push_back(label);
    }
    EXPECT_EQ(labels[3]->Left(), 5);
    page->Show();
    for (TLabel *label : labels)
        EXPECT_EQ(label->Widget()->geometry(), QRect(label->Left(), label->Top(), label->Width(), label->Height()));
}
