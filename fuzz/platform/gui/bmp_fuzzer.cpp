// Any bytes read as a Windows bitmap give an image or the graphic error, nothing else.
#include <cstddef>
#include <cstdint>

#include "platform/gui/bmp.h"
#include "platform/gui/graphic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    try {
        const QImage image =
            gui::ReadBmp(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
        if (image.isNull()) __builtin_trap();
    } catch (const EInvalidGraphic &) {
    }
    return 0;
}
