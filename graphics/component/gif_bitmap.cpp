#include "graphics/component/gif_bitmap.h"

#include <QFileDevice>
#include <QFileInfo>

#include "graphics/component/dib_image.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"
#include "platform/gui/picture.h"

namespace {

// The format is known to pictures from start-up to the end of the program.
struct GifFormatRegistration {
    GifFormatRegistration() {
        TPicture::RegisterFileFormat("gif", "Compuserve GIF Image",
                                     [] { return std::make_unique<TGIFBitmap>(); });
    }
    ~GifFormatRegistration() { TPicture::UnregisterFileFormat("gif"); }
};

const GifFormatRegistration registration;

// Saving to a file of another extension writes the framework's own bitmap format.
bool SavesAsBitmap(const QIODevice &stream) {
    const auto *file = dynamic_cast<const QFileDevice *>(&stream);
    return file && QFileInfo(file->fileName()).suffix().compare("gif", Qt::CaseInsensitive) != 0;
}

}  // namespace

void TGIFBitmap::LoadFromStream(QIODevice &stream) {
    const QByteArray bytes = stream.readAll();
    graphics::TMemoryStream input(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    std::unique_ptr<TDeviceIndependentBitmap> dib;
    try {
        TZUB_GIFDecompressor reader;
        dib = reader.ReadDIBitmapFromStream(input, dt8bit);
    } catch (const Exception &e) {
        throw EInvalidGraphic(e.what());
    }
    if (!dib) throw EInvalidGraphic("An image block was expected in the GIF stream, but not found");
    SetImage(graphics::ImageFromDIB(*dib));
}

void TGIFBitmap::SaveToStream(QIODevice &stream) const {
    if (SavesAsBitmap(stream)) {
        TBitmap::SaveToStream(stream);
        return;
    }
    graphics::TMemoryStream output;
    try {
        TZUB_GIFCompressor writer;
        writer.SaveDIBToStream(graphics::DIBFromImage(ToQImage()), output);
        writer.CloseImageStream();
    } catch (const Exception &e) {
        throw EInvalidGraphic(e.what());
    }
    const std::vector<uint8_t> &bytes = output.Bytes();
    WriteAll(stream,
             QByteArray(reinterpret_cast<const char *>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}
