#pragma once
// The image reader and writer engines of the library. An engine borrows one stream at a time,
// reports progress in steps of at least 5 percent and can be aborted: the abort takes effect at
// the next progress report and ends the operation with "User Abort".
#include <functional>
#include <memory>
#include <string>

#include "graphics/dib.h"
#include "graphics/stream.h"

class TZUBGraphicsEngine;

using TProgressEvent = std::function<void(TZUBGraphicsEngine &sender)>;
using TErrorEvent =
    std::function<void(TZUBGraphicsEngine &sender, int errorCode, const std::string &message)>;

class TZUBGraphicsEngine {
public:
    TZUBGraphicsEngine() = default;
    TZUBGraphicsEngine(const TZUBGraphicsEngine &) = delete;
    TZUBGraphicsEngine &operator=(const TZUBGraphicsEngine &) = delete;
    // Descendants close their stream in their own destructor, while their overrides still exist.
    virtual ~TZUBGraphicsEngine() = default;

    virtual int GetPercentDone() const = 0;
    virtual void Warning(int code, const std::string &message);
    // Reports when the percentage moved 5 or more above the last report, or fell below it.
    virtual void DoProgress();
    virtual void OpenImageStream(graphics::TStream &stream);
    // Forgets the stream (which stays open: it belongs to the caller) and clears the abort.
    virtual void CloseImageStream();
    void Abort() { aborted_ = true; }

    graphics::TStream *ImageStream() const { return imageStream_; }

    // Runs `work` on the file opened in `mode`, then closes the engine's stream, also when an
    // error passes: the file goes away with this call and the engine must not keep it.
    void OnFile(const std::string &fileName, graphics::TFileMode mode,
                const std::function<void(graphics::TStream &)> &work);

    TProgressEvent OnProgressReport;
    TErrorEvent OnWarning;

protected:
    // The stream held; raises Exception "No image stream is open" when there is none.
    graphics::TStream &Stream() const;

private:
    graphics::TStream *imageStream_ = nullptr;
    int lastPercentage_ = 0;
    bool aborted_ = false;
};

class TZUBGraphicsCompressor : public TZUBGraphicsEngine {
public:
    // The DIB format the writer wants its input in.
    virtual TDIBFormat GetInputType() const = 0;
    // Encodes one DIB to the stream held.
    virtual void WriteDIBitmap(const TDeviceIndependentBitmap &dib) = 0;

    void SaveDIBToStream(const TDeviceIndependentBitmap &dib, graphics::TStream &stream);
    // Creates the file, writes the DIB and closes the engine's stream, also when an error passes.
    void SaveDIBtoFile(const TDeviceIndependentBitmap &dib, const std::string &fileName);
};

class TZUBGraphicsDecompressor : public TZUBGraphicsEngine {
public:
    virtual bool GetEOF() const = 0;
    virtual std::string GetResourceType() const = 0;
    // The next image of the stream as a new DIB, or none.
    virtual std::unique_ptr<TDeviceIndependentBitmap> ReadDIBitmap(TDIBFormat format) = 0;

    std::unique_ptr<TDeviceIndependentBitmap> ReadDIBitmapFromStream(graphics::TStream &stream,
                                                                     TDIBFormat format);
    // Opens the file, reads its first image and closes the engine's stream, also on error.
    std::unique_ptr<TDeviceIndependentBitmap> ReadDIBitmapFromFile(const std::string &fileName,
                                                                   TDIBFormat format);

    void SetOutputType(TDIBFormat format) { OutputType = format; }
    TDIBFormat OutputType = dt24bit;
};
