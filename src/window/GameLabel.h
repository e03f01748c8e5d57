// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Layout.h"

#include <QLabel>

// A label that keeps its caption exactly as written (line ends included), shows it as
// plain text, and swallows its clicks so they never count as clicks on the window.
class GameLabel : public QLabel {
    Q_OBJECT
  public:
    GameLabel(QWidget* parent, const layout::Label& design);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool underButton(const QPoint& pos) const;

    QString caption_;
    bool autoSize_;
};
