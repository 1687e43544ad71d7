// The screens and dialogs laid out for real desktops: every control inside its parent, and no two
// visible texts of a screen on top of each other. With STATION_SCREENS naming a folder, a picture of
// each screen goes there.
#include <QImage>
#include <QWidget>
#include <vector>

#include "layout_checks.h"
#include "main_window_fixture.h"
#include "screen_clicks.h"
#include "screen_pictures.h"
#include "screen_samples.h"

namespace {

using layout::BearsText;
using layout::IsUnder;
using layout::RectIn;

class ScreenLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<QSize> {};

TEST_P(ScreenLayoutTest, ControlsStayInsideAndTextsDoNotOverlap) {
    TForm1 &w = Create(GetParam().width(), GetParam().height());
    FillJobListSample(w);
    ShowKeyboardKeys(w);
    for (TPanel *screen : {w.Panel38, w.Panel150, w.Panel7, w.Panel228, w.Panel236, w.Panel411, w.Panel171,
                           w.Panel155, w.Panel279, w.Panel325, w.Panel384, w.Panel413, w.Panel169}) {
        const std::string where = screen->Name().toStdString();
        std::vector<TControl *> texts;
        for (TControl *c : layout::ControlsUnder(w, screen)) {
            EXPECT_TRUE(layout::InsideParent(c))
                << c->Name().toStdString() << " leaves " << c->Parent()->Name().toStdString() << " on "
                << where;
            if (!layout::ShownWithin(c, screen) || !BearsText(c)) continue;
            texts.push_back(c);
            EXPECT_TRUE(layout::CaptionFits(c)) << c->Name().toStdString() << " cuts its caption on " << where;
        }
        for (size_t a = 0; a < texts.size(); ++a)
            for (size_t b = a + 1; b < texts.size(); ++b) {
                if (IsUnder(texts[a], texts[b]) || IsUnder(texts[b], texts[a])) continue;
                EXPECT_FALSE(RectIn(texts[a], screen).intersects(RectIn(texts[b], screen)))
                    << texts[a]->Name().toStdString() << " and " << texts[b]->Name().toStdString()
                    << " overlap on " << where;
            }
        KeepScreenPicture(screen->Widget(), GetParam(), screen->Name());
    }
}

// The bar covers the status line while a run goes on: what runs, the progress and "STOP" side by side.
TEST_P(ScreenLayoutTest, MeasuringRunBarShowsItsCaptionProgressAndStopApart) {
    TForm1 &w = Create(GetParam().width(), GetParam().height());
    w.Show();
    ShowMeasuringRunBar(w);
    const QRect caption = RectIn(w.Label112, &w), progress = RectIn(w.ProgressBar1, &w);
    const QRect stop = RectIn(w.Panel167, &w), bar = RectIn(w.Panel165, &w);
    EXPECT_TRUE(bar.contains(caption) && bar.contains(progress) && bar.contains(stop));
    EXPECT_LT(caption.right(), progress.left());
    EXPECT_LT(progress.right(), stop.left());
    EXPECT_TRUE(caption.intersects(QRect(bar.left(), progress.top(), bar.width(), progress.height())))
        << "the caption stands level with the progress bar";
    // "STOP" stays within reach over the main screen, which a run disables.
    QWidget *top = w.Widget()->childAt(stop.center());
    EXPECT_TRUE(top == w.Panel167->Widget() || w.Panel167->Widget()->isAncestorOf(top));
}

// The captions of the status line stand on the desktop where no other control covers them, during
// a run too: "Brak wyników!" as the verdict shows it while no tariff stands tested, and the files
// a print wrote, beside the calculation mode's caption.
TEST_P(ScreenLayoutTest, TheStatusCaptionsAreNotCovered) {
    TForm1 &w = Create(GetParam().width(), GetParam().height());
    w.Show();
    ShowMeasuringRunBar(w);
    w.Label218->Show();
    w.PrintedFilesLabel->SetCaption(
        QStringLiteral("Zapisano: /home/stacja/Kestrium-12345_2026-12-11.pdf, /home/stacja/Kestrium-12345_2026-12-11-2.pdf"));
    for (TLabel *label : {w.Label218, w.PrintedFilesLabel}) {
        ASSERT_TRUE(label->Showing()) << label->Name().toStdString();
        const QRect caption = RectIn(label, &w);
        EXPECT_TRUE(QRect(0, 0, GetParam().width(), GetParam().height()).contains(caption));
        for (const QPoint at : {caption.topLeft(), caption.topRight(), caption.bottomLeft(), caption.bottomRight(),
                                caption.center()}) {
            QWidget *top = w.Widget()->childAt(at);
            EXPECT_EQ(top, label->Widget()) << label->Name().toStdString() << " covered at " << at.x() << ","
                                            << at.y() << " by " << ControlNameOf(w, top);
        }
    }
    const QRect mode = RectIn(w.Label336, &w), files = RectIn(w.PrintedFilesLabel, &w);
    EXPECT_FALSE(mode.intersects(files)) << "the files written run over the calculation mode";
    EXPECT_FALSE(files.intersects(RectIn(w.Label218, &w))) << "the files written run into \"Brak wyników!\"";
}

// Controls of the parameters page without a place of their own wait hidden in a strip under the
// memos: the strip shows the bare page, no frame of a panel.
TEST_P(ScreenLayoutTest, TheStripOfUnplacedControlsShowsOnlyThePage) {
    TForm1 &w = Create(GetParam().width(), GetParam().height());
    w.Show();
    ASSERT_TRUE(w.Panel241->Showing());
    const QImage page = w.Panel241->Widget()->grab().toImage();
    const QRgb bare = ToQColor(w.Panel241->Color()).rgb();
    for (TControl *unplaced : std::initializer_list<TControl *>{w.Panel4, w.Panel11, w.Panel12, w.Panel37, w.Panel40}) {
        const QRect area = RectIn(unplaced, w.Panel241);
        int shown = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) shown += page.pixel(x, y) != bare ? 1 : 0;
        EXPECT_EQ(shown, 0) << unplaced->Name().toStdString() << " shows on the page";
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, ScreenLayoutTest, ::testing::Values(QSize(1920, 1080), QSize(1366, 768)));

}  // namespace
