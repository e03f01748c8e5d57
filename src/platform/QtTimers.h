// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Timers.h"

class QtTimers : public Timers {
  public:
    std::unique_ptr<Timer> create(const QString& name, std::function<void()> onTick) override;
    void holdScreenFor(const QWidget& shown, qint64 ms) override;
};
