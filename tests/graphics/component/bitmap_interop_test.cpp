// Device-independent bitmaps with the framework's bitmaps, pictures and clipboard, the image
// engines on pictures, and crop and resize against ImageMagick.
#include "graphics/component/bitmap_interop.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#include "graphics/component/engine_pictures.h"
#include "graphics/errors.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"
#include "platform/gui/application.h"

namespace {

using graphics::TMemoryStream;

// A bitmap of `colours` distinct colours, each primary a multiple of 8 below 8 x `steps`. Formats
// of up to 2^bits colours hold them exactly; 16-bit pixels keep 5 bits a primary, which a bitmap
// file reader widens by repeating their top bits, so only steps below 4 come back unchanged there.
std::unique_ptr<TBitmap> ColourBitmap(int width, int height, int colours, unsigned start, int steps = 32) {
    std::mt19937 random(start);
    std::vector<QRgb> table;
    while (static_cast<int>(table.size()) < colours) {
        const auto level = [&] { return static_cast<int>(random() % static_cast<unsigned>(steps)) * 8; };
        const QRgb c = qRgb(level(), level(), level());
        if (std::find(table.begin(), table.end(), c) == table.end()) table.push_back(c);
    }
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, table[(x * 7 + y * 3) % colours]);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetImage(image);
    return bitmap;
}

// The colours 0xRRGGBB row by row, after the width.
std::vector<uint32_t> Colours(const QImage &image) {
    std::vector<uint32_t> colours{static_cast<uint32_t>(image.width())};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) colours.push_back(rgb.pixel(x, y) & 0xFFFFFFu);
    return colours;
}

std::vector<uint32_t> Rgb(const TBitmap &bitmap) {
    return Colours(bitmap.ToQImage());
}

class BitmapInterop : public ::testing::Test {
protected:
    void SetUp() override { gui::EnsureQtApplication(); }
};

TEST_F(BitmapInterop, FrameworkBitmapToDIBAndBackAtEveryDepth) {
    struct Case {
        TDIBFormat format;
        int colours;
    };
    for (const Case c : {Case{dtMonochrome, 2}, Case{dt4bit, 16}, Case{dt8bit, 200}, Case{dt16bit, 60},
                         Case{dt24bit, 500}, Case{dt32bit, 500}}) {
        SCOPED_TRACE("format " + std::to_string(c.format));
        const auto bitmap =
            ColourBitmap(23, 9, c.colours, static_cast<unsigned>(c.format), c.format == dt16bit ? 4 : 32);
        const TDeviceIndependentBitmap dib = graphics::DIBFromBitmap(*bitmap, c.format);
        EXPECT_EQ(dib.GetDIBType(), c.format);
        EXPECT_EQ(Rgb(*graphics::AsBitmap(dib)), Rgb(*bitmap));

        // Assigning keeps the DIB's format; assigning back gives a bitmap and a picture the pixels.
        TDeviceIndependentBitmap other(c.format, 1, 1);
        graphics::Assign(other, *bitmap);
        EXPECT_EQ(other.GetDIBType(), c.format);
        TBitmap back;
        graphics::AssignTo(other, back);
        EXPECT_EQ(Rgb(back), Rgb(*bitmap));
        TPicture picture;
        graphics::AssignTo(other, picture);
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(Colours(picture.Graphic()->ToQImage()), Rgb(*bitmap));
    }
    TPicture empty;
    TDeviceIndependentBitmap dib(dt24bit, 1, 1);
    EXPECT_THROW(graphics::Assign(dib, empty), EDIBError);
}

TEST_F(BitmapInterop, ClipboardCarriesTheWholeDIB) {
    const TDeviceIndependentBitmap dib = graphics::DIBFromBitmap(*ColourBitmap(7, 5, 16, 3), dt4bit);
    graphics::CopyToClipboard(dib);
    TDeviceIndependentBitmap pasted(dt24bit, 1, 1);
    graphics::PasteFromClipboard(pasted);
    EXPECT_EQ(pasted.SaveToClipboardFormat(), dib.SaveToClipboardFormat());
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());  // other programs see an image

    QGuiApplication::clipboard()->setText(QStringLiteral("no picture"));
    try {
        graphics::PasteFromClipboard(pasted);
        FAIL() << "pasted without a DIB";
    } catch (const EDIBError &e) {
        EXPECT_STREQ(e.what(), "Clipboard does not contain a DIB!");
    }
    EXPECT_EQ(pasted.SaveToClipboardFormat(), dib.SaveToClipboardFormat());  // kept
}

TEST_F(BitmapInterop, PicturesGoThroughTheGifEngines) {
    const auto bitmap = ColourBitmap(13, 6, 40, 11);
    TPicture picture;
    picture.SetGraphic(bitmap.get());
    TMemoryStream gif;
    TZUB_GIFCompressor writer;
    graphics::SavePictureToStream(writer, picture, gif);
    writer.CloseImageStream();

    gif.Seek(0, graphics::TSeekOrigin::soBeginning);
    TZUB_GIFDecompressor reader;
    TPicture loaded;
    graphics::LoadPictureFromStream(reader, &loaded, gif);
    ASSERT_NE(loaded.Graphic(), nullptr);
    EXPECT_EQ(Colours(loaded.Graphic()->ToQImage()), Rgb(*bitmap));

    // Stretched to twice the size, through a file.
    QTemporaryDir dir;
    const std::string file = dir.filePath("twice.gif").toStdString();
    graphics::SaveStretchedPictureToFile(writer, picture, 26, 12, file);
    graphics::LoadPictureFromFile(reader, &loaded, file);
    EXPECT_EQ(loaded.Width(), 26);
    EXPECT_EQ(Colours(loaded.Graphic()->ToQImage()), Rgb(*graphics::ReSizeBitmap(*bitmap, 26, 12)));

    const auto expectEmpty = [](const std::function<void()> &work) {
        try {
            work();
            FAIL() << "no error";
        } catch (const Exception &e) {
            EXPECT_STREQ(e.what(), "The Image Property is empty!");
        }
    };
    TPicture none;
    TMemoryStream out;
    expectEmpty([&] { graphics::SavePictureToStream(writer, none, out); });
    expectEmpty([&] { graphics::LoadPictureFromStream(reader, nullptr, gif); });
    EXPECT_THROW(graphics::LoadPictureFromResource(reader, &loaded, "no such picture"), Exception);
}

// ImageMagick's reading of the bitmap after `arguments`, as an image.
std::vector<uint32_t> Magick(const QImage &image, const std::string &arguments) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.png");
    image.save(in);
    const std::string command = "convert " + in.toStdString() + " " + arguments + " " +
                                dir.filePath("out.png").toStdString() + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return Colours(QImage(dir.filePath("out.png")));
}

TEST_F(BitmapInterop, CropAndResizeAsImageMagickDoes) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick missing";
    const auto bitmap = ColourBitmap(10, 10, 100, 5);
    const QImage source = bitmap->ToQImage();
    EXPECT_EQ(Rgb(*graphics::CropBitmap(*bitmap, 4, 4, QRect(2, 2, 4, 4))), Magick(source, "-crop 4x4+2+2 +repage"));
    EXPECT_EQ(Rgb(*graphics::ReSizeBitmap(*bitmap, 20, 20)), Magick(source, "-filter point -resize 20x20!"));
    EXPECT_EQ(Rgb(*graphics::CropBitmap(*bitmap, 8, 8, QRect(1, 1, 4, 4))),
              Magick(source, "-crop 4x4+1+1 +repage -filter point -resize 8x8!"));
    const auto wide = graphics::ReSizeBitmap(*bitmap, 20, 5);
    EXPECT_EQ(wide->Width(), 20);
    EXPECT_EQ(wide->Height(), 5);
}

}  // namespace
