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

void TZUBGraphicsCompressor::SaveDIBtoFile(const TDeviceIndependentBitmap &dib, const std::string &fileName) {
    graphics::TFileStream file(fileName, graphics::TFileMode::fmCreate);
    try {
        SaveDIBToStream(dib, file);
    } catch (...) {
        // The stream goes away with this call: the engine must not keep it.
        CloseImageStream();
        throw;
    }
    CloseImageStream();
}

std::unique_ptr<TDeviceIndependentBitmap> TZUBGraphicsDecompressor::ReadDIBitmapFromStream(
    graphics::TStream &stream, TDIBFormat format) {
    OpenImageStream(stream);
    return ReadDIBitmap(format);
}

std::unique_ptr<TDeviceIndependentBitmap> TZUBGraphicsDecompressor::ReadDIBitmapFromFile(
    const std::string &fileName, TDIBFormat format) {
    graphics::TFileStream file(fileName, graphics::TFileMode::fmOpenRead);
    std::unique_ptr<TDeviceIndependentBitmap> dib;
    try {
        dib = ReadDIBitmapFromStream(file, format);
    } catch (...) {
        CloseImageStream();
        throw;
    }
    CloseImageStream();
    return dib;
}
