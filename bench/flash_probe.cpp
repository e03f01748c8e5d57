// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long a hit's flash stays on screen: the green of a correct hit on paricmd, the red of a wrong one on
// disparicmd. The real window runs on the X server with the real screen hold, and fake dialogs, timers and
// sound, so nothing else moves; each shown target is hit again and again. Two clocks watch:
//  - in the program, the button's paint events: the flash lasts from its repaint to the next paint in another
//    colour, or to the button's hiding;
//  - on the server, a second thread reads back one pixel of the button as fast as the server answers.
// On Wayland no client can read the screen: each hit's start and end are printed on the wall clock in the
// form of the compositor's protocol log instead, where the flash's commit and the next one are found. Then
// the X server double-clicks the backdrop and a shown paricmd, as a child would: how many starts and hits
// each gives.
#include "TestGame.h"
#include "platform/QtTimers.h"
#include "window/GameButton.h"
#include "window/Surface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
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
constexpr uint32_t kRedOnScreen = 0xFF0000;
constexpr uint32_t kCyanOnScreen = 0x00FFFF;
constexpr BgrColour kHidden = 0xFFFFFFFF; // no colour: the button was hidden
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
        if (watched == &button_ && event->type() == QEvent::Hide) paints.emplace_back(Clock::now(), kHidden);
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

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// The wall clock as WAYLAND_DEBUG prints it: microseconds kept in 32 bits, shown as milliseconds.
double logTime() {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    return double(us % (int64_t(1) << 32)) / 1000;
}

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

// The real hold on the real clock; the timers themselves stay fake, so nothing ticks.
class HeldTimers : public FakeTimers {
  public:
    void holdScreenFor(const QWidget& shown, qint64 ms) override { real_.holdScreenFor(shown, ms); }

  private:
    QtTimers real_;
};

struct Flash {
    std::vector<double> handler;
    std::vector<double> inProgram;
    std::vector<double> onScreen;
    int seen = 0;
};

Flash measure(const char* name, Tavola& tavola, GameButton& target, void (Tavola::*hit)(), BgrColour colour,
              uint32_t pixel) {
    PaintLog log(target);
    target.show();
    runEventsFor(300);
    // Inside the two-pixel bevel, where only the back colour is drawn.
    const QPoint spot = target.mapToGlobal(QPoint(3, 3));
    std::optional<PixelWatch> watch;
    if (onX11()) watch.emplace(spot.x(), spot.y());
    Flash flash;
    for (int round = 0; round < kHits; ++round) {
        target.show();
        if (watch)
            for (int waited = 0; waited < 100 && watch->last() != kCyanOnScreen; ++waited)
                runEventsFor(10);
        else
            runEventsFor(100);
        if (watch) watch->take();
        log.paints.clear();

        const double began = logTime();
        const Clock::time_point clicked = Clock::now();
        (tavola.*hit)();
        flash.handler.push_back(us(Clock::now() - clicked));
        std::printf("%s_hit_log_ms=%.3f %.3f\n", name, began, logTime());
        runEventsFor(50);

        std::optional<Clock::time_point> shown;
        std::optional<Clock::time_point> gone;
        for (const auto& [at, painted] : log.paints) {
            if (painted == colour && !shown) shown = at;
            if (painted != colour && shown && !gone) gone = at;
        }
        if (shown && gone) flash.inProgram.push_back(us(*gone - *shown));

        if (!watch) continue;
        const std::vector<PixelWatch::Change> changes = watch->take();
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (changes[i].pixel != pixel) continue;
            ++flash.seen;
            // From the first read that saw the colour to the first that saw another: exact to one read.
            if (i + 1 < changes.size()) flash.onScreen.push_back(us(changes[i + 1].at - changes[i].at));
            break;
        }
    }
    if (watch) {
        watch->stop();
        std::printf("pixel_read_us=%.0f\n", watch->meanSampleUs());
    }
    return flash;
}

void report(const char* name, const Flash& flash) {
    std::printf("%s_handler_us=%.0f\n", name, median(flash.handler));
    std::printf("%s_program_us=%.0f\n", name, median(flash.inProgram));
    std::printf("%s_seen_hits=%d\n", name, flash.seen);
    std::printf("%s_screen_us=%.0f\n", name, median(flash.onScreen));
    const auto [shortest, longest] = std::minmax_element(flash.onScreen.begin(), flash.onScreen.end());
    if (shortest != flash.onScreen.end())
        std::printf("%s_screen_range_us=%.0f-%.0f\n", name, *shortest, *longest);
}

// A double-click from the X server itself, at a point of the client area; returns the cues it caused.
QStringList doubleClick(Tavola& tavola, FakeSound& sound, QPoint inClientArea) {
    const QPoint at = tavola.surface()->mapToGlobal(inClientArea);
    sound.played.clear();
    QProcess xdotool;
    xdotool.start("xdotool", {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()),
                              "click", "--repeat", "2", "--delay", "80", "1"});
    while (!xdotool.waitForFinished(5))
        QCoreApplication::processEvents();
    runEventsFor(500);
    QStringList cues;
    for (const QString& path : sound.played)
        cues.append(path.section('/', -1));
    return cues;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FakePlatform fakes;
    HeldTimers timers;
    Platform platform{fakes.dialogs, fakes.sound, fakes.random, timers,
                      fakes.folders, fakes.files, fakes.end};
    Tavola tavola(platform);
    fakes.dialogs.names.push_back("Mario");
    tavola.start();
    runEventsFor(300);

    std::printf("hits=%d\n", kHits);
    const Flash green =
        measure("green", tavola, *tavola.paricmd, &Tavola::paricmd_Click, colour::green, kGreenOnScreen);
    report("green", green);
    const Flash red =
        measure("red", tavola, *tavola.disparicmd, &Tavola::disparicmd_Click, colour::red, kRedOnScreen);
    report("red", red);
    if (!onX11()) return 0;

    // The number first: the start click's shuffle tick may move it off the window.
    for (GameButton* target : {tavola.paricmd, tavola.paricmd1, tavola.paricmd2, tavola.disparicmd,
                               tavola.disparicmd1, tavola.disparicmd2})
        target->hide();
    tavola.paricmd->show();
    runEventsFor(100);
    const QPoint onParicmd = tavola.paricmd->geometry().center();
    std::printf("double_click_paricmd=%s\n",
                qPrintable(doubleClick(tavola, fakes.sound, onParicmd).join(',')));
    std::printf("double_click_backdrop=%s\n",
                qPrintable(doubleClick(tavola, fakes.sound, {300, 600}).join(',')));
    return 0;
}
