// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;

// One widget shown smaller than it is laid out, and working as it does at full size: it keeps its own
// geometry, its children their places, and the pointer's presses and moves reach it at its own coordinates.
// Text is drawn at the smaller size and pictures are scaled smoothly.
class ScaledView : public QGraphicsView {
    Q_OBJECT
  public:
    // Takes a widget without a parent.
    ScaledView(QWidget* content, qreal scale);

    QWidget* content() const;
    qreal scale() const { return transform().m11(); }
    void setScale(qreal scale);
    // Gives the widget back, whole and without a parent; the view is empty after.
    QWidget* release();

  private:
    QGraphicsProxyWidget* proxy_;
};
