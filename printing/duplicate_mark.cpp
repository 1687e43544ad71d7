#include "printing/duplicate_mark.h"

#include <QFont>
#include <QPainter>

namespace printing {

QImage DuplicateWatermark() {
    QImage image(847, 1081, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Times New Roman");
    font.setPixelSize(190);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0xD8, 0xD8, 0xD8));
    painter.translate(image.width() / 2.0, image.height() / 2.0);
    painter.rotate(-52);  // along the diagonal, rising to the right
    const QRectF box(-700, -150, 1400, 300);
    painter.drawText(box, Qt::AlignCenter, "DUPLIKAT");
    return image;
}

}  // namespace printing
