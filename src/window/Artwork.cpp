// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Artwork.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <QTransform>

#include <map>
#include <utility>

namespace artwork {

namespace {

constexpr int kSide = 32;

const QColor kIconBlueLight(0x4A, 0x8C, 0xFF);
const QColor kIconBlueDark(0x08, 0x1C, 0x8A);
const QColor kTeal(0x00, 0x9C, 0x9C);
const QColor kTealLight(0x4C, 0xD2, 0xCC);
const QColor kCyan(0x00, 0xFF, 0xFF);
const QColor kArrowBlue(0x10, 0x38, 0xE8);
const QColor kInk(0x3A, 0x2A, 0x00);

enum class Picture { Smiling, Straight, Laughing, NoEntry, CrossHair, FourArrows, IconPointer };

// Ratios are kept to two decimals, which is finer than any screen's scale steps.
using Key = std::pair<Picture, int>;
Key keyFor(Picture picture, qreal ratio) {
    return {picture, qRound(ratio * 100)};
}

qreal primaryRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

// A transparent 32 x 32 logical canvas; painting on it is in logical pixels.
QImage blankCanvas(qreal ratio) {
    const int pixels = qRound(kSide * ratio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// The digit as one stroke in a 32-unit box: the loop, then the stem that rises from its left side
// and hooks over to the right.
QPainterPath sixStroke() {
    QPainterPath path;
    path.addEllipse(QPointF(16.2, 20.2), 6.0, 5.9);
    path.moveTo(10.2, 20.2);
    path.cubicTo(10.2, 12.0, 13.4, 6.6, 20.8, 6.6);
    return path;
}

void drawFace(QPainter& painter, Picture which) {
    const QPointF centre(16, 16);
    QRadialGradient skin(QPointF(12, 10.5), 17);
    skin.setColorAt(0.0, QColor(0xFF, 0xF6, 0xA0));
    skin.setColorAt(0.45, QColor(0xFF, 0xDC, 0x10));
    skin.setColorAt(1.0, QColor(0xEC, 0xAC, 0x00));
    painter.setPen(QPen(QColor(0x7A, 0x58, 0x00), 1.2));
    painter.setBrush(skin);
    painter.drawEllipse(centre, 14.4, 14.4);

    QPen ink(kInk, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (which == Picture::Laughing) {
        // Eyes squeezed shut by the laugh.
        painter.setPen(ink);
        painter.setBrush(Qt::NoBrush);
        QPainterPath eyes;
        eyes.moveTo(8.8, 13.4);
        eyes.quadTo(11.4, 8.6, 14.0, 13.4);
        eyes.moveTo(18.0, 13.4);
        eyes.quadTo(20.6, 8.6, 23.2, 13.4);
        painter.drawPath(eyes);

        QPainterPath mouth;
        mouth.moveTo(8.2, 17.4);
        mouth.lineTo(23.8, 17.4);
        mouth.cubicTo(23.8, 24.6, 20.4, 28.2, 16.0, 28.2);
        mouth.cubicTo(11.6, 28.2, 8.2, 24.6, 8.2, 17.4);
        mouth.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x7C, 0x14, 0x00));
        painter.drawPath(mouth);
        painter.save();
        painter.setClipPath(mouth);
        painter.fillRect(QRectF(8, 17.4, 16, 2.4), Qt::white);
        painter.setBrush(QColor(0xFF, 0x70, 0x6C));
        painter.drawEllipse(QPointF(16, 27.0), 4.2, 2.8);
        painter.restore();
        painter.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(mouth);
        return;
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(QPointF(11.4, 12.4), 1.9, 2.7);
    painter.drawEllipse(QPointF(20.6, 12.4), 1.9, 2.7);
    painter.setPen(ink);
    painter.setBrush(Qt::NoBrush);
    if (which == Picture::Smiling) {
        QPainterPath mouth;
        mouth.moveTo(9.2, 18.8);
        mouth.quadTo(16.0, 27.0, 22.8, 18.8);
        painter.drawPath(mouth);
    } else {
        painter.drawLine(QPointF(10.6, 21.6), QPointF(21.4, 21.6));
    }
}

void drawNoEntry(QPainter& painter) {
    QRadialGradient paint(QPointF(12, 10), 19);
    paint.setColorAt(0.0, QColor(0xFF, 0x50, 0x48));
    paint.setColorAt(0.6, QColor(0xE0, 0x0C, 0x0C));
    paint.setColorAt(1.0, QColor(0xB0, 0x00, 0x00));
    painter.setPen(QPen(QColor(0x68, 0x00, 0x00), 1.2));
    painter.setBrush(paint);
    painter.drawEllipse(QPointF(16, 16), 14.4, 14.4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(6.5, 13.4, 19, 5.2), 1.0, 1.0);
}

// Drawn in whole logical pixels, each mark with a one-pixel white halo so the pointer shows on dark
// and light ground alike; the halos go down first so none covers a black line.
void drawCrossHair(QPainter& painter) {
    const QRect centre(16, 16, 1, 1);
    const QList<QRect> marks = {
        // The arms, stopping three pixels short of the centre dot.
        QRect(2, 16, 11, 1), QRect(20, 16, 11, 1), QRect(16, 2, 1, 11), QRect(16, 20, 1, 11),
        // One tick across each arm, as on a gun sight.
        QRect(8, 14, 1, 5), QRect(24, 14, 1, 5), QRect(14, 8, 5, 1), QRect(14, 24, 5, 1)};
    for (const QRect& mark : marks)
        painter.fillRect(mark.adjusted(-1, -1, 1, 1), Qt::white);
    for (const QRect& mark : marks)
        painter.fillRect(mark, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.0));
    painter.setBrush(QColor(0xE8, 0x00, 0x00));
    painter.drawEllipse(QRectF(centre).center(), 2.4, 2.4);
}

void drawFourArrows(QPainter& painter) {
    // Centred on the corner of the hot spot pixel so that shafts and heads fall on whole pixels.
    const QPointF centre(10, 10);
    // One arrow pointing right from the centre; the others are it turned about the centre.
    QPainterPath arrow;
    arrow.moveTo(4.0, -1.0);
    arrow.lineTo(6.5, -1.0);
    arrow.lineTo(6.5, -3.0);
    arrow.lineTo(10.5, 0);
    arrow.lineTo(6.5, 3.0);
    arrow.lineTo(6.5, 1.0);
    arrow.lineTo(4.0, 1.0);
    arrow.closeSubpath();
    QPainterPath all;
    for (int turn = 0; turn < 4; ++turn) {
        QTransform place;
        place.translate(centre.x(), centre.y());
        place.rotate(90.0 * turn);
        all.addPath(place.map(arrow));
    }
    all.addEllipse(centre, 2.0, 2.0);
    all.setFillRule(Qt::WindingFill);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(all, QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(all, kArrowBlue);
}

void drawIconPointer(QPainter& painter) {
    painter.fillRect(QRect(7, 7, 19, 19), Qt::white);
    painter.fillRect(QRect(8, 8, 17, 17), Qt::black);
    painter.fillRect(QRect(9, 9, 15, 15), Qt::white);
    painter.fillRect(QRect(13, 13, 7, 7), Qt::black);
}

QImage drawPicture(Picture picture, qreal ratio) {
    QImage image = blankCanvas(ratio);
    QPainter painter(&image);
    switch (picture) {
    case Picture::Smiling:
    case Picture::Straight:
    case Picture::Laughing:
        painter.setRenderHint(QPainter::Antialiasing);
        drawFace(painter, picture);
        break;
    case Picture::NoEntry:
        painter.setRenderHint(QPainter::Antialiasing);
        drawNoEntry(painter);
        break;
    case Picture::CrossHair:
        drawCrossHair(painter);
        break;
    case Picture::FourArrows:
        drawFourArrows(painter);
        break;
    case Picture::IconPointer:
        drawIconPointer(painter);
        break;
    }
    return image;
}

QPixmap cachedPixmap(Picture picture, qreal ratio) {
    static std::map<Key, QPixmap> cache;
    const Key key = keyFor(picture, ratio);
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.emplace(key, QPixmap::fromImage(drawPicture(picture, ratio))).first;
    return found->second;
}

// Qt 6.4's X11 plugin hands the server the logical hot spot beside the device-pixel image, which puts
// the click point up and to the left at ratio 2. On X11 the pointer therefore goes as a plain
// device-pixel image with a device-pixel hot spot, read the same way whether or not a plugin scales by
// the ratio.
QCursor makeCursor(Picture picture, qreal ratio, QPoint hotSpot) {
    QPixmap pixmap = cachedPixmap(picture, ratio);
    if (ratio == 1 || QGuiApplication::platformName() != QLatin1String("xcb"))
        return QCursor(pixmap, hotSpot.x(), hotSpot.y());
    pixmap.setDevicePixelRatio(1);
    return QCursor(pixmap, qRound(hotSpot.x() * ratio), qRound(hotSpot.y() * ratio));
}

QCursor cachedCursor(Picture picture, qreal ratio, QPoint hotSpot) {
    static std::map<Key, QCursor> cache;
    const Key key = keyFor(picture, ratio);
    auto found = cache.find(key);
    if (found == cache.end()) found = cache.emplace(key, makeCursor(picture, ratio, hotSpot)).first;
    return found->second;
}

// Draws the icon at each size when the platform first asks for it: a window system wants only a few
// of the sizes a desktop might, and drawing them all up front slowed the start.
class IconEngine : public QIconEngine {
  public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        static std::map<int, QPixmap> drawn;
        const int side = qMin(size.width(), size.height());
        if (side <= 0) return {};
        auto found = drawn.find(side);
        if (found == drawn.end()) found = drawn.emplace(side, QPixmap::fromImage(iconImage(side))).first;
        return found->second;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }
    QIconEngine* clone() const override { return new IconEngine; }
    QString key() const override { return QStringLiteral("dorvana"); }
};

} // namespace

QImage iconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, size, size);
    sky.setColorAt(0.0, kIconBlueLight);
    sky.setColorAt(1.0, kIconBlueDark);
    painter.fillRect(image.rect(), sky);

    // The frame is a whole number of pixels at every size so its edges stay sharp.
    const int frame = qMax(1, qRound(size / 11.0));
    const QRect inner = image.rect().adjusted(frame, frame, -frame, -frame);
    QPainterPath border;
    border.addRect(image.rect());
    border.addRect(inner);
    painter.fillPath(border, kTeal);
    if (size >= 32) {
        const int line = qMax(1, size / 64);
        painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), line), kTealLight);
        painter.fillRect(QRect(inner.left(), inner.top(), line, inner.height()), kTealLight);
    }

    painter.scale(size / qreal(kSide), size / qreal(kSide));
    const QPainterPath six = sixStroke();
    if (size >= 32) {
        // A soft shadow lifts the digit off the gradient where there are pixels enough to show it.
        painter.strokePath(six.translated(0.8, 0.9),
                           QPen(QColor(0, 0, 0x40, 150), 4.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    painter.strokePath(six, QPen(kCyan, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return image;
}

QIcon windowIcon() {
    static const QIcon icon(new IconEngine);
    return icon;
}

QCursor crossHair() {
    return crossHair(primaryRatio());
}
QCursor crossHair(qreal devicePixelRatio) {
    return cachedCursor(Picture::CrossHair, devicePixelRatio, {16, 16});
}

QCursor fourArrows() {
    return fourArrows(primaryRatio());
}
QCursor fourArrows(qreal devicePixelRatio) {
    return cachedCursor(Picture::FourArrows, devicePixelRatio, {10, 10});
}

QCursor iconPointer() {
    return iconPointer(primaryRatio());
}
QCursor iconPointer(qreal devicePixelRatio) {
    return cachedCursor(Picture::IconPointer, devicePixelRatio, {16, 16});
}

QPixmap face(Face which, qreal devicePixelRatio) {
    const Picture picture = which == Face::Smiling    ? Picture::Smiling
                            : which == Face::Straight ? Picture::Straight
                                                      : Picture::Laughing;
    return cachedPixmap(picture, devicePixelRatio);
}

QPixmap noEntry(qreal devicePixelRatio) {
    return cachedPixmap(Picture::NoEntry, devicePixelRatio);
}

} // namespace artwork
