// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Every window of the game keeps the size it was laid out for. A window system may maximise one anyway: a
// title bar drawn by Qt offers the button whatever the window's hints, and a Wayland compositor then ends a
// client whose next frame is not the size it was told. So the window lets go of its size as soon as it asks
// to be maximised (or shown full screen), goes back to normal once the system has done it, and takes its own
// size again when the system reports it normal.
class FixedSizeKeeper : public QObject {
  public:
    FixedSizeKeeper();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
