// The frame list against giflib's reading of ImageMagick animations, saving read back by giflib,
// and its guards.
#include "graphics/animated_list.h"

#include <gtest/gtest.h>

#include "gif_fixtures.h"
#include "graphics/errors.h"

using namespace gif_fixtures;

namespace {

// Three frames: an opaque screen, a partly transparent patch kept in place, a patch restored to
// the previous picture with a comment. The loop block holds 2.
const char *const kAnimation =
    "-dispose None -delay 20 -size 8x6 xc:red "
    "-dispose None -delay 30 -page +2+1 -size 3x3 xc:none -fill blue -draw 'point 1,1' "
    "-dispose Previous -delay 0 -comment 'third frame' -page +4+2 -size 4x3 xc:lime "
    "-set page 8x6 -loop 3";

class AnimatedListTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Magick::Available()) GTEST_SKIP() << "ImageMagick is not installed";
    }
    Magick magick_;
};

void ExpectFramesOf(const TAnimatedImageList &list, const Bytes &gif) {
    const TheirStream theirs = Slurp(gif);
    ASSERT_EQ(list.GetCount(), static_cast<int>(theirs.Frames.size()));
    EXPECT_EQ(list.LoopCount, std::max(theirs.LoopCount, 0));
    EXPECT_EQ(list.ScreenWidth(), theirs.Width);
    EXPECT_EQ(list.ScreenHeight(), theirs.Height);
    for (int i = 0; i < list.GetCount(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const TheirFrame &their = theirs.Frames[static_cast<size_t>(i)];
        EXPECT_EQ(list.GetOrigin(i), (graphics::TPoint{their.Left, their.Top}));
        EXPECT_EQ(list.GetDelayTime(i), their.DelayHundredths * 10);
        EXPECT_EQ(list.GetDisposalMethod(i), their.Disposal);
        const auto &dib = dynamic_cast<const TDeviceIndependentBitmap &>(list.GetItems(i));
        EXPECT_EQ(dib.Transparent, their.TransparentIndex >= 0);
        EXPECT_EQ(ColoursOf(dib), their.Colours);
    }
}

TEST_F(AnimatedListTest, LoadsTheFramesTimingAndLoopCountGiflibReports) {
    const Bytes gif = magick_.Make(kAnimation);
    TAnimatedImageList list;
    std::vector<int> inserted;
    std::vector<TAnimatedImageState> states;
    list.OnImageInserted = [&](TAnimatedImageList &, int index) { inserted.push_back(index); };
    list.OnStateChange = [&](TAnimatedImageList &sender) { states.push_back(sender.State()); };
    graphics::TMemoryStream stream(gif);
    list.LoadFromStream(stream);

    ExpectFramesOf(list, gif);
    EXPECT_EQ(list.LoopCount, 2);
    EXPECT_EQ(list.GetComment(2), "third frame");
    EXPECT_EQ(list.GetComment(1), "");
    EXPECT_EQ(inserted, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(states, (std::vector<TAnimatedImageState>{isLoading, isLoaded}));
    EXPECT_EQ(list.PercentDone(), 100);
}

TEST_F(AnimatedListTest, SavedListReadsBackInGiflibWithTheSameFrames) {
    const Bytes gif = magick_.Make(kAnimation);
    TAnimatedImageList list;
    graphics::TMemoryStream input(gif);
    list.LoadFromStream(input);
    list.SetComment(0, "first");

    graphics::TMemoryStream output;
    list.SaveToStream(output);
    ExpectFramesOf(list, output.Bytes());
    EXPECT_EQ(list.State(), isLoaded);

    TAnimatedImageList again;
    graphics::TMemoryStream reread(output.Bytes());
    again.LoadFromStream(reread);
    ASSERT_EQ(again.GetCount(), 3);
    EXPECT_EQ(again.GetComment(0), "first");
    EXPECT_EQ(again.GetComment(1), "");
    EXPECT_EQ(again.GetComment(2), "third frame");
    EXPECT_EQ(again.LoopCount, 2);
}

TEST_F(AnimatedListTest, AssignCopiesFramesAndAFrameWithoutLoopSavesAsOneImage) {
    TAnimatedImageList source;
    graphics::TMemoryStream input(magick_.Make(kAnimation));
    source.LoadFromStream(input);
    TAnimatedImageList copy;
    copy.Assign(source);
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(copy.GetControlInfo(1), source.GetControlInfo(1));
    EXPECT_EQ(copy.GetComment(2), "third frame");
    EXPECT_EQ(copy.LoopCount, 2);
    EXPECT_NE(&copy.GetItems(0), &source.GetItems(0));

    copy.Delete(2);
    copy.Delete(1);
    graphics::TMemoryStream output;
    copy.SaveToStream(output);
    const TheirStream theirs = Slurp(output.Bytes());
    EXPECT_EQ(theirs.Frames.size(), 1u);
    EXPECT_EQ(theirs.LoopCount, -1);
}

TEST(AnimatedList, EmptyStreamLeavesTheListEmptyAndAnEmptyListSavesNothing) {
    TAnimatedImageList list;
    list.Add(std::make_unique<TDeviceIndependentBitmap>(dt8bit, 2, 2));
    graphics::TMemoryStream empty;
    list.LoadFromStream(empty);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.State(), isEmpty);
    list.SaveToStream(empty);
    EXPECT_EQ(empty.Size(), 0);
}

TEST(AnimatedList, IndexesOutsideTheListRaise) {
    TAnimatedImageList list;
    list.Add(std::make_unique<TDeviceIndependentBitmap>(dt8bit, 2, 2));
    const std::vector<std::function<void()>> calls = {
        [&] { list.Insert(2, std::make_unique<TDeviceIndependentBitmap>(dt8bit, 2, 2)); },
        [&] { list.Insert(-1, std::make_unique<TDeviceIndependentBitmap>(dt8bit, 2, 2)); },
        [&] { list.Delete(1); },
        [&] { list.GetDelayTime(1); },
        [&] { list.SetDisposalMethod(-1, dmLeaveInPlace); },
        [&] { list.GetComment(5); },
        [&] { list.Move(0, 1); },
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        try {
            calls[i]();
            ADD_FAILURE() << "no error";
        } catch (const EAnimateError &e) {
            EXPECT_STREQ(e.what(), "Index out of range");
        }
    }
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetControlInfo(0), TGIFGraphicControlInfo{});
}

TEST(AnimatedList, AnAbortedLoadKeepsTheFramesReadAndEndsTheLoad) {
    Builder builder;
    builder.Screen(64, 64, 1, {0x000000, 0xFFFFFF});
    for (int i = 0; i < 4; ++i) builder.Image(0, 0, 64, 64, Bytes(64 * 64, static_cast<uint8_t>(i % 2)));
    TAnimatedImageList list;
    list.OnImageInserted = [](TAnimatedImageList &sender, int index) {
        if (index == 1) sender.Abort();
    };
    graphics::TMemoryStream stream(builder.Trailer().Get());
    try {
        list.LoadFromStream(stream);
        ADD_FAILURE() << "no error";
    } catch (const Exception &e) {
        EXPECT_STREQ(e.what(), "User Abort");
    }
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.State(), isLoaded);
    // The next load starts afresh.
    graphics::TMemoryStream again(stream.Bytes());
    list.OnImageInserted = nullptr;
    list.LoadFromStream(again);
    EXPECT_EQ(list.GetCount(), 4);
}

// A table that holds the transparent colour twice keeps its transparent entry when saved.
TEST(AnimatedList, SavingKeepsTheTransparentEntryOfATableWithItsColourTwice) {
    const Bytes gif = Builder()
                          .Screen(2, 1, 2, {0xFFFFFF, 0x000000, 0xFF0000, 0x000000})
                          .Control(1, 1, 3)
                          .Image(0, 0, 2, 1, {1, 3})
                          .Trailer()
                          .Get();
    TAnimatedImageList list;
    graphics::TMemoryStream input(gif);
    list.LoadFromStream(input);
    graphics::TMemoryStream output;
    list.SaveToStream(output);
    const TheirStream theirs = Slurp(output.Bytes());
    ASSERT_EQ(theirs.Frames.size(), 1u);
    const TheirFrame &frame = theirs.Frames[0];
    ASSERT_EQ(frame.Indexes.size(), 2u);
    EXPECT_NE(frame.Indexes[0], frame.TransparentIndex);
    EXPECT_EQ(frame.Indexes[1], frame.TransparentIndex);
}

// The owner may let pending work run while a load reports progress; that work must not free
// frames the load is still adding, nor start another load.
TEST(AnimatedList, ChangesDuringALoadAreRefused) {
    const Bytes gif = Builder()
                          .Screen(2, 1, 1, {0x000000, 0xFFFFFF})
                          .Image(0, 0, 2, 1, {0, 1})
                          .Image(0, 0, 2, 1, {1, 0})
                          .Trailer()
                          .Get();
    TAnimatedImageList list;
    std::vector<std::string> refusals;
    graphics::TMemoryStream again(gif);
    list.OnImageInserted = [&](TAnimatedImageList &sender, int) {
        for (const auto &change : std::vector<std::function<void()>>{
                 [&] { sender.Clear(); }, [&] { sender.Delete(0); }, [&] { sender.LoadFromStream(again); }}) {
            try {
                change();
            } catch (const EAnimateError &e) {
                refusals.push_back(e.what());
            }
        }
    };
    graphics::TMemoryStream stream(gif);
    list.LoadFromStream(stream);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(refusals, std::vector<std::string>(6, "Load of current image in progress"));
}

}  // namespace
