// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTimers.h"

#include "DisplayRoundTrip.h"

#include <QTimer>
#include <chrono>
#include <thread>

namespace {

class QtTimer : public Timer {
  public:
    explicit QtTimer(std::function<void()> onTick) {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(onTick));
    }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    void setEnabled(bool on) override {
        if (on && !timer_.isActive()) timer_.start();
        if (!on) timer_.stop();
    }
    bool isEnabled() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<Timer> QtTimers::create(const QString& name, std::function<void()> onTick) {
    auto timer = std::make_unique<QtTimer>(std::move(onTick));
    Q_UNUSED(name);
    return timer;
}

// A sleep, not a local event loop: a tick or a click handled inside the hold would run in the middle of the
// handler that asked for it.
void QtTimers::holdScreenFor(const QWidget& shown, qint64 ms) {
    // The whole hold follows the server's answer, as the painting itself may have waited a while.
    waitForDisplayServer(shown);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
