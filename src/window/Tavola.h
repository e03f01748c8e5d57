// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameState.h"
#include "platform/Platform.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class GameButton;
class GameLabel;
class Surface;

struct FactorPair {
    qint16 a;
    qint16 b;
};

// The game's one window. It owns every control and the game state; its handlers are the game.
// They are defined beside the subsystem they belong to: play/ and lifecycle/.
class Tavola : public QMainWindow {
    Q_OBJECT
  public:
    // Making the menu and the controls takes a moment. The program has them made behind its first prompt,
    // by build(), so that the prompt is on screen sooner; the timers are there at once either way.
    enum class Build { Now, Later };
    explicit Tavola(Platform& platform, Build build = Build::Now);
    ~Tavola() override;

    // The menu and the controls, once.
    void build();

    // The whole start of the program: load, the creation-time painter run, show and deal.
    void start();

    GameState state;

    // The controls the handlers reach by name; made anew on every load.
    GameButton* paricmd = nullptr;
    GameButton* paricmd1 = nullptr;
    GameButton* paricmd2 = nullptr;
    GameButton* disparicmd = nullptr;
    GameButton* disparicmd1 = nullptr;
    GameButton* disparicmd2 = nullptr;
    GameButton* cmdNext = nullptr;
    GameButton* cmdExit = nullptr;
    GameLabel* Punteggio = nullptr;
    GameLabel* lblconto = nullptr;
    GameLabel* lblnome1 = nullptr;
    GameLabel* lblnome = nullptr;
    GameLabel* lblpunti = nullptr;
    GameLabel* lblNum1 = nullptr;
    GameLabel* lblNum2 = nullptr;
    GameLabel* lblMessage = nullptr;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<Timer> Timer2;

    Surface* surface() const { return surface_; }

    // Window events.
    void Form_Initialize();
    void Form_Load();
    void Form_Activate();
    void Form_Click();
    void Form_Resize();

    // Target deal, hits and scoring.
    void paricmd_Click();
    void paricmd1_Click();
    void paricmd2_Click();
    void disparicmd_Click();
    void disparicmd1_Click();
    void disparicmd2_Click();

    // Board shuffle.
    void Timer2_Timer();

    // Backdrop painter and factor draw.
    void cmdNext_Click();
    FactorPair DrawFactors();
    void PaintBands(FactorPair pair);

    // Countdown clock.
    void StartClock();
    void Timer1_Timer();

    // Sound cues.
    void PlaySoundFile(const QString& path);

    // Start-up, new game and exit.
    void Next_Click();
    void cmdExit_Click();

    // Record store.
    QString GetSystemDir();
    QString Leggifiletxt(const QString& nomefile, bool* ok = nullptr);

  signals:
    // The player closed the window with the title bar: the program ends without the exit sequence.
    void closedByPlayer();

  protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void loadControls();
    void loadTimers();
    void loadWidgets();
    void unloadControls();
    void buildMenu();
    void showAndActivate();

    // The steps every hit shares; dealNew reseeds and returns the button's new number.
    void correctHit(GameButton* target, const std::function<int()>& dealNew);
    void wrongHit(GameButton* target, const QString& opening, const QString& tail,
                  const std::function<int()>& dealNew);
    void shuffleArm(int scenario);

    QString clockText() const;

    QString cuePath(const char* cue) const;

    QString scoreFilePath() const;
    QString holderFilePath() const;
    QString lockFilePath() const;
    // What the load could do with the record files: read them and keep a new record, only read them, or
    // not even read them.
    enum class RecordAccess { Writable, ReadOnly, Unreadable };
    RecordAccess loadRecords();
    bool createRecordFiles();
    bool readRecords();
    void recordDecision();
    bool writeRecordFile(const QString& path, const QString& line);
    bool writeRecordPair();
    void settlePendingRecord();
    void dropPendingRecord();

    Platform& platform_;
    // Whether this load read both record files: only then may the exit replace them.
    bool recordsRead_ = false;
    Surface* surface_ = nullptr;
};
