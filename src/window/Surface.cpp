// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Surface.h"

#include "Artwork.h"
#include "Layout.h"

#include <QMouseEvent>
#include <cmath>

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setObjectName("Tavola");
    setFixedSize(layout::toPixels(layout::kClientWidth), layout::toPixels(layout::kClientHeight));
    setCursor(artwork::crossHair());
    setMouseTracking(true);
}

void Surface::setScaleHeight(double units) {
    scaleHeight_ = units;
}

int Surface::xToPixels(int units) const {
    return scaleHeight_ ? units : layout::toPixels(units);
}

int Surface::yToPixels(int units) const {
    if (!scaleHeight_) return layout::toPixels(units);
    return static_cast<int>(std::lround(units * height() / *scaleHeight_));
}

void Surface::prepareImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (image_.size() == pixels) return;
    QImage grown(pixels, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(palette().color(QPalette::Button));
    if (!image_.isNull()) QPainter(&grown).drawImage(0, 0, image_);
    image_ = std::move(grown);
}

Surface::Canvas::Canvas(Surface& surface) : surface_(surface) {
    surface_.prepareImage();
    painter_.begin(&surface_.image_);
    if (surface_.scaleHeight_) painter_.scale(1.0, surface_.height() / *surface_.scaleHeight_);
}

Surface::Canvas::~Canvas() {
    painter_.end();
    surface_.update();
}

void Surface::Canvas::filledBox(double x1, double y1, double x2, double y2, BgrColour colour) {
    painter_.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), toQColor(colour));
}

void Surface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Button));
        return;
    }
    painter.drawImage(event->rect(), image_,
                      QRectF(QPointF(event->rect().topLeft()) * image_.devicePixelRatio(),
                             QSizeF(event->rect().size()) * image_.devicePixelRatio()));
}

void Surface::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void Surface::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

// The second press of a double-click comes as this event, and clicks nothing: children double-click
// everything, and a double-click on the backdrop starts the board once. The second press of a double-click on
// a number lands here too, the hit having hidden the number, and leaves the board alone.
void Surface::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    pressed_ = false;
}

void Surface::mouseMoveEvent(QMouseEvent* event) {
    const bool overIconArea = iconPointerArea_ != nullptr && iconPointerArea_->isVisible() &&
                              iconPointerArea_->geometry().contains(event->position().toPoint());
    if (overIconArea == overIconArea_) return;
    overIconArea_ = overIconArea;
    setCursor(overIconArea ? artwork::iconPointer() : artwork::crossHair());
}
