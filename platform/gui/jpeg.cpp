#include "platform/gui/jpeg.h"

#include <QIODevice>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "platform/gui/bmp.h"

namespace gui {
namespace {

// libjpeg reports errors through this manager; the handlers jump back to the call that set
// `jump`. The functions that set it keep no objects with destructors in their own frame.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void OnJpegError(j_common_ptr info) {
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings mean corrupt data (a premature end among them): treated as errors. Trace messages are
// dropped.
extern "C" void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0) OnJpegError(info);
}

jpeg_error_mgr *UseErrorManager(ErrorManager &errors) {
    jpeg_error_mgr *base = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.emit_message = OnJpegMessage;
    errors.message[0] = '\0';
    return base;
}

[[noreturn]] void Fail(const char *message) {
    throw EInvalidGraphic(std::string("JPEG error: ") + message);
}

bool Decode(jpeg_decompress_struct &info, ErrorManager &errors, const QByteArray &file, QImage &image) {
    if (setjmp(errors.jump)) return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(file.constData()),
                 static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    if (static_cast<long long>(info.image_width) * info.image_height > kMaxBitmapPixels) {
        std::snprintf(errors.message, sizeof errors.message, "image too large");
        return false;
    }
    info.out_color_space = JCS_EXT_BGRX;  // the byte order of QImage::Format_RGB32
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
    if (image.isNull()) {
        std::snprintf(errors.message, sizeof errors.message, "out of memory");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool Encode(jpeg_compress_struct &info, ErrorManager &errors, const QImage &image, int quality,
            unsigned char *&buffer, unsigned long &size) {
    if (setjmp(errors.jump)) return false;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width());
    info.image_height = static_cast<JDIMENSION>(image.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

QImage ReadJpeg(const QByteArray &file) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = UseErrorManager(errors);
    jpeg_create_decompress(&info);
    QImage image;
    const bool decoded = Decode(info, errors, file, image);
    jpeg_destroy_decompress(&info);
    if (!decoded) Fail(errors.message);
    return image;
}

QByteArray WriteJpeg(const QImage &source, int quality) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) Fail("empty image");
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = UseErrorManager(errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = Encode(info, errors, image, quality, buffer, size);
    jpeg_destroy_compress(&info);
    QByteArray out = encoded
                         ? QByteArray(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size))
                         : QByteArray();
    std::free(buffer);
    if (!encoded) Fail(errors.message);
    return out;
}

}  // namespace gui

void TJPEGImage::SetCompressionQuality(int quality) {
    quality_ = std::clamp(quality, 1, 100);
}

void TJPEGImage::LoadFromStream(QIODevice &stream) {
    image_ = gui::ReadJpeg(stream.readAll());
}

void TJPEGImage::SaveToStream(QIODevice &stream) const {
    WriteAll(stream, gui::WriteJpeg(image_, quality_));
}
