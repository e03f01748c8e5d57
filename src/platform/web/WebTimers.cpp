// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebTimers.h"

#include "WebPause.h"

#include <QTimer>
#include <emscripten.h>

namespace {

// Until the browser has shown a frame with what was painted (two animation frames: the one that draws it and
// the next), then the hold itself. A hidden page shows no frames; a quarter second stands in for them.
// clang-format off
EM_ASYNC_JS(void, dorvana_hold_frame, (double ms), {
    await new Promise(resolve => {
        let done = false;
        const finish = () => { if (!done) { done = true; resolve(); } };
        requestAnimationFrame(() => requestAnimationFrame(finish));
        setTimeout(finish, 250);
    });
    await new Promise(resolve => setTimeout(resolve, ms));
});
// clang-format on

// A tick that falls while something waits is kept, one per timer, and delivered once the wait ends.
class WebTimer : public Timer {
  public:
    explicit WebTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { tick(); });
        QObject::connect(&WebPause::instance(), &WebPause::ended, &timer_, [this] {
            if (!due_) return;
            due_ = false;
            QTimer::singleShot(0, &timer_, [this] { tick(); });
        });
    }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    void setEnabled(bool on) override {
        if (on && !timer_.isActive()) timer_.start();
        if (!on) {
            timer_.stop();
            due_ = false;
        }
    }
    bool isEnabled() const override { return timer_.isActive(); }

  private:
    void tick() {
        if (!timer_.isActive()) return;
        if (WebPause::instance().active()) {
            due_ = true;
            return;
        }
        onTick_();
    }

    QTimer timer_;
    std::function<void()> onTick_;
    bool due_ = false;
};

} // namespace

std::unique_ptr<Timer> WebTimers::create(const QString& /*name*/, std::function<void()> onTick) {
    return std::make_unique<WebTimer>(std::move(onTick));
}

void WebTimers::holdScreenFor(const QWidget& /*shown*/, qint64 ms) {
    const WebPause::Scope pause(true);
    dorvana_hold_frame(static_cast<double>(ms));
}
