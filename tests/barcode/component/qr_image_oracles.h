#pragma once
// Outside readers of the symbols the component draws: ZXing in process, zbarimg and poppler's
// pdftoppm as programs.
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace qrtest {

// The raw bytes ZXing reads from the image's QR Code.
std::optional<std::string> ZxingBytes(const QImage &image);
// The raw bytes of every QR Code ZXing finds on the image, sorted.
std::vector<std::string> ZxingAllBytes(const QImage &image);

// The raw bytes `zbarimg --raw -Sbinary` reads from the image (saved as a PNG in `folder`).
std::optional<std::string> ZbarBytes(const QImage &image, const QString &folder);

// A region of a PDF page rendered in grey at `dpi` without anti-aliasing.
QImage RenderPdfRegion(const QString &pdf, int page, int dpi, int x, int y, int width, int height);

}  // namespace qrtest
