// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameButton.h"

#include "Artwork.h"
#include "Surface.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

constexpr BgrColour kButtonFace = 0xC0C0C0;
constexpr int kBevel = 2;

void drawBevel(QPainter& painter, const QRect& rect, bool sunken) {
    const QColor light = sunken ? Qt::black : Qt::white;
    const QColor dark = sunken ? Qt::white : Qt::black;
    const QColor shade = QColor(128, 128, 128);
    const QRect outer = rect.adjusted(0, 0, -1, -1);
    painter.setPen(light);
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    painter.setPen(sunken ? shade : QColor(223, 223, 223));
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(sunken ? QColor(223, 223, 223) : shade);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

} // namespace

GameButton::GameButton(Surface& surface, const layout::Button& design)
    : QPushButton(&surface), surface_(surface), back_(design.back.value_or(kButtonFace)),
      graphical_(design.graphical), picture_(design.picture) {
    setObjectName(design.name);
    setText(design.caption);
    setGeometry(layout::toPixels(design.left), layout::toPixels(design.top), layout::toPixels(design.width),
                layout::toPixels(design.height));
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
}

void GameButton::setBackColour(BgrColour colour) {
    if (colour == back_) return;
    back_ = colour;
    repaint();
    // Shown smaller through a view (a small screen), the button reaches the screen only when the view paints:
    // at once too, or a flash held right after would never be seen.
    if (const QGraphicsProxyWidget* proxy = window()->graphicsProxyWidget())
        for (QGraphicsView* view : proxy->scene()->views())
            view->viewport()->repaint();
}

void GameButton::setLeft(int units) {
    move(surface_.xToPixels(units), y());
}

void GameButton::setTop(int units) {
    move(x(), surface_.yToPixels(units));
}

// The second press of a double-click clicks nothing. A hit hides its number, so that press lands on whatever
// lay beneath, often another number: a child's double-click is one hit, never two, nor a wrong one after a
// right one. Qt counts a third press as a new click.
void GameButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

QPixmap GameButton::picture() const {
    const qreal ratio = devicePixelRatioF();
    switch (picture_) {
    case layout::Picture::Faces:
        if (!isEnabled()) return artwork::face(artwork::Face::Laughing, ratio);
        return artwork::face(isDown() ? artwork::Face::Straight : artwork::Face::Smiling, ratio);
    case layout::Picture::NoEntry:
        return artwork::noEntry(ratio);
    case layout::Picture::None:
        break;
    }
    return {};
}

void GameButton::paintEvent(QPaintEvent* event) {
    if (!graphical_) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const bool sunken = isDown();
    painter.fillRect(rect(), toQColor(back_));
    drawBevel(painter, rect(), sunken);

    const QRect inside =
        rect().adjusted(kBevel, kBevel, -kBevel, -kBevel).translated(sunken ? 1 : 0, sunken ? 1 : 0);
    const QPixmap image = picture();
    const QFontMetrics metrics(font());
    const int textHeight = text().isEmpty() ? 0 : metrics.height();
    const int imageHeight = image.isNull() ? 0 : qRound(image.height() / image.devicePixelRatio());
    const int top = inside.top() + (inside.height() - imageHeight - textHeight) / 2;
    if (!image.isNull()) {
        const int imageWidth = qRound(image.width() / image.devicePixelRatio());
        painter.drawPixmap(inside.left() + (inside.width() - imageWidth) / 2, top, image);
    }
    const QRect textRect(inside.left(), top + imageHeight, inside.width(), textHeight);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    if (isEnabled()) {
        painter.setPen(Qt::black);
        painter.drawText(textRect, flags, text());
    } else {
        // Engraved, as a disabled caption looks on the classic desktop.
        painter.setPen(Qt::white);
        painter.drawText(textRect.translated(1, 1), flags, text());
        painter.setPen(QColor(128, 128, 128));
        painter.drawText(textRect, flags, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
