// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What each handler costs on its own: the window runs offscreen on the fake platform, so only the game's
// own work and Qt's painting into the backing store are timed.
#include "TestGame.h"
#include "window/GameButton.h"
#include "window/Surface.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Offscreen {
    Offscreen() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
};

// One started game shared by every benchmark; building a window per run would swamp the small handlers.
// Neither it nor the application object is ever destroyed: Qt cannot be torn down from static destructors.
TestGame& game() {
    static Offscreen offscreen;
    static int argc = 1;
    static char name[] = "bench_handlers";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    static TestGame* started = [] {
        auto* made = new TestGame;
        made->start("Mario");
        QCoreApplication::processEvents();
        return made;
    }();
    Q_UNUSED(app);
    return *started;
}

// The fakes log every call; long runs would otherwise grow the logs without bound.
void forgetLogs() {
    FakePlatform& fakes = game().fakes;
    fakes.random.calls.clear();
    fakes.sound.played.clear();
    fakes.dialogs.messages.clear();
}

void PaintBands(benchmark::State& state) {
    Tavola& tavola = *game();
    for (auto _ : state)
        tavola.PaintBands({7, 3});
}
BENCHMARK(PaintBands)->Unit(benchmark::kMicrosecond);

// The handler alone: moves and visibility changes only schedule repaints.
void ShuffleTick(benchmark::State& state) {
    Tavola& tavola = *game();
    unsigned ticks = 0;
    for (auto _ : state) {
        tavola.Timer2_Timer();
        if (++ticks % 4096 == 0) forgetLogs();
    }
    forgetLogs();
}
BENCHMARK(ShuffleTick)->Name("Timer2_Timer")->Unit(benchmark::kMicrosecond);

// The tick with the repaint it causes, as the player's screen pays for it.
void ShuffleTickPainted(benchmark::State& state) {
    Tavola& tavola = *game();
    unsigned ticks = 0;
    for (auto _ : state) {
        tavola.Timer2_Timer();
        tavola.surface()->repaint();
        if (++ticks % 4096 == 0) forgetLogs();
    }
    forgetLogs();
}
BENCHMARK(ShuffleTickPainted)->Name("Timer2_Timer+repaint")->Unit(benchmark::kMicrosecond);

void Deal(benchmark::State& state) {
    Tavola& tavola = *game();
    unsigned deals = 0;
    for (auto _ : state) {
        tavola.Form_Activate();
        if (++deals % 4096 == 0) forgetLogs();
    }
    forgetLogs();
}
BENCHMARK(Deal)->Name("Form_Activate")->Unit(benchmark::kMicrosecond);

// A shown paricmd, hit: the green flash with its synchronous repaint, the cyan write, the re-deal and the
// bands.
void CorrectHit(benchmark::State& state) {
    Tavola& tavola = *game();
    for (auto _ : state) {
        state.PauseTiming();
        tavola.paricmd->show();
        state.ResumeTiming();
        tavola.paricmd_Click();
    }
    forgetLogs();
}
BENCHMARK(CorrectHit)->Name("paricmd_Click")->Unit(benchmark::kMicrosecond);

// The fake warning box returns at once, so this times the whole handler: red flash, box, score, re-deal,
// bands.
void WrongHit(benchmark::State& state) {
    Tavola& tavola = *game();
    for (auto _ : state) {
        state.PauseTiming();
        tavola.disparicmd->show();
        forgetLogs();
        state.ResumeTiming();
        tavola.disparicmd_Click();
    }
    forgetLogs();
}
BENCHMARK(WrongHit)->Name("disparicmd_Click")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
