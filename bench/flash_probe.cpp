// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long a correct hit's green flash stays on screen. The real window runs on the X server (fake dialogs,
// timers and sound, so nothing else moves), and a shown paricmd is hit again and again. Two clocks watch:
//  - in the program, the button's paint events: the flash lasts from the green repaint to the cyan one;
//  - on the server, a second thread reads back one pixel of the button as fast as the server answers.
#include "TestGame.h"
#include "window/GameButton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kGreenOnScreen = 0x00FF00; // the server's pixels are 0xRRGGBB
constexpr uint32_t kCyanOnScreen = 0x00FFFF;
constexpr int kHits = 25;

double us(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

class PaintLog : public QObject {
  public:
    explicit PaintLog(GameButton& button) : button_(button) { button.installEventFilter(this); }
    std::vector<std::pair<Clock::time_point, BgrColour>> paints;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &button_ && event->type() == QEvent::Paint)
            paints.emplace_back(Clock::now(), button_.backColour());
        return false;
    }

  private:
    GameButton& button_;
};

// Reads one screen pixel in a loop on its own connection; keeps every change of colour.
class PixelWatch {
  public:
    struct Change {
        Clock::time_point at;
        uint32_t pixel;
    };

    PixelWatch(int x, int y) : x_(x), y_(y), thread_([this] { run(); }) {}
    ~PixelWatch() { stop(); }
    void stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    std::vector<Change> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(changes_, {});
    }
    uint32_t last() const { return last_; }
    double meanSampleUs() const { return samples_ == 0 ? 0 : busyUs_ / double(samples_); }

  private:
    void run() {
        xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
        const Clock::time_point began = Clock::now();
        while (!stop_) {
            auto* image = xcb_get_image_reply(
                conn,
                xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(x_), int16_t(y_), 1, 1, ~0U),
                nullptr);
            if (image == nullptr) break;
            const uint32_t pixel = *reinterpret_cast<const uint32_t*>(xcb_get_image_data(image)) & 0xFFFFFFU;
            std::free(image);
            ++samples_;
            if (pixel != last_) {
                std::lock_guard lock(mutex_);
                changes_.push_back({Clock::now(), pixel});
                last_ = pixel;
            }
        }
        busyUs_ = us(Clock::now() - began);
        xcb_disconnect(conn);
    }

    int x_;
    int y_;
    std::atomic<bool> stop_ = false;
    std::atomic<uint32_t> last_ = 0xFFFFFFFF;
    std::atomic<long> samples_ = 0;
    std::atomic<double> busyUs_ = 0;
    std::mutex mutex_;
    std::vector<Change> changes_;
    std::thread thread_;
};

void runEventsFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestGame game;
    game.start("Mario");
    Tavola& tavola = *game;
    GameButton& target = *tavola.paricmd;
    runEventsFor(300);

    PaintLog log(target);
    // Inside the two-pixel bevel, where only the back colour is drawn.
    const QPoint spot = target.mapToGlobal(QPoint(3, 3));
    PixelWatch watch(spot.x(), spot.y());

    std::vector<double> inProgram;
    std::vector<double> onScreen;
    std::vector<double> handler;
    int seen = 0;
    for (int hit = 0; hit < kHits; ++hit) {
        target.show();
        for (int waited = 0; waited < 100 && watch.last() != kCyanOnScreen; ++waited)
            runEventsFor(10);
        watch.take();
        log.paints.clear();

        const Clock::time_point clicked = Clock::now();
        tavola.paricmd_Click();
        handler.push_back(us(Clock::now() - clicked));
        runEventsFor(50);

        std::optional<Clock::time_point> green;
        std::optional<Clock::time_point> cyan;
        for (const auto& [at, colour] : log.paints) {
            if (colour == colour::green && !green) green = at;
            if (colour == colour::cyan && green && !cyan) cyan = at;
        }
        if (green && cyan) inProgram.push_back(us(*cyan - *green));

        const std::vector<PixelWatch::Change> changes = watch.take();
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (changes[i].pixel != kGreenOnScreen) continue;
            ++seen;
            // From the first read that saw green to the first that saw something else: exact to one read.
            if (i + 1 < changes.size()) onScreen.push_back(us(changes[i + 1].at - changes[i].at));
            break;
        }
    }
    watch.stop();
    const double sampleUs = watch.meanSampleUs();

    std::printf("hits=%d\n", kHits);
    std::printf("handler_us=%.0f\n", median(handler));
    std::printf("flash_program_us=%.0f\n", median(inProgram));
    std::printf("flash_seen_hits=%d\n", seen);
    std::printf("flash_screen_us=%.0f\n", median(onScreen));
    std::printf("pixel_read_us=%.0f\n", sampleUs);
    return 0;
}
