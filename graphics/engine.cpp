#include "graphics/engine.h"

#include "platform/runtime/errors.h"

void TZUBGraphicsEngine::Warning(int code, const std::string &message) {
    if (OnWarning) OnWarning(*this, code, message);
}

void TZUBGraphicsEngine::DoProgress() {
    const int percent = GetPercentDone();
    if (percent >= lastPercentage_ && percent - lastPercentage_ < 5) return;
    if (OnProgressReport) OnProgressReport(*this);
    lastPercentage_ = GetPercentDone();
    if (aborted_) throw Exception("User Abort");
}

void TZUBGraphicsEngine::OpenImageStream(graphics::TStream &stream) {
    if (imageStream_ && imageStream_ != &stream) CloseImageStream();
    imageStream_ = &stream;
}

graphics::TStream &TZUBGraphicsEngine::Stream() const {
    if (!imageStream_) throw Exception("No image stream is open");
    return *imageStream_;
}

void TZUBGraphicsEngine::CloseImageStream() {
    aborted_ = false;
    imageStream_ = nullptr;
}

void TZUBGraphicsCompressor::SaveDIBToStream(const TDeviceIndependentBitmap &dib, graphics::TStream &stream) {
    OpenImageStream(stream);
    WriteDIBitmap(dib);
}

void TZUBGraphicsEngine::OnFile(const std::string &fileName, graphics::TFileMode mode,
                                const std::function<void(graphics::TStream &)> &work) {
    graphics::TFileStream file(fileName, mode);
    try {
        work(file);
    } catch (...) {
        CloseImageStream();
        throw;
    }
    CloseImageStream();
}

void TZUBGraphicsCompressor::SaveDIBtoFile(const TDeviceIndependentBitmap &dib, const std::string &fileName) {
    OnFile(fileName, graphics::TFileMode::fmCreate, [&](graphics::TStream &file) { SaveDIBToStream(dib, file); });
}

std::unique_ptr<TDeviceIndependentBitmap> TZUBGraphicsDecompressor::ReadDIBitmapFromStream(
    graphics::TStream &stream, TDIBFormat format) {
    OpenImageStream(stream);
    return ReadDIBitmap(format);
}

std::unique_ptr<TDeviceIndependentBitmap> TZUBGraphicsDecompressor::ReadDIBitmapFromFile(
    const std::string &fileName, TDIBFormat format) {
    std::unique_ptr<TDeviceIndependentBitmap> dib;
    OnFile(fileName, graphics::TFileMode::fmOpenRead,
           [&](graphics::TStream &file) { dib = ReadDIBitmapFromStream(file, format); });
    return dib;
}
