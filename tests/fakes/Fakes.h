// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the platform, so tests drive the window without dialogs, sound, clock or disk.
#include "platform/FoldingRandom.h"
#include "platform/Platform.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

class FakeDialogs : public Dialogs {
  public:
    struct Message {
        QString text;
        int style;
        QString title;
    };
    std::vector<Message> messages;
    QStringList prompts;
    // Typed at the next input boxes; an empty deque answers Cancel.
    std::deque<QString> names;
    // Answers to the next Yes/No boxes; an empty deque answers No.
    std::deque<int> answers;
    // Runs while a message box is "open", e.g. to deliver timer ticks as Qt's nested loop would.
    std::function<void(const QString& text)> whileOpen;
    // Runs while an input box is "open", before the scripted name is typed.
    std::function<void(const QString& prompt)> whileAsking;

    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt) override;
    // Done as the next box opens.
    void whileNextBoxWaits(std::function<void()> work) override { waiting_.push_back(std::move(work)); }
    QStringList texts() const;

  private:
    void openBox();
    std::vector<std::function<void()>> waiting_;
};

class FakeSound : public Sound {
  public:
    QStringList played;
    // Runs as a cue plays, to look at the window at that very moment.
    std::function<void(const QString& path)> onPlay;
    void play(const QString& path) override {
        played.append(path);
        if (onPlay) onPlay(path);
    }
};

// Hands out the scripted draws first, then falls back to a real source; logs every call.
class ScriptedRandom : public RandomSource {
  public:
    struct Call {
        enum Kind { Draw, ReseedFromClock, Reseed } kind;
        double value; // the draw returned, or the number reseeded with
    };
    std::deque<float> script;
    std::vector<Call> calls;
    // Runs at each reseed from the clock: every painter run and shuffle tick starts with one.
    std::function<void()> onReseedFromClock;

    float draw() override;
    void reseedFromClock() override;
    void reseed(double n) override;
    std::vector<double> reseeds() const;
    int drawCount() const;

  private:
    FoldingRandom fallback_;
};

class FakeTimer;

class FakeTimers : public Timers {
  public:
    std::unique_ptr<Timer> create(const QString& name, std::function<void()> onTick) override;
    // The timer of that name in the window as loaded now.
    FakeTimer& operator[](const QString& name);
    void forget(FakeTimer* timer);

    // A clock that moves only through the screen holds, logged by where they end; whileHeld looks at the
    // window during one.
    void holdScreenFor(const QWidget& shown, qint64 ms) override;
    std::vector<qint64> holdsUntil;
    std::function<void()> whileHeld;

  private:
    QHash<QString, FakeTimer*> live_;
};

class FakeTimer : public Timer {
  public:
    FakeTimer(FakeTimers& owner, QString name, std::function<void()> onTick);
    ~FakeTimer() override;
    void setInterval(int ms) override { interval = ms; }
    void setEnabled(bool on) override { enabled = on; }
    bool isEnabled() const override { return enabled; }
    // Delivers one tick if the timer is on; returns whether it ticked.
    bool tick();

    const QString name;
    int interval = 0;
    bool enabled = false;

  private:
    FakeTimers& owner_;
    std::function<void()> onTick_;
};

class FakeFolders : public Folders {
  public:
    QString program = "/opt/dorvana";
    QString records = "/home/player/.local/share/dorvana";
    QString programFolder() override { return program; }
    QString recordFolder() override { return records; }
};

// Files in memory. Failures are injected by path and mode.
class FakeTextFiles : public TextFiles {
  public:
    std::map<QString, QByteArray> disk;
    std::set<std::pair<QString, Mode>> failOpen;
    std::set<QString> failCommit;
    std::set<QString> failRename; // by the name renamed to
    std::set<QString> failRemove;
    bool failLock = false;
    std::vector<QString> log; // "open Append path", "close path", "lock path"...

    qint16 freeFile() override;
    bool open(qint16 number, const QString& path, Mode mode) override;
    qint64 length(qint16 number) override;
    QString read(qint16 number, qint64 maxBytes) override;
    bool writeLine(qint16 number, const QString& text) override;
    bool close(qint16 number) override;
    bool exists(const QString& path) override { return disk.contains(path); }
    bool rename(const QString& from, const QString& to) override;
    bool remove(const QString& path) override;
    bool lock(const QString& path) override;
    void unlock() override { log.emplace_back("unlock"); }
    int openCount() const { return static_cast<int>(open_.size()); }
    // A missing file reads "<missing>", never as an empty one.
    QByteArray contents(const QString& path) const;
    // Every step but reading and appending: writes, renames, removals and the lock around them.
    QStringList changes() const;

  private:
    struct OpenFile {
        QString path;
        Mode mode;
        QByteArray pending;
    };
    std::map<qint16, OpenFile> open_;
};

struct ProgramEnded {};

class FakeProgramEnd : public ProgramEnd {
  public:
    int ends = 0;
    // Unwinds to the test, which catches ProgramEnded.
    [[noreturn]] void endNow() override {
        ++ends;
        throw ProgramEnded{};
    }
};

// One of everything, wired into a Platform.
struct FakePlatform {
    FakeDialogs dialogs;
    FakeSound sound;
    ScriptedRandom random;
    FakeTimers timers;
    FakeFolders folders;
    FakeTextFiles files;
    FakeProgramEnd end;
    Platform platform{dialogs, sound, random, timers, folders, files, end};
};
