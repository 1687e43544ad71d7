#include "platform/gui/picture.h"

#include <QFileInfo>
#include <map>

#include "platform/gui/jpeg.h"

namespace {

struct FileFormat {
    QString description;
    TPicture::GraphicFactory factory;
};

std::map<QString, FileFormat> &FileFormats() {
    static std::map<QString, FileFormat> formats = [] {
        std::map<QString, FileFormat> built;
        built["bmp"] = {"Bitmaps", [] { return std::make_unique<TBitmap>(); }};
        const TPicture::GraphicFactory jpeg = [] { return std::make_unique<TJPEGImage>(); };
        built["jpg"] = {"JPEG Image File", jpeg};
        built["jpeg"] = {"JPEG Image File", jpeg};
        return built;
    }();
    return formats;
}

}  // namespace

void TPicture::SetGraphic(const TGraphic *graphic) {
    graphic_ = graphic ? graphic->Clone() : nullptr;
    Changed();
}

TBitmap *TPicture::Bitmap() {
    auto *bitmap = dynamic_cast<TBitmap *>(graphic_.get());
    if (!bitmap) {
        graphic_ = std::make_unique<TBitmap>();
        bitmap = static_cast<TBitmap *>(graphic_.get());
        Changed();
    }
    bitmap->Canvas()->OnChange = [this] { Changed(); };
    return bitmap;
}

void TPicture::LoadFromFile(const QString &fileName) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    const auto format = FileFormats().find(extension);
    if (format == FileFormats().end())
        throw EInvalidGraphic(QString("Unknown picture file extension (.%1)").arg(extension).toStdString());
    std::unique_ptr<TGraphic> graphic = format->second.factory();
    graphic->LoadFromFile(fileName);
    graphic_ = std::move(graphic);
    Changed();
}

void TPicture::SaveToFile(const QString &fileName) const {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::RegisterFileFormat(const QString &extension, const QString &description,
                                  GraphicFactory factory) {
    FileFormats()[extension.toLower()] = {description, std::move(factory)};
}

void TPicture::UnregisterFileFormat(const QString &extension) {
    FileFormats().erase(extension.toLower());
}

QString TPicture::FileFormatDescription(const QString &extension) {
    const auto format = FileFormats().find(extension.toLower());
    return format == FileFormats().end() ? QString() : format->second.description;
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}
