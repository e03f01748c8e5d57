// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"

#include <vector>

class QDialog;

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QString programTitle) : title_(std::move(programTitle)) {}
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt) override;
    void whileNextBoxWaits(std::function<void()> work) override;

  protected:
    // Shows the box and waits for its answer.
    virtual int run(QDialog& box);

  private:
    // run(), with the waiting work done behind the box.
    int answer(QDialog& box);

    QString title_;
    std::vector<std::function<void()>> waiting_;
};
