// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/QtDialogs.h"

// Qt's boxes, each one a wait that ticks wait for.
class WebDialogs : public QtDialogs {
  public:
    using QtDialogs::QtDialogs;
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt) override;
};
