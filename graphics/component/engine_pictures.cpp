#include "graphics/component/engine_pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include "graphics/component/bitmap_interop.h"
#include "platform/gui/application.h"
#include "platform/runtime/errors.h"

namespace graphics {

namespace {

const char kImageEmpty[] = "The Image Property is empty!";

// The picture's graphic as a bitmap, or the error of an empty image property.
const TBitmap &PictureBitmap(const TPicture &picture) {
    const auto *bitmap = dynamic_cast<const TBitmap *>(picture.Graphic());
    if (bitmap == nullptr) throw Exception(kImageEmpty);
    return *bitmap;
}

// The depth a decoded bitmap takes on the screen the program shows.
TDIBFormat ScreenFormat() {
    gui::EnsureQtApplication();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth = screen != nullptr ? screen->depth() : 24;
    if (depth <= 8) return dt8bit;
    return depth == 16 ? dt4bit : dt24bit;
}

}  // namespace

void WriteBitmap(TZUBGraphicsCompressor &writer, const TBitmap &bitmap) {
    writer.WriteDIBitmap(DIBFromBitmap(bitmap, writer.GetInputType()));
}

void WriteStretchedBitmap(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, int width, int height) {
    WriteBitmap(writer, *ReSizeBitmap(bitmap, width, height));
}

void SaveBitMapToStream(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, TStream &stream) {
    writer.OpenImageStream(stream);
    WriteBitmap(writer, bitmap);
}

void SaveStretchedBitMapToStream(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, int width, int height,
                                 TStream &stream) {
    writer.OpenImageStream(stream);
    WriteStretchedBitmap(writer, bitmap, width, height);
}

void SavePictureToStream(TZUBGraphicsCompressor &writer, const TPicture &picture, TStream &stream) {
    SaveBitMapToStream(writer, PictureBitmap(picture), stream);
}

void SaveStretchedPictureToStream(TZUBGraphicsCompressor &writer, const TPicture &picture, int width, int height,
                                  TStream &stream) {
    writer.OpenImageStream(stream);
    SaveStretchedBitMapToStream(writer, PictureBitmap(picture), width, height, stream);
}

void SaveBitmapToFile(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, const std::string &fileName) {
    writer.OnFile(fileName, TFileMode::fmCreate, [&](TStream &file) { SaveBitMapToStream(writer, bitmap, file); });
}

void SavePictureToFile(TZUBGraphicsCompressor &writer, const TPicture &picture, const std::string &fileName) {
    writer.OnFile(fileName, TFileMode::fmCreate, [&](TStream &file) { SavePictureToStream(writer, picture, file); });
}

void SaveStretchedBitmapToFile(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, int width, int height,
                               const std::string &fileName) {
    writer.OnFile(fileName, TFileMode::fmCreate,
                  [&](TStream &file) { SaveStretchedBitMapToStream(writer, bitmap, width, height, file); });
}

void SaveStretchedPictureToFile(TZUBGraphicsCompressor &writer, const TPicture &picture, int width, int height,
                                const std::string &fileName) {
    writer.OnFile(fileName, TFileMode::fmCreate,
                  [&](TStream &file) { SaveStretchedPictureToStream(writer, picture, width, height, file); });
}

std::unique_ptr<TBitmap> ReadBitMapFromStream(TZUBGraphicsDecompressor &reader, TStream &stream) {
    reader.OpenImageStream(stream);
    const std::unique_ptr<TDeviceIndependentBitmap> dib = reader.ReadDIBitmap(ScreenFormat());
    return dib ? AsBitmap(*dib) : nullptr;
}

void LoadPictureFromStream(TZUBGraphicsDecompressor &reader, TPicture *picture, TStream &stream) {
    if (picture == nullptr) throw Exception(kImageEmpty);
    const std::unique_ptr<TBitmap> bitmap = ReadBitMapFromStream(reader, stream);
    picture->SetGraphic(bitmap.get());
}

void LoadPictureFromFile(TZUBGraphicsDecompressor &reader, TPicture *picture, const std::string &fileName) {
    reader.OnFile(fileName, TFileMode::fmOpenRead,
                  [&](TStream &file) { LoadPictureFromStream(reader, picture, file); });
}

void LoadPictureFromResource(TZUBGraphicsDecompressor &reader, TPicture *picture, const std::string &name) {
    QFile resource(QStringLiteral(":/%1/%2").arg(QString::fromStdString(reader.GetResourceType()),
                                                 QString::fromStdString(name)));
    if (!resource.open(QIODevice::ReadOnly)) throw Exception("Resource " + name + " not found");
    const QByteArray bytes = resource.readAll();
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    try {
        LoadPictureFromStream(reader, picture, stream);
    } catch (...) {
        reader.CloseImageStream();
        throw;
    }
    reader.CloseImageStream();
}

void LoadPictureFromResID(TZUBGraphicsDecompressor &reader, TPicture *picture, int id) {
    LoadPictureFromResource(reader, picture, std::to_string(id));
}

std::unique_ptr<TBitmap> CropBitmap(const TBitmap &bitmap, int width, int height, const QRect &source) {
    auto result = CreateBitmap(width, height);
    if (width > 0 && height > 0 && !source.isEmpty())
        result->SetImage(bitmap.ToQImage().copy(source).scaled(width, height, Qt::IgnoreAspectRatio,
                                                              Qt::FastTransformation));
    return result;
}

std::unique_ptr<TBitmap> ReSizeBitmap(const TBitmap &bitmap, int width, int height) {
    return CropBitmap(bitmap, width, height, QRect(0, 0, bitmap.Width(), bitmap.Height()));
}

}  // namespace graphics
