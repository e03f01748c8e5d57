// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/QtDialogs.h"

// Qt's boxes, each one a wait that ticks wait for.
class WebDialogs : public QtDialogs {
  public:
    explicit WebDialogs(const QString& title);

  protected:
    int run(QDialog& box) override;
};
