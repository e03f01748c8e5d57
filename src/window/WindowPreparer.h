// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Dialogs;
class Tavola;

// Makes the game window behind the first name prompt, once the prompt is on screen, so that neither waits
// for the other: the window's menu and controls, its native window and backdrop image, and one paint off
// screen, which loads its fonts and fills the glyph and picture caches. The window then comes up quickly
// after the greeting.
class WindowPreparer {
  public:
    // Where no window manager stands between them (the browser), a native window made behind a box takes the
    // keyboard from it: there the native window is made when the window is shown.
    enum class NativeWindow { Early, WhenShown };

    WindowPreparer(Tavola& window, Dialogs& dialogs, NativeWindow native);

  private:
    void prepare();

    Tavola& window_;
    NativeWindow native_;
};
