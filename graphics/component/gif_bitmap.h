#pragma once
// The framework bitmap of the "gif" picture format ("Compuserve GIF Image"), registered with the
// picture class while the program runs. It loads the first image of a GIF stream and saves
// itself as a one-image GIF, or as a BMP when saved to a file whose extension is not ".gif".
#include "platform/gui/bitmap.h"

class TGIFBitmap : public TBitmap {
public:
    // A stream that is not a readable GIF raises EInvalidGraphic; the bitmap keeps its image.
    void LoadFromStream(QIODevice &stream) override;
    void SaveToStream(QIODevice &stream) const override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TGIFBitmap>(*this); }
};
