#pragma once
// A picture holds one graphic of any registered file format. Loading a file picks the graphic
// class by the file's extension (case-insensitive); "bmp" (TBitmap), "jpg" and "jpeg"
// (TJPEGImage) are registered from the start, and other formats register themselves at start-up.
// A file that fails to load leaves the picture as it was.
#include <QString>
#include <functional>
#include <memory>

#include "platform/gui/bitmap.h"
#include "platform/gui/graphic.h"

class TPicture {
public:
    using GraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

    TPicture() = default;
    TPicture(const TPicture &) = delete;
    TPicture &operator=(const TPicture &) = delete;

    // Null when the picture is empty.
    TGraphic *Graphic() const { return graphic_.get(); }
    // A copy of the graphic, or empty for null.
    void SetGraphic(const TGraphic *graphic);
    // The graphic as a bitmap; a graphic of another class is replaced by a new empty bitmap.
    // Drawing on the bitmap's canvas changes the picture (OnChange runs).
    TBitmap *Bitmap();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    void Assign(const TPicture &source) { SetGraphic(source.Graphic()); }
    void LoadFromFile(const QString &fileName);
    // Saves the graphic in its own format; an empty picture saves nothing.
    void SaveToFile(const QString &fileName) const;

    std::function<void()> OnChange;

    // Extension without the dot, e.g. "gif"; registering it again replaces the entry.
    static void RegisterFileFormat(const QString &extension, const QString &description,
                                   GraphicFactory factory);
    static void UnregisterFileFormat(const QString &extension);
    static QString FileFormatDescription(const QString &extension);

private:
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};
