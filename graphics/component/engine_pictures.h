#pragma once
// The image engines on the framework's bitmaps and pictures: a writer encodes a bitmap (stretched
// to a size when asked) or a picture's bitmap, a reader decodes into a bitmap or a picture; the
// file forms open the file around one operation. Crop and resize make new framework bitmaps.
#include <QRect>
#include <memory>
#include <string>

#include "graphics/engine.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/picture.h"

namespace graphics {

// Writers.
void WriteBitmap(TZUBGraphicsCompressor &writer, const TBitmap &bitmap);
void WriteStretchedBitmap(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, int width, int height);
void SaveBitMapToStream(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, TStream &stream);
void SaveStretchedBitMapToStream(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, int width, int height,
                                 TStream &stream);
// A picture without a bitmap graphic raises "The Image Property is empty!".
void SavePictureToStream(TZUBGraphicsCompressor &writer, const TPicture &picture, TStream &stream);
void SaveStretchedPictureToStream(TZUBGraphicsCompressor &writer, const TPicture &picture, int width, int height,
                                  TStream &stream);
void SaveBitmapToFile(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, const std::string &fileName);
void SavePictureToFile(TZUBGraphicsCompressor &writer, const TPicture &picture, const std::string &fileName);
void SaveStretchedBitmapToFile(TZUBGraphicsCompressor &writer, const TBitmap &bitmap, int width, int height,
                               const std::string &fileName);
void SaveStretchedPictureToFile(TZUBGraphicsCompressor &writer, const TPicture &picture, int width, int height,
                                const std::string &fileName);

// Readers. The bitmap read takes the depth the screen shows: 8 bits on a palette screen, 4 bits
// on a 16-bit screen, 24 bits otherwise; none when the stream holds no further image.
std::unique_ptr<TBitmap> ReadBitMapFromStream(TZUBGraphicsDecompressor &reader, TStream &stream);
// No picture raises "The Image Property is empty!".
void LoadPictureFromStream(TZUBGraphicsDecompressor &reader, TPicture *picture, TStream &stream);
void LoadPictureFromFile(TZUBGraphicsDecompressor &reader, TPicture *picture, const std::string &fileName);
// From the program's own embedded resources, stored under ":/<resource type>/<name or number>";
// a missing resource raises "Resource <name> not found".
void LoadPictureFromResource(TZUBGraphicsDecompressor &reader, TPicture *picture, const std::string &name);
void LoadPictureFromResID(TZUBGraphicsDecompressor &reader, TPicture *picture, int id);

// The source rectangle of the bitmap scaled to width x height, and the whole bitmap scaled.
std::unique_ptr<TBitmap> CropBitmap(const TBitmap &bitmap, int width, int height, const QRect &source);
std::unique_ptr<TBitmap> ReSizeBitmap(const TBitmap &bitmap, int width, int height);

}  // namespace graphics
