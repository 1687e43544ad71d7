#include "graphics/component/bitmap_list.h"

#include "graphics/errors.h"

int TBitmapList::Add(std::unique_ptr<TBitmap> bitmap) {
    const int index = GetCount();
    Insert(index, std::move(bitmap));
    return index;
}

void TBitmapList::Insert(int index, std::unique_ptr<TBitmap> bitmap) {
    if (index < 0 || index > GetCount()) throw EAnimateError("Index out of range");
    items_.insert(items_.begin() + index, TItem{std::move(bitmap), {}});
}

void TBitmapList::Delete(int index) {
    if (index < 0 || index >= GetCount()) return;
    items_.erase(items_.begin() + index);
}

TBitmapList::TItem &TBitmapList::Item(int index) {
    if (index < 0 || index >= GetCount()) throw EAnimateError("Index out of range");
    return items_[static_cast<size_t>(index)];
}

const TBitmapList::TItem &TBitmapList::Item(int index) const {
    if (index < 0 || index >= GetCount()) throw EAnimateError("Index out of range");
    return items_[static_cast<size_t>(index)];
}

const TBitmap &TBitmapList::GetItems(int index) const {
    return *Item(index).Bitmap;
}

TPoint TBitmapList::GetOrigin(int index) const {
    return Item(index).Origin;
}

void TBitmapList::SetOrigin(int index, TPoint origin) {
    Item(index).Origin = origin;
}

void TBitmapList::Stretch(int index, int width, int height) {
    TItem &item = Item(index);
    auto stretched = std::make_unique<TBitmap>();
    stretched->SetImage(
        item.Bitmap->ToQImage().scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    item.Bitmap = std::move(stretched);
}
