// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTimers.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
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

QtTimers::QtTimers() {
    clock_.start();
}

std::unique_ptr<Timer> QtTimers::create(const QString& name, std::function<void()> onTick) {
    auto timer = std::make_unique<QtTimer>(std::move(onTick));
    Q_UNUSED(name);
    return timer;
}

qint64 QtTimers::now() const {
    return clock_.elapsed();
}

// A sleep, not a local event loop: a tick or a click handled inside the hold would run in the middle of the
// handler that asked for it.
void QtTimers::holdScreenFor(qint64 ms) {
    // The window system answers a pixel read only after drawing all that was sent before it: once it has, the
    // painted colour is on screen and the whole hold follows, as the painting itself may have waited a while.
    // On Wayland the read returns at once and the commit waits in the client until the handler ends.
    // QGuiApplication::sync() would send it and wait for the compositor, but it runs the event loop first.
    if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0, 0, 0, 1, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
