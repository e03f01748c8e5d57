#include "Artwork.h"

#include <QPainter>

namespace artwork {

QImage iconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::blue);
    return image;
}

QIcon windowIcon() { return QIcon(QPixmap::fromImage(iconImage(32))); }

QCursor crossHair() { return QCursor(Qt::CrossCursor); }
QCursor fourArrows() { return QCursor(Qt::SizeAllCursor); }
QCursor iconPointer() { return QCursor(Qt::PointingHandCursor); }

QPixmap face(Face which, qreal devicePixelRatio) {
    Q_UNUSED(which);
    QPixmap pixmap(QSize(32, 32) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::yellow);
    return pixmap;
}

QPixmap noEntry(qreal devicePixelRatio) {
    QPixmap pixmap(QSize(32, 32) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::red);
    return pixmap;
}

} // namespace artwork
