// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

// A repeating timer that ticks on the user-interface thread.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    // Switching on a running timer leaves its period alone.
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
};

class Timers {
  public:
    virtual ~Timers() = default;
    virtual std::unique_ptr<Timer> create(const QString& name, std::function<void()> onTick) = 0;
};
