#pragma once

// A window on fakes whose text files may be the real ones.
#include "Fakes.h"
#include "window/Tavola.h"
#include "window/platform/QtTextFiles.h"

#include <QDir>
#include <functional>
#include <memory>

struct LifeGame {
    enum class Disk { Fake, Real };

    // With a real disk the records live in folder; with the fake one, in fakes.files under folder.
    explicit LifeGame(Disk disk = Disk::Fake, const QString& folder = "/home/player/.local/share/dorvana")
        : files(disk == Disk::Real ? static_cast<TextFiles&>(realFiles) : fakes.files) {
        fakes.folders.records = folder;
    }

    FakePlatform fakes;
    QtTextFiles realFiles;
    TextFiles& files;
    ScriptedRandom& random = fakes.random;
    Platform platform{fakes.dialogs, fakes.sound, fakes.random, fakes.timers,
                      fakes.folders, files,       fakes.end};
    std::unique_ptr<Tavola> tavola = std::make_unique<Tavola>(platform);

    Tavola* operator->() { return tavola.get(); }
    FakeTimer& timer1() { return fakes.timers["Timer1"]; }
    FakeTimer& timer2() { return fakes.timers["Timer2"]; }

    void start(const QString& name = "Mario") {
        fakes.dialogs.names.push_back(name);
        tavola->start();
    }

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
