// The animated image control: composed pictures against ImageMagick's -coalesce, playing on the
// virtual clock, loops, user input, and the frame list's changes reaching the control.
#include "graphics/component/animated_image.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include "graphics/errors.h"
#include "graphics/gif_fixtures.h"
#include "platform/gui/form.h"
#include "platform/gui/gui_fixture.h"
#include "platform/gui/timer.h"

using namespace gif_fixtures;

namespace {

void MouseDown(QWidget *widget) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// The colour behind the control (its form's) in BGR and in RGB.
constexpr TColor kBehind = 0x00808080;
constexpr uint32_t kBehindRgb = 0x808080;

// Frames over one another with every disposal: an opaque screen left in place; a transparent
// patch whose area goes back to the background; a patch that brings back the picture before
// it; a last transparent patch over that.
const char *const kDisposals =
    "-dispose None -delay 20 -size 8x6 xc:red "
    "-dispose Background -delay 30 -page +1+1 -size 3x3 xc:none -fill blue -draw 'point 1,1' "
    "-dispose Previous -delay 0 -page +4+2 -size 4x3 xc:none -fill lime -draw 'point 0,0 point 3,2' "
    "-dispose None -delay 10 -page +0+4 -size 2x2 xc:none -fill yellow -draw 'point 1,1' "
    "-set page 8x6";

Pixels ColoursOf(const QImage &image) {
    Pixels colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.push_back(image.pixel(x, y) & 0xFFFFFF);
    return colours;
}

// Three 2 x 1 frames of one colour each (black, white, black) with the delays given in
// hundredths, the last waiting for user input; a loop block when `loops` >= 0.
Bytes ThreeFrames(int firstDelay, int loops, bool lastWaits = false) {
    Builder gif;
    gif.Screen(2, 1, 1, {0x000000, 0xFFFFFF});
    if (loops >= 0) {
        Bytes loop = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 1, static_cast<uint8_t>(loops),
                      0};
        gif.Extension(0xFF, loop, 11);
    }
    gif.Control(0, firstDelay).Image(0, 0, 2, 1, {0, 0});
    gif.Control(0, 2).Image(0, 0, 2, 1, {1, 1});
    gif.Control(0, 0, -1, lastWaits).Image(0, 0, 2, 1, {0, 0});
    return gif.Trailer().Get();
}

class AnimatedImageTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = CreateForm<TForm>();
        form->SetColor(kBehind);
        image = new TZUB_AnimatedImage(form.get());
        image->SetParent(form.get());
    }
    void Load(const Bytes &gif) {
        graphics::TMemoryStream stream(gif);
        image->Images().LoadFromStream(stream);
    }
    // The frame shown after each step of the clock.
    std::vector<int> FramesOver(const std::vector<int> &steps) {
        std::vector<int> shown;
        for (const int ms : steps) {
            gui::AdvanceTime(ms);
            shown.push_back(image->CurrentFrame());
        }
        return shown;
    }

    std::unique_ptr<TForm> form;
    TZUB_AnimatedImage *image = nullptr;
};

TEST_F(AnimatedImageTest, EachComposedPictureEqualsImageMagicksCoalescedFrame) {
    if (!Magick::Available()) GTEST_SKIP() << "ImageMagick is not installed";
    Magick magick;
    const Bytes gif = magick.Make(kDisposals);
    const Bytes coalesced =
        magick.Make(std::string(kDisposals) + " -coalesce -background '#808080' -alpha remove -alpha off");
    Load(gif);
    ASSERT_EQ(image->Images().GetCount(), 4);
    // Delays 200, 300, 0 (played as 5) and 100 ms.
    const std::vector<int> waits = {200, 300, 5, 100};
    for (int frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        ASSERT_EQ(image->CurrentFrame(), frame);
        EXPECT_EQ(ColoursOf(image->Composition()), magick.Colours(coalesced, frame));
        gui::AdvanceTime(waits[static_cast<size_t>(frame)] - 1);
        EXPECT_EQ(image->CurrentFrame(), frame);
        gui::AdvanceTime(1);
    }
    // The first frame again, on a clean screen.
    EXPECT_EQ(ColoursOf(image->Composition()), magick.Colours(coalesced, 0));
}

TEST_F(AnimatedImageTest, ShowsTheCompositionOnTheControl) {
    Load(ThreeFrames(10, -1));
    image->SetCenter(true);
    const QImage shown = image->Widget()->grab().toImage();
    // A 2 x 1 screen in the 50 x 50 control, centred.
    EXPECT_EQ(image->ImageRect(), (TRect{24, 24, 26, 25}));
    EXPECT_EQ(shown.pixel(24, 24) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(shown.pixel(25, 24) & 0xFFFFFF, 0x000000u);
    EXPECT_NE(shown.pixel(26, 24) & 0xFFFFFF, 0x000000u);
    EXPECT_NE(shown.pixel(24, 25) & 0xFFFFFF, 0x000000u);
}

TEST_F(AnimatedImageTest, FramesStayForTheirOwnDelaysAndTheFileLoopCountEndsPlaying) {
    // The loop block holds 2: the frames play twice and stop on the last one.
    Load(ThreeFrames(10, 2));
    EXPECT_EQ(image->Images().LoopCount, 2);
    // 100 ms, 20 ms, 5 ms (no delay), then the second loop.
    EXPECT_EQ(FramesOver({99, 1, 20, 5, 100, 20, 5, 1000}), (std::vector<int>{0, 1, 2, 0, 1, 2, 2, 2}));
    EXPECT_FALSE(image->Running());

    image->Run();
    EXPECT_EQ(FramesOver({100, 20, 5, 100, 20, 5}), (std::vector<int>{1, 2, 0, 1, 2, 2}));
}

TEST_F(AnimatedImageTest, WithoutALoopBlockPlaysForEver) {
    Load(ThreeFrames(10, -1));
    EXPECT_EQ(FramesOver({100, 20, 5, 100, 20, 5, 100}), (std::vector<int>{1, 2, 0, 1, 2, 0, 1}));
    EXPECT_TRUE(image->Running());
}

TEST_F(AnimatedImageTest, AFrameThatWaitsForInputWithoutDelayAdvancesOnlyOnAMouseDown) {
    Load(ThreeFrames(10, -1, true));
    gui::AdvanceTime(125);
    ASSERT_EQ(image->CurrentFrame(), 2);
    gui::AdvanceTime(5000);
    EXPECT_EQ(image->CurrentFrame(), 2);
    EXPECT_FALSE(image->Running());
    MouseDown(image->Widget());
    EXPECT_EQ(image->CurrentFrame(), 0);
    MouseDown(image->Widget());
    EXPECT_EQ(image->CurrentFrame(), 0);
}

// Progress reports of a load let pending work run: the frames loaded so far play, and the last
// one loaded waits for the next instead of starting the loop again.
TEST_F(AnimatedImageTest, PlaysWhileLoadingAndWaitsOnTheLastFrameLoaded) {
    Builder gif;
    gif.Screen(32, 32, 1, {0x000000, 0xFFFFFF});
    for (int i = 0; i < 4; ++i)
        gif.Control(0, 1).Image(0, 0, 32, 32, Bytes(32 * 32, static_cast<uint8_t>(i % 2)));
    struct Seen {
        int frame, count;
        bool loading;
    };
    std::vector<Seen> seen;
    image->OnProgress = [&](TObject *sender) {
        EXPECT_EQ(sender, image);
        gui::AdvanceTime(25);
        seen.push_back(
            {image->CurrentFrame(), image->Images().GetCount(), image->Images().State() == isLoading});
    };
    Load(gif.Trailer().Get());
    ASSERT_GE(seen.size(), 2u);
    for (size_t i = 0; i + 1 < seen.size(); ++i) {
        EXPECT_TRUE(seen[i].loading);
        EXPECT_EQ(seen[i].frame, seen[i].count - 1);
    }
    // The last report comes when the load has ended: the loop goes on.
    EXPECT_FALSE(seen.back().loading);
    EXPECT_EQ(seen.back().count, 4);
    EXPECT_EQ(seen.back().frame, 0);
}

TEST_F(AnimatedImageTest, ASingleFrameIsDrawnOnceAndTheTimerStops) {
    Load(Builder().Screen(2, 1, 1, {0x000000, 0xFFFFFF}).Image(0, 0, 2, 1, {1, 0}).Trailer().Get());
    EXPECT_EQ(ColoursOf(image->Composition()), (Pixels{0xFFFFFF, 0x000000}));
    gui::AdvanceTime(5);
    EXPECT_FALSE(image->Running());
    EXPECT_EQ(image->CurrentFrame(), 0);
}

TEST_F(AnimatedImageTest, ATransparentFrameIsDrawnOpaqueWithoutAllowTransparent) {
    // A black screen, then a frame whose white pixel is transparent.
    const Bytes gif = Builder()
                          .Screen(2, 1, 1, {0x000000, 0xFFFFFF})
                          .Control(1, 1)
                          .Image(0, 0, 2, 1, {0, 0})
                          .Control(1, 1, 1)
                          .Image(0, 0, 2, 1, {1, 1})
                          .Trailer()
                          .Get();
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow);
        image->SetTransparent(allow);
        Load(gif);
        gui::AdvanceTime(10);
        ASSERT_EQ(image->CurrentFrame(), 1);
        EXPECT_EQ(ColoursOf(image->Composition()),
                  allow ? (Pixels{0x000000, 0x000000}) : (Pixels{0xFFFFFF, 0xFFFFFF}));
    }
}

// A table may hold the transparent colour twice: pixels of the other entry stay opaque.
TEST_F(AnimatedImageTest, OnlyTheTransparentEntryIsHiddenNotItsColour) {
    const Bytes gif = Builder()
                          .Screen(2, 1, 2, {0xFFFFFF, 0x000000, 0xFF0000, 0x000000})
                          .Control(1, 1)
                          .Image(0, 0, 2, 1, {0, 0})
                          .Control(1, 1, 3)
                          .Image(0, 0, 2, 1, {1, 3})
                          .Trailer()
                          .Get();
    Load(gif);
    gui::AdvanceTime(10);
    ASSERT_EQ(image->CurrentFrame(), 1);
    EXPECT_EQ(ColoursOf(image->Composition()), (Pixels{0x000000, 0xFFFFFF}));
}

TEST_F(AnimatedImageTest, DeletingFramesKeepsTheShownOneAndTheLastStopsOnTheBackground) {
    Load(ThreeFrames(10, -1));
    gui::AdvanceTime(100);
    ASSERT_EQ(image->CurrentFrame(), 1);
    image->Images().Delete(0);
    EXPECT_EQ(image->CurrentFrame(), 0);
    EXPECT_EQ(image->FrameBitmaps().GetCount(), 2);
    image->Images().Delete(1);
    image->Images().Delete(0);
    EXPECT_FALSE(image->Running());
    EXPECT_EQ(ColoursOf(image->Composition()), (Pixels{kBehindRgb, kBehindRgb}));
    gui::AdvanceTime(1000);
    EXPECT_EQ(image->CurrentFrame(), -1);
}

TEST_F(AnimatedImageTest, StretchScalesFramesToTheControlAndBackWhenTurnedOff) {
    Load(ThreeFrames(10, -1));
    image->SetBounds(0, 0, 6, 4);
    image->SetStretch(true);
    EXPECT_EQ(image->FrameBitmaps().GetItems(0).Width(), 6);
    EXPECT_EQ(image->MaskBitmaps().GetItems(0).Height(), 4);
    EXPECT_EQ(image->Composition().size(), QSize(6, 4));
    image->SetStretch(false);
    EXPECT_EQ(image->FrameBitmaps().GetItems(0).Width(), 2);
    EXPECT_EQ(image->Composition().size(), QSize(2, 1));
}

TEST(BitmapList, LookupsOutsideRaiseAndDeletesOutsideAreIgnored) {
    gui::EnsureQtApplication();
    TBitmapList list;
    list.Add(std::make_unique<TBitmap>());
    list.Delete(3);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_THROW(list.GetItems(1), EAnimateError);
    EXPECT_THROW(list.SetOrigin(-1, {}), EAnimateError);
    EXPECT_THROW(list.Insert(2, std::make_unique<TBitmap>()), EAnimateError);
}

}  // namespace
