#pragma once
// Bitmaps with the place each is drawn at: the prepared frames and masks of an animation.
#include <memory>
#include <vector>

#include "platform/gui/bitmap.h"

class TBitmapList {
public:
    int Add(std::unique_ptr<TBitmap> bitmap);
    // index in 0..count, else EAnimateError "Index out of range"; the origin starts at (0, 0).
    void Insert(int index, std::unique_ptr<TBitmap> bitmap);
    // An index outside the list is ignored.
    void Delete(int index);
    void Clear() { items_.clear(); }
    int GetCount() const { return static_cast<int>(items_.size()); }

    const TBitmap &GetItems(int index) const;
    TPoint GetOrigin(int index) const;
    void SetOrigin(int index, TPoint origin);
    // Replaces the bitmap by a copy stretched (nearest pixel) to the size.
    void Stretch(int index, int width, int height);

private:
    struct TItem {
        std::unique_ptr<TBitmap> Bitmap;
        TPoint Origin;
    };
    TItem &Item(int index);
    const TItem &Item(int index) const;

    std::vector<TItem> items_;
};
