// The "gif" picture format: registered, loading and saving through pictures.
#include "graphics/component/gif_bitmap.h"

#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <fstream>

#include "graphics/gif_fixtures.h"
#include "platform/gui/application.h"
#include "platform/gui/picture.h"

using namespace gif_fixtures;
namespace fs = std::filesystem;

namespace {

class GifPicture : public ::testing::Test {
protected:
    void SetUp() override {
        gui::EnsureQtApplication();
        char name[] = "/tmp/graphics-gif-picture-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override { fs::remove_all(dir_); }
    QString Path(const std::string &name) const { return QString::fromStdString((dir_ / name).string()); }
    Bytes FileBytes(const std::string &name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void WriteFile(const std::string &name, const Bytes &bytes) const {
        std::ofstream out(dir_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static Pixels PixelsOf(const QImage &image) {
        Pixels pixels;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y) & 0xFFFFFF);
        return pixels;
    }

    fs::path dir_;
};

TEST_F(GifPicture, IsRegisteredAtStartUp) {
    EXPECT_EQ(TPicture::FileFormatDescription("gif"), "Compuserve GIF Image");
}

TEST_F(GifPicture, LoadsTheFirstImageOfAFile) {
    const Pixels table = {0x102030, 0xF0E0D0, 0x00FF00, 0x0000FF};
    const Bytes indexes = {0, 1, 2, 3, 3, 2, 1, 0};
    WriteFile("picture.GIF", Builder()
                                 .Screen(4, 2, 2, table)
                                 .Image(0, 0, 4, 2, indexes, 0, {}, true)
                                 .Image(0, 0, 1, 1, {1})
                                 .Trailer()
                                 .Get());
    TPicture picture;
    picture.LoadFromFile(Path("picture.GIF"));
    ASSERT_NE(dynamic_cast<TGIFBitmap *>(picture.Graphic()), nullptr);
    EXPECT_EQ(PixelsOf(picture.Graphic()->ToQImage()),
              (Pixels{0x102030, 0xF0E0D0, 0x00FF00, 0x0000FF, 0x0000FF, 0x00FF00, 0xF0E0D0, 0x102030}));

    WriteFile("broken.gif", {'G', 'I', 'F', '8', '9', 'a', 4, 0});
    EXPECT_THROW(picture.LoadFromFile(Path("broken.gif")), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 4);  // the picture keeps what it had
}

TEST_F(GifPicture, SavesGifOrBitmapByTheFileExtension) {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x40, 0x60));
    image.setPixel(2, 1, qRgb(0xF8, 0xFC, 0xF8));  // two colours in a 24-bit image
    TGIFBitmap bitmap;
    bitmap.SetImage(image);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    picture.SaveToFile(Path("saved.GIF"));
    picture.SaveToFile(Path("saved.bmp"));

    const Bytes gif = FileBytes("saved.GIF");
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
    const TheirStream theirs = Slurp(gif);
    ASSERT_EQ(theirs.Frames.size(), 1u);
    EXPECT_EQ(theirs.Frames[0].Colours, PixelsOf(image));
    const Bytes bmp = FileBytes("saved.bmp");
    EXPECT_EQ(std::string(bmp.begin(), bmp.begin() + 2), "BM");

    TPicture again;
    again.LoadFromFile(Path("saved.GIF"));
    EXPECT_EQ(PixelsOf(again.Graphic()->ToQImage()), PixelsOf(image));
}

}  // namespace
