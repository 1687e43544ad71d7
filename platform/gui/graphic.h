#pragma once
// The picture classes' common base: an image of some file format that knows its size, loads and
// saves itself and gives the pixels a canvas draws. A file or stream that is not a valid image of
// the graphic's format raises EInvalidGraphic and leaves the graphic as it was.
#include <QImage>
#include <QString>
#include <memory>

#include "platform/runtime/errors.h"

class QIODevice;

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class TGraphic {
public:
    virtual ~TGraphic() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    // Reads the device from its position to its end.
    virtual void LoadFromStream(QIODevice &stream) = 0;
    virtual void SaveToStream(QIODevice &stream) const = 0;
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // The pixels to draw.
    virtual QImage ToQImage() const = 0;

protected:
    static void WriteAll(QIODevice &stream, const QByteArray &data);
};
