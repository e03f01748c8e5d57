// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QObject>

class QScreen;
class QWidget;

// The game's window keeps the size it was laid out for wherever it fits. Where the free area of its screen
// is smaller than the main window with its frame (a small laptop, a large screen at 200 %, a browser page),
// the main window's content is shown smaller, by the factor that makes the window fit whole; the game goes
// on in its own logical pixels. A screen whose free area grows again (a tablet turned) gets the larger
// window back, never larger than laid out. Where no window manager places windows (the browser), each
// window can also be centred in the free area of its screen.
class ScreenFit : public QObject {
  public:
    enum class Placement { ByWindowManager, Centred };

    explicit ScreenFit(Placement placement = Placement::ByWindowManager);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watch(QScreen* screen);
    void screenChanged(QScreen* screen);
    void fit();
    bool learnFrame(const QWidget& window);
    static void centre(QWidget& window);

    Placement placement_;
    // The frame the window system last drew around a window; unknown until one is shown.
    QMargins frame_;
};
