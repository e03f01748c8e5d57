// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colour.h"
#include "Layout.h"

#include <QPushButton>

class Surface;

// A command button. The graphical ones paint their own back colour, bevel and picture,
// so the colour on screen is exactly the one stored.
class GameButton : public QPushButton {
    Q_OBJECT
  public:
    GameButton(Surface& surface, const layout::Button& design);

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    BgrColour backColour() const { return back_; }
    // Repaints at once when the colour changes, so a flash shows while its handler still runs;
    // writing the colour it already has costs next to nothing.
    void setBackColour(BgrColour colour);

    // In the surface's current scale units.
    void setLeft(int units);
    void setTop(int units);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QPixmap picture() const;

    Surface& surface_;
    BgrColour back_;
    bool graphical_;
    layout::Picture picture_;
};
