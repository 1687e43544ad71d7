#pragma once
// Device-independent bitmaps and the framework's images, both ways.
#include <QImage>

#include "graphics/dib.h"

namespace graphics {

// The bitmap's colours as a 32-bit image; indexes beyond the colour table are black.
QImage ImageFromDIB(const TDeviceIndependentBitmap &dib);
// A 24-bit bitmap of the image's colours; an image without pixels raises EDIBError.
TDeviceIndependentBitmap DIBFromImage(const QImage &image);

}  // namespace graphics
