// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// Modal message and input boxes. Texts are shown as plain text, never as markup.
class Dialogs {
  public:
    // Message box styles and answer codes as the game's handlers use them.
    static constexpr int OkOnly = 0;
    static constexpr int YesNoQuestionDefaultNo = 292;
    static constexpr int AnswerOk = 1;
    static constexpr int AnswerYes = 6;
    static constexpr int AnswerNo = 7;

    virtual ~Dialogs() = default;
    // An empty title means the program's title. Returns the answer code.
    virtual int msgBox(const QString& text, int style = OkOnly, const QString& title = {}) = 0;
    // Returns the typed text, or the empty text on Cancel.
    virtual QString inputBox(const QString& prompt) = 0;
    // Work that can wait while the player reads the next box: it runs once that box is on screen, and at
    // the latest as the box closes.
    virtual void whileNextBoxWaits(std::function<void()> work) = 0;
};
