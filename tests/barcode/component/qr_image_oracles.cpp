#include "barcode/component/qr_image_oracles.h"

#include <ZXing/ReadBarcode.h>

#include <QDir>
#include <algorithm>

#include "platform/gui/gui_test_support.h"

namespace qrtest {

namespace {

std::string Quoted(const QString &path) {
    return "'" + path.toStdString() + "'";
}

ZXing::ImageView GreyView(const QImage &grey) {
    return ZXing::ImageView(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                            static_cast<int>(grey.bytesPerLine()));
}

ZXing::DecodeHints QrHints() {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    return hints;
}

std::string BytesOf(const ZXing::Result &result) {
    const ZXing::ByteArray &bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::optional<std::string> ZxingBytes(const QImage &image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::Result result = ZXing::ReadBarcode(GreyView(grey), QrHints());
    if (!result.isValid()) return std::nullopt;
    return BytesOf(result);
}

std::vector<std::string> ZxingAllBytes(const QImage &image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<std::string> codes;
    for (const ZXing::Result &result : ZXing::ReadBarcodes(GreyView(grey), QrHints())) codes.push_back(BytesOf(result));
    std::sort(codes.begin(), codes.end());
    return codes;
}

std::optional<std::string> ZbarBytes(const QImage &image, const QString &folder) {
    const QString file = QDir(folder).filePath("symbol.png");
    if (!image.save(file)) return std::nullopt;
    // The exit status is lost in the pipe; a marker line tells a read symbol from none. With
    // -Sbinary zbarimg writes the bytes alone, without a line feed after them.
    std::string output = RunCommand("zbarimg --raw -q -Sbinary " + Quoted(file) + " && echo; echo ZBAR-END");
    const std::string marker = "\nZBAR-END\n";
    if (output.size() < marker.size() + 1 ||
        output.compare(output.size() - marker.size(), marker.size(), marker))
        return std::nullopt;
    output.resize(output.size() - marker.size());
    return output;
}

QImage RenderPdfRegion(const QString &pdf, int page, int dpi, int x, int y, int width, int height) {
    const QString stem = pdf + "-region";
    RunCommand("pdftoppm -gray -aa no -aaVector no -singlefile -r " + std::to_string(dpi) + " -f " +
               std::to_string(page) + " -l " + std::to_string(page) + " -x " + std::to_string(x) + " -y " +
               std::to_string(y) + " -W " + std::to_string(width) + " -H " + std::to_string(height) + " " +
               Quoted(pdf) + " " + Quoted(stem));
    return QImage(stem + ".pgm");
}

}  // namespace qrtest
