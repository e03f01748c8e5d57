// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window on fakes, like TestGame, with the fakes at hand by name and the random calls as a readable trace.
#include "TestGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"

#include <QStringList>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>

// The largest draw the source can give: the float just below 1.
inline const float kTopDraw = std::nextafter(1.0F, 0.0F);

struct PlayGame : TestGame {
    FakeDialogs& dialogs = fakes.dialogs;
    FakeSound& sound = fakes.sound;
    ScriptedRandom& random = fakes.random;
    FakeTimers& timers = fakes.timers;
    FakeFolders& folders = fakes.folders;

    void script(std::initializer_list<float> draws) { random.script.insert(random.script.end(), draws); }

    // Forgets what happened so far: the call log, the cues and the boxes.
    void clearLogs() {
        random.calls.clear();
        sound.played.clear();
        dialogs.messages.clear();
    }

    // The random calls since the last clearLogs, as "reseed 0", "clock", "draw".
    QStringList trace() const {
        QStringList lines;
        for (const ScriptedRandom::Call& call : random.calls) {
            switch (call.kind) {
            case ScriptedRandom::Call::Draw:
                lines.append("draw");
                break;
            case ScriptedRandom::Call::ReseedFromClock:
                lines.append("clock");
                break;
            case ScriptedRandom::Call::Reseed:
                lines.append(QString("reseed %1").arg(call.value));
                break;
            }
        }
        return lines;
    }

    // The six targets in a fixed order: the three correct ones, then the three wrong ones.
    std::array<GameButton*, 6> targets() const {
        return {tavola->paricmd,    tavola->paricmd1,    tavola->paricmd2,
                tavola->disparicmd, tavola->disparicmd1, tavola->disparicmd2};
    }
};

inline int captionNumber(const GameButton* button) {
    return button->caption().toInt();
}
