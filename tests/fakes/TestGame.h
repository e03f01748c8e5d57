// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Fakes.h"
#include "window/Tavola.h"

#include <memory>

// A window on fake platform services, made but not yet started; the text files may be other than the fake
// ones.
struct TestGame {
    explicit TestGame(TextFiles* files = nullptr)
        : platform{fakes.dialogs, fakes.sound,   fakes.random,
                   fakes.timers,  fakes.folders, files != nullptr ? *files : fakes.files,
                   fakes.end} {}

    FakePlatform fakes;
    Platform platform;
    std::unique_ptr<Tavola> tavola = std::make_unique<Tavola>(platform);

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
