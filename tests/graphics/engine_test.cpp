// Progress, abort and stream handling of the reader and writer engines.
#include "graphics/engine.h"
#include "graphics/errors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"
#include "platform/runtime/errors.h"

namespace {

class SteppedEngine : public TZUBGraphicsEngine {
public:
    int GetPercentDone() const override { return percent; }
    int percent = 0;
};

TEST(GraphicsEngine, ProgressIsReportedInStepsOfFiveAndAfterARestart) {
    SteppedEngine engine;
    std::vector<int> reports;
    engine.OnProgressReport = [&](TZUBGraphicsEngine &sender) { reports.push_back(sender.GetPercentDone()); };
    for (const int percent : {0, 3, 4, 5, 9, 10, 80, 10, 12}) {
        engine.percent = percent;
        engine.DoProgress();
    }
    EXPECT_EQ(reports, (std::vector<int>{5, 10, 80, 10}));
}

TEST(GraphicsEngine, AnAbortEndsTheRunAtTheNextReportOnly) {
    SteppedEngine engine;
    graphics::TMemoryStream stream;
    engine.OpenImageStream(stream);
    engine.Abort();
    engine.percent = 3;
    EXPECT_NO_THROW(engine.DoProgress());
    engine.percent = 6;
    try {
        engine.DoProgress();
        ADD_FAILURE() << "no abort";
    } catch (const Exception &e) {
        EXPECT_STREQ(e.what(), "User Abort");
    }
    engine.CloseImageStream();
    EXPECT_EQ(engine.ImageStream(), nullptr);
    engine.percent = 50;
    EXPECT_NO_THROW(engine.DoProgress());
}

TEST(GraphicsEngine, AnAbortedReadLeavesTheEngineReadyForTheNextFile) {
    TDeviceIndependentBitmap dib(dt8bit, 16, 64);
    graphics::TMemoryStream gif;
    {
        TZUB_GIFCompressor writer;
        writer.SaveDIBToStream(dib, gif);
    }  // the writer's destructor ends the stream with its trailer
    TZUB_GIFDecompressor reader;
    reader.OnProgressReport = [](TZUBGraphicsEngine &engine) { engine.Abort(); };
    graphics::TMemoryStream first(gif.Bytes());
    EXPECT_THROW(reader.ReadDIBitmapFromStream(first, dt8bit), Exception);
    reader.CloseImageStream();
    reader.OnProgressReport = nullptr;
    graphics::TMemoryStream second(gif.Bytes());
    const auto read = reader.ReadDIBitmapFromStream(second, dt8bit);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetHeight(), 64);
}

TEST(GraphicsEngine, FilesAreClosedAlsoWhenAnErrorPasses) {
    char name[] = "/tmp/graphics-engine-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const std::string path = std::string(name) + "/image.gif";
    TZUB_GIFCompressor writer;
    EXPECT_THROW(writer.SaveDIBtoFile(TDeviceIndependentBitmap(dt8bit, 70000, 1), path), EGIFError);
    EXPECT_EQ(writer.ImageStream(), nullptr);
    writer.SaveDIBtoFile(TDeviceIndependentBitmap(dt8bit, 7, 5), path);
    EXPECT_EQ(writer.ImageStream(), nullptr);
    TZUB_GIFDecompressor reader;
    const auto dib = reader.ReadDIBitmapFromFile(path, dt8bit);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->GetWidth(), 7);
    EXPECT_EQ(reader.ImageStream(), nullptr);
    EXPECT_THROW(reader.ReadDIBitmapFromFile(std::string(name) + "/missing.gif", dt8bit), Exception);
    std::remove(path.c_str());
    std::remove(name);
}

}  // namespace
