// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class Tavola;

// Readies the game window while the name prompt waits for the player, so the window comes up quickly after
// the greeting: behind the prompt its native window and backdrop image are made, and it is painted once off
// screen, which loads its fonts and fills the glyph and picture caches. Queued any earlier, this work held
// back the prompt itself, so it starts once the prompt's first frame is painted.
class WindowPreparer : public QObject {
  public:
    explicit WindowPreparer(Tavola& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void prepare();

    Tavola& window_;
};
