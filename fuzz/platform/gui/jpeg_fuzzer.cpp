// Any bytes read as JPEG give an image or the graphic error; libjpeg never ends the process.
#include <cstddef>
#include <cstdint>

#include "platform/gui/graphic.h"
#include "platform/gui/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    try {
        const QImage image =
            gui::ReadJpeg(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
        if (image.isNull()) __builtin_trap();
    } catch (const EInvalidGraphic &) {
    }
    return 0;
}
