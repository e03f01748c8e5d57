// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window on fakes whose text files may be the real ones.
#include "TestGame.h"
#include "platform/QtTextFiles.h"

#include <QDir>
#include <functional>
#include <memory>

// Made before the window, which keeps a reference to the files it uses.
struct RealDisk {
    QtTextFiles realFiles;
};

struct LifeGame : RealDisk, TestGame {
    enum class Disk { Fake, Real };

    // With a real disk the records live in folder; with the fake one, in fakes.files under folder.
    explicit LifeGame(Disk disk = Disk::Fake, const QString& folder = "/home/player/.local/share/dorvana")
        : TestGame(disk == Disk::Real ? &realFiles : nullptr) {
        fakes.folders.records = folder;
    }

    TextFiles& files = platform.files;
    ScriptedRandom& random = fakes.random;

    // Runs a step that should end the program; true when it did.
    bool ends(const std::function<void()>& step) {
        try {
            step();
        } catch (const ProgramEnded&) {
            return true;
        }
        return false;
    }

    // The record files as the game names them: the folder, its separator, then the classic "\name".
    QString scorePath() const { return fakes.folders.records + "/" + "/atarvisk.txt"; }
    QString holderPath() const { return fakes.folders.records + "/" + "/tarvisk.txt"; }
};
