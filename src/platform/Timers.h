// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

class QWidget;

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
    // Keeps what the window has painted on screen for `ms`, counted from when the display server shows the
    // window of `shown`, handling no event meanwhile: ticks and clicks that come in the while wait, and are
    // delivered once the running handler ends.
    virtual void holdScreenFor(const QWidget& shown, qint64 ms) = 0;
};
