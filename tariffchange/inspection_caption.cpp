#include "tariffchange/inspection_caption.h"

#include <QFont>
#include <QPainter>

namespace tariffchange {

QImage InspectionCaption() {
    constexpr int kScale = 4;
    QImage image(37 * kScale, 329 * kScale, QImage::Format_RGB888);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Times New Roman");
    font.setPixelSize(24 * kScale);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    // Turned a quarter to the left: the text runs up the strip.
    painter.translate(0, image.height());
    painter.rotate(-90);
    painter.drawText(QRectF(0, 0, image.height(), image.width()), Qt::AlignCenter, "Oględziny zewnętrzne:");
    return image;
}

}  // namespace tariffchange
