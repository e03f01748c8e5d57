// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaledView.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

ScaledView::ScaledView(QWidget* content, qreal scale) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHint(QPainter::SmoothPixmapTransform);
    auto* scene = new QGraphicsScene(this);
    proxy_ = scene->addWidget(content);
    setScene(scene);
    content->show();
    setFixedSize(content->size());
    setScale(scale);
}

QWidget* ScaledView::content() const {
    return proxy_->widget();
}

void ScaledView::setScale(qreal scale) {
    if (qFuzzyCompare(scale, this->scale())) return;
    setTransform(QTransform::fromScale(scale, scale));
    setFixedSize((QSizeF(content()->size()) * scale).toSize());
}

QWidget* ScaledView::release() {
    QWidget* content = proxy_->widget();
    proxy_->setWidget(nullptr);
    return content;
}
