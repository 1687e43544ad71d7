#pragma once
// Device-independent bitmaps and the framework's bitmaps, pictures and clipboard, both ways.
#include <memory>

#include "graphics/dib.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/picture.h"

namespace graphics {

// A white framework bitmap of width x height.
std::unique_ptr<TBitmap> CreateBitmap(int width, int height);
// The bitmap's pixels as a new framework bitmap, through its BMP form as a bitmap file is read.
std::unique_ptr<TBitmap> AsBitmap(const TDeviceIndependentBitmap &dib);

// Fills the DIB in its own format and size from the framework bitmap's pixels; an indexed DIB
// gets a palette made from the bitmap's colours (exact when they fit its table).
void Bitmap2DIB(TDeviceIndependentBitmap &dib, const TBitmap &bitmap);
// The DIB made anew in `format` at the bitmap's size and filled from it.
void LoadBitmap(TDeviceIndependentBitmap &dib, TDIBFormat format, const TBitmap &bitmap);
TDeviceIndependentBitmap DIBFromBitmap(const TBitmap &bitmap, TDIBFormat format);

// A framework bitmap or picture takes the DIB's pixels.
void AssignTo(const TDeviceIndependentBitmap &dib, TBitmap &bitmap);
void AssignTo(const TDeviceIndependentBitmap &dib, TPicture &picture);
// The DIB takes a framework bitmap's or picture's pixels in its current format; a picture
// without a graphic raises EDIBError.
void Assign(TDeviceIndependentBitmap &dib, const TBitmap &bitmap);
void Assign(TDeviceIndependentBitmap &dib, TPicture &picture);

// The DIB on the clipboard in the DIB format (also as an image for other programs), and back;
// a clipboard without a DIB raises EDIBError "Clipboard does not contain a DIB!".
void CopyToClipboard(const TDeviceIndependentBitmap &dib);
void PasteFromClipboard(TDeviceIndependentBitmap &dib);

}  // namespace graphics
