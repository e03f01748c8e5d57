// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Timers.h"

#include <QElapsedTimer>

class QtTimers : public Timers {
  public:
    QtTimers();
    std::unique_ptr<Timer> create(const QString& name, std::function<void()> onTick) override;
    qint64 now() const override;
    void holdScreenFor(qint64 ms) override;

  private:
    QElapsedTimer clock_;
};
