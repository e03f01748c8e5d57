// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameLabel.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <algorithm>

GameLabel::GameLabel(QWidget* parent, const layout::Label& design)
    : QLabel(parent), autoSize_(design.autoSize) {
    setObjectName(design.name);
    setTextFormat(Qt::PlainText);
    setGeometry(layout::toPixels(design.left), layout::toPixels(design.top), layout::toPixels(design.width),
                layout::toPixels(design.height));
    // The stored size holds until the caption first changes.
    caption_ = design.caption;
    setText(caption_);
}

void GameLabel::setCaption(const QString& caption) {
    caption_ = caption;
    // A CR LF pair is one line break on screen; a lone CR would otherwise show as a box.
    QString shown = caption;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    setText(shown);
    if (autoSize_) resize(sizeHint());
}

// Buttons lie above labels. One that lets clicks through, the disabled start bar, hands them
// to the window beneath, so they must not stop at a label that it covers.
bool GameLabel::underButton(const QPoint& pos) const {
    const QPoint inParent = mapToParent(pos);
    const auto buttons = parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    return std::any_of(buttons.begin(), buttons.end(), [&](const QAbstractButton* button) {
        return button->isVisible() && button->geometry().contains(inParent);
    });
}

void GameLabel::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(!underButton(event->position().toPoint()));
}

void GameLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->setAccepted(!underButton(event->position().toPoint()));
}
