// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"

class QDialog;

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QString programTitle) : title_(std::move(programTitle)) {}
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt) override;

  protected:
    // Shows the box and waits for its answer.
    virtual int run(QDialog& box);

  private:
    QString title_;
};
