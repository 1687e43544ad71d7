#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdlib>

#include "gui_fixture.h"
#include "tests/platform/gui/big_window.h"
#include "tests/platform/gui/test_window.h"

namespace {

class FormResource : public GuiTest {};

}  // namespace

TEST_F(FormResource, BuildsTypedMembersWithTheirPropertiesAndRunsOnCreateLast) {
    auto window = CreateForm<TTestWindow>();
    EXPECT_EQ(window->Name(), "TestWindow");
    EXPECT_EQ(window->Caption(), "Okno testowe");
    EXPECT_EQ(window->BorderStyle(), bsSingle);
    EXPECT_EQ(window->FindComponent("Edit2"), window->Edit2);
    EXPECT_EQ(window->Edit2->Parent(), window->Panel1);
    EXPECT_EQ(window->Panel1->Parent(), window.get());
    EXPECT_EQ(window->Edit3->Top(), 110);
    EXPECT_EQ(window->Label3->Caption(), "Pole 3:");
    EXPECT_EQ(window->Panel2->Color(), static_cast<TColor>(0x80000013u));
    EXPECT_EQ(window->Panel2->BevelOuter(), bvLowered);
    EXPECT_EQ(window->Label4->Caption(), QString::fromUtf8("Ząb\r\nżółw \"cytat\" {x}"));
    EXPECT_EQ(window->Label4->Font().Style(), fsItalic);
    EXPECT_EQ(window->Label4->Font().Size(), 10);                   // from Panel1
    EXPECT_GT(window->Label4->Height(), window->Label3->Height());  // two lines, auto-sized
    EXPECT_EQ(window->Memo1->Lines().Count(), 2);
    // No handler runs while the resource loads; OnCreate runs once everything exists.
    EXPECT_EQ(window->events, QStringList{"create:---"});
}

TEST_F(FormResource, BindsTheNamedHandlers) {
    auto window = CreateForm<TTestWindow>();
    window->Panel2->Click();
    window->Edit2->SetText("12");
    window->Button1->Click();
    gui::AdvanceTime(450);
    window->Close();
    EXPECT_EQ(window->events, (QStringList{"create:---", "panel2", "change:Edit2", "tick", "tick", "close"}));
}

TEST_F(FormResource, TheMainWindowsSizeOfFormIsCreatedWhole) {
    auto window = CreateForm<TBigWindow>();
    EXPECT_EQ(window->ComponentCount(), 1545);
    EXPECT_EQ(window->Edit479->Parent(), window->Screen23);
    EXPECT_EQ(window->Panel551->Caption(), "+");
    EXPECT_EQ(window->Timer8->Interval(), 80);
    EXPECT_EQ(window->Width(), 1801);  // AutoSize: the extent of Root
    EXPECT_FALSE(window->Screen6->Visible());
    EXPECT_EQ(window->changes, 0);
    window->Panel0->Click();
    EXPECT_EQ(window->clicks, 1);
}

// The generator refuses a faulty resource with the line of the fault.
TEST(FormGenerator, RejectsFaultyResources) {
    const std::string head = "form F : TF \"f.h\"\nend\n";
    const std::pair<std::string, std::string> cases[] = {
        {head + "object A : TPanel in Nowhere\nend\n", ":3: error: parent Nowhere"},
        {head + "object A : TPanel\nend\nobject A : TLabel\nend\n", ":5: error: duplicate name A"},
        {head + "object B : TPanel in B\nend\n", ":3: error: parent B"},
        {head + "object A : TPanel\n  Left = {1 +}\nend\n", ":4: error"},
        {head + "object A{j} : TPanel\nend\n", "unknown name 'j'"},
        {head + "object A : TPanel\n  Caption = \"open\nend\n", "unterminated string"},
        {head + "object A : TPanel\n", "block without 'end'"},
        {head + "object A : TPanel\n  OnClick = 3x\nend\n", "bad handler name"},
        {head + "object A : TPanel\n  bounds = 1 2 3\nend\n", "bounds needs"},
        {head + "repeat i = 0 to 2 step 0\nend\n", "step 0"},
        {"object A : TPanel\nend\n", "no form block"},
        {head + "object A : TPanel\n  Left = {1 / 0}\nend\n", "division by zero"},
    };
    // A folder of its own: test programs of other builds may run this test at the same time.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString dir = folder.path();
    const std::string formgen = STATION_BINARY_DIR "/platform/gui/formgen/formgen";
    for (const auto &[text, expected] : cases) {
        const std::string resource = (dir + "/bad.form").toStdString();
        QFile file(QString::fromStdString(resource));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        const std::string out = (dir + "/out").toStdString();
        const std::string command =
            formgen + " " + resource + " " + out + ".h " + out + ".cpp out.h 2>" + out + ".err";
        EXPECT_NE(std::system(command.c_str()), 0) << text;
        QFile err(QString::fromStdString(out + ".err"));
        ASSERT_TRUE(err.open(QIODevice::ReadOnly));
        EXPECT_NE(err.readAll().toStdString().find(expected), std::string::npos) << text;
    }
}

namespace {

// Every control of a shown window: its widget is a child of its parent's widget, shown or hidden
// as the control is, at the control's geometry. Returns how many controls it checked.
int ExpectWidgetsAtControlGeometry(TForm &window) {
    window.Show();
    QCoreApplication::processEvents();
    int checked = 0;
    for (int i = 0; i < window.ComponentCount(); ++i) {
        auto *control = dynamic_cast<TControl *>(window.Components(i));
        if (control == nullptr) continue;
        ++checked;
        const std::string name = control->Name().toStdString();
        const QWidget *widget = control->Widget();
        EXPECT_EQ(widget->parentWidget(), control->Parent()->Widget()) << name;
        EXPECT_EQ(widget->isHidden(), !control->Visible()) << name;
        EXPECT_EQ(widget->isVisible(), control->Showing()) << name;
        EXPECT_EQ(widget->geometry(), QRect(control->Left(), control->Top(), control->Width(), control->Height()))
            << name;
    }
    EXPECT_TRUE(window.Widget()->isVisible());
    EXPECT_EQ(window.Widget()->size(), QSize(window.Width(), window.Height()));
    return checked;
}

}  // namespace

TEST_F(FormResource, AShownWindowShowsEveryControlAtItsGeometry) {
    auto small = CreateForm<TTestWindow>();
    EXPECT_EQ(ExpectWidgetsAtControlGeometry(*small), 12);
    // What is painted there: the panels' colours, the edits' white fields, the labels' light text on the black panel.
    const QImage shown = small->Widget()->grab().toImage();
    const auto colourAt = [&](TControl *control, int x, int y) {
        return shown.pixelColor(control->Widget()->mapTo(small->Widget(), QPoint(x, y)));
    };
    EXPECT_EQ(colourAt(small->Panel1, 20, 260), QColor(Qt::black));
    EXPECT_EQ(colourAt(small->Panel3, 10, 10), QColor(Qt::white));
    for (TEdit *edit : {small->Edit1, small->Edit2, small->Edit3})
        EXPECT_EQ(colourAt(edit, edit->Width() - 6, edit->Height() / 2), QColor(Qt::white)) << edit->Name().toStdString();
    for (TLabel *label : {small->Label1, small->Label2, small->Label3, small->Label4}) {
        int light = 0;
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x) light += colourAt(label, x, y).lightness() > 160;
        EXPECT_GT(light, 10) << label->Name().toStdString();
    }
    auto big = CreateForm<TBigWindow>();
    EXPECT_EQ(ExpectWidgetsAtControlGeometry(*big), 1537);  // all but the timers
}
