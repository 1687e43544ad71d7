#include "platform/gui/picture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "platform/gui/bitmap.h"
#include "platform/gui/bmp.h"
#include "platform/gui/gui_test_support.h"
#include "platform/gui/jpeg.h"

namespace {

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { gui::EnsureQtApplication(); }

    QString Path(const QString &name) const { return dir.filePath(name); }
    // Makes a file with ImageMagick's convert; returns its path.
    QString Convert(const std::string &arguments, const QString &name, const std::string &format = "") const {
        const QString path = Path(name);
        RunCommand("convert " + arguments + " '" + format + path.toStdString() + "'");
        return path;
    }
    QByteArray Read(const QString &path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString &path, const QByteArray &data) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    // The pixels of an image file as ImageMagick decodes them.
    QImage DecodedByImageMagick(const QString &path, int width, int height) const {
        const std::string rgb = RunCommand("convert '" + path.toStdString() + "' -depth 8 rgb:-");
        if (rgb.size() != static_cast<size_t>(width * height * 3)) return {};
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const auto *p = reinterpret_cast<const unsigned char *>(rgb.data()) + (y * width + x) * 3;
                image.setPixel(x, y, qRgb(p[0], p[1], p[2]));
            }
        return image;
    }
    static int Distance(QRgb a, QRgb b) {
        return std::max(
            {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
    }

    QTemporaryDir dir;
};

// A 13 x 7 test image: odd width (row padding), many colours.
const std::string kPattern =
    "-size 13x7 gradient:red-blue -fill lime -draw 'point 2,1' -draw 'line 0,6 12,0'";

TEST_F(PictureTest, ReadsTheBitmapsImageMagickWrites) {
    struct Case {
        const char *options;
        const char *format;
        int tolerance;  // 16-bit channels are scaled to 8 bits slightly differently
    };
    const Case cases[] = {
        {"", "BMP3:", 0},
        {"-type truecolor", "BMP:", 0},
        {"-type palette -compress none", "BMP3:", 0},
        {"-colors 16 -type palette -compress none", "BMP3:", 0},
        {"-monochrome", "BMP3:", 0},
        {"-type palette -compress none", "BMP2:", 0},
        {"-define bmp:subtype=RGB565", "BMP3:", 4},
        {"-define bmp:subtype=RGB555", "BMP:", 4},
        {"-define bmp:subtype=ARGB4444", "BMP:", 17},
        {"-alpha on", "BMP:", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.options) + " " + c.format);
        const QString path = Convert(kPattern + " " + c.options, "in.bmp", c.format);
        TBitmap bitmap;
        bitmap.LoadFromFile(path);
        ASSERT_EQ(bitmap.Width(), 13);
        ASSERT_EQ(bitmap.Height(), 7);
        const QImage expected = DecodedByImageMagick(path, 13, 7);
        ASSERT_FALSE(expected.isNull());
        const QImage ours = bitmap.ToQImage();
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_LE(Distance(ours.pixel(x, y), expected.pixel(x, y)), c.tolerance) << x << "," << y;
    }
}

TEST_F(PictureTest, WritesBitmapsThatImageMagickReadsAndReadsTopDownRows) {
    TBitmap bitmap;
    bitmap.SetSize(13, 7);
    bitmap.Canvas()->Brush().SetColor(clNavy);
    bitmap.Canvas()->FillRect({0, 0, 5, 3});
    bitmap.Canvas()->SetPixel(12, 6, clLime);
    bitmap.SaveToFile(Path("ours.bmp"));
    EXPECT_EQ(DecodedByImageMagick(Path("ours.bmp"), 13, 7), bitmap.ToQImage());

    // The same file with a negative height holds its rows top-down.
    QByteArray topDown = Read(Path("ours.bmp"));
    topDown[22] = static_cast<char>(-7);
    for (int i = 23; i < 26; ++i) topDown[i] = static_cast<char>(0xFF);
    EXPECT_EQ(gui::ReadBmp(topDown), bitmap.ToQImage().mirrored(false, true));
}

TEST_F(PictureTest, CorruptBitmapsRaiseTheGraphicError) {
    TBitmap valid;
    valid.SetSize(4, 3);
    valid.SaveToFile(Path("valid.bmp"));
    const QByteArray good = Read(Path("valid.bmp"));
    auto patched = [&](int at, std::initializer_list<unsigned char> bytes) {
        QByteArray data = good;
        for (unsigned char b : bytes) data[at++] = static_cast<char>(b);
        return data;
    };
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty file", QByteArray()},
        {"no signature", patched(0, {'X', 'M'})},
        {"unknown header size", patched(14, {32})},
        {"width 0", patched(18, {0, 0, 0, 0})},
        {"height 0", patched(22, {0, 0, 0, 0})},
        {"negative width", patched(18, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"two planes", patched(26, {2})},
        {"7 bits per pixel", patched(28, {7})},
        {"run-length compression", patched(30, {1})},
        {"beyond the pixel budget", patched(18, {0, 0, 1, 0})},
        {"huge height", patched(22, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"pixels past the end", patched(10, {0xF0, 0, 0, 0})},
        {"truncated pixels", good.left(good.size() - 1)},
        {"truncated header", good.left(30)},
        {"colour table too large",
         patched(28, {8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 1})},
        {"colour table past the end",
         patched(28, {8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})},
    };
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    for (const auto &[name, data] : cases) {
        SCOPED_TRACE(name);
        Write(Path("bad.bmp"), data);
        EXPECT_THROW(bitmap.LoadFromFile(Path("bad.bmp")), EInvalidGraphic);
        EXPECT_EQ(bitmap.Width(), 2);  // the old image stays
    }
}

TEST_F(PictureTest, JpegFromImageMagickLoadsAndDrawsScaled) {
    const QString jpeg =
        Convert("-size 64x48 xc:red -fill blue -draw 'rectangle 32,0 63,47' -quality 95", "pic.jpeg");
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    picture.LoadFromFile(jpeg);
    EXPECT_EQ(changes, 1);
    ASSERT_NE(dynamic_cast<TJPEGImage *>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 64);
    EXPECT_EQ(picture.Height(), 48);

    TBitmap page;
    page.SetSize(100, 80);
    page.Canvas()->StretchDraw({10, 20, 42, 44}, *picture.Graphic());
    const QImage drawn = page.ToQImage();
    EXPECT_LE(Distance(drawn.pixel(12, 22), qRgb(255, 0, 0)), 8);
    EXPECT_LE(Distance(drawn.pixel(24, 32), qRgb(255, 0, 0)), 24);
    EXPECT_LE(Distance(drawn.pixel(28, 32), qRgb(0, 0, 255)), 24);
    EXPECT_LE(Distance(drawn.pixel(41, 43), qRgb(0, 0, 255)), 8);
    for (const QPoint outside : {QPoint(9, 30), QPoint(42, 30), QPoint(20, 19), QPoint(20, 44)})
        EXPECT_EQ(drawn.pixel(outside), qRgb(255, 255, 255)) << outside.x() << "," << outside.y();

    // Saved again through libjpeg, ImageMagick reads it back.
    picture.SaveToFile(Path("again.jpg"));
    EXPECT_EQ(RunCommand("identify -format '%m %wx%h' '" + Path("again.jpg").toStdString() + "'"),
              "JPEG 64x48");
}

TEST_F(PictureTest, DrawingOnItsBitmapChangesThePicture) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    TBitmap *bitmap = picture.Bitmap();  // an empty picture gets an empty bitmap
    EXPECT_EQ(changes, 1);
    bitmap->SetSize(10, 10);
    bitmap->Canvas()->FillRect({0, 0, 5, 5});
    bitmap->Canvas()->TextOut(0, 0, "x");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(picture.Bitmap(), bitmap);  // the bitmap stays
    EXPECT_EQ(changes, 3);
}

TEST_F(PictureTest, CorruptJpegsRaiseTheGraphicErrorAndKeepThePicture) {
    const QByteArray jpeg = Read(Convert("-size 64x48 gradient:red-blue -quality 90", "good.jpg"));
    ASSERT_GT(jpeg.size(), 200);
    QByteArray zeroWidth = jpeg;
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    zeroWidth[frame + 7] = zeroWidth[frame + 8] = 0;
    const std::pair<const char *, QByteArray> cases[] = {
        {"truncated", jpeg.left(jpeg.size() / 2)},
        {"header only", jpeg.left(20)},
        {"empty", QByteArray()},
        {"not a JPEG", QByteArray("GIF89a not a jpeg at all")},
        {"zero width", zeroWidth},
    };
    TPicture picture;
    picture.LoadFromFile(Path("good.jpg"));
    for (const auto &[name, data] : cases) {
        SCOPED_TRACE(name);
        Write(Path("bad.jpeg"), data);
        EXPECT_THROW(picture.LoadFromFile(Path("bad.jpeg")), EInvalidGraphic);
        EXPECT_EQ(picture.Width(), 64);
    }
}

TEST_F(PictureTest, FormatsAreChosenByExtensionFromAnOpenRegistry) {
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.SaveToFile(Path("UPPER.BMP"));
    TPicture picture;
    picture.LoadFromFile(Path("UPPER.BMP"));
    EXPECT_NE(dynamic_cast<TBitmap *>(picture.Graphic()), nullptr);

    bitmap.SaveToFile(Path("image.tst"));
    EXPECT_THROW(picture.LoadFromFile(Path("image.tst")), EInvalidGraphic);
    int created = 0;
    TPicture::RegisterFileFormat("TST", "Test bitmaps", [&] {
        ++created;
        return std::make_unique<TBitmap>();
    });
    EXPECT_EQ(TPicture::FileFormatDescription("tst"), "Test bitmaps");
    picture.LoadFromFile(Path("image.tst"));
    EXPECT_EQ(created, 1);
    EXPECT_EQ(picture.Width(), 3);
    TPicture::UnregisterFileFormat("tst");
    EXPECT_THROW(picture.LoadFromFile(Path("image.tst")), EInvalidGraphic);
    EXPECT_EQ(TPicture::FileFormatDescription("jpeg"), "JPEG Image File");

    // Asking for the bitmap of a picture of another class gives a new, empty bitmap.
    picture.LoadFromFile(Convert("-size 5x5 xc:white", "white.jpeg"));
    EXPECT_EQ(picture.Bitmap()->Width(), 0);
    EXPECT_THROW(picture.LoadFromFile(Path("missing.bmp")), Exception);
}

}  // namespace
