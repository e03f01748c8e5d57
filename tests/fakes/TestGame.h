#pragma once

#include "Fakes.h"
#include "window/Tavola.h"

#include <memory>

// A window on fake platform services, made but not yet started.
struct TestGame {
    FakePlatform fakes;
    std::unique_ptr<Tavola> tavola = std::make_unique<Tavola>(fakes.platform);

    Tavola& operator*() { return *tavola; }
    Tavola* operator->() { return tavola.get(); }
    FakeTimer& timer1() { return fakes.timers["Timer1"]; }
    FakeTimer& timer2() { return fakes.timers["Timer2"]; }

    // Runs the whole start with this name typed at the prompt.
    void start(const QString& name = "Mario") {
        fakes.dialogs.names.push_back(name);
        tavola->start();
    }
};
