// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The five-minute clock and the exit sequence it ends in.
#include "GameTexts.h"
#include "LifeGame.h"
#include "window/GameLabel.h"

#include <QTest>

class Countdown : public QObject {
    Q_OBJECT
  private slots:
    void clockText_data() {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("shown");
        QTest::newRow("after load") << 0 << "00:05:00";
        QTest::newRow("tick 1") << 1 << "00:04:59";
        QTest::newRow("tick 2") << 2 << "00:04:58";
        QTest::newRow("tick 60") << 60 << "00:04:00";
        QTest::newRow("tick 61, seconds never show 60") << 61 << "00:03:59";
        QTest::newRow("tick 241") << 241 << "00:00:59";
        QTest::newRow("tick 299") << 299 << "00:00:01";
        QTest::newRow("tick 300") << 300 << "00:00:00";
    }

    void clockText() {
        QFETCH(int, ticks);
        QFETCH(QString, shown);
        LifeGame game;
        game.start();
        for (int i = 0; i < ticks; ++i)
            QVERIFY(!game.ends([&] { QVERIFY(game.timer1().tick()); }));
        QCOMPARE(game->lblconto->caption(), shown);
        QCOMPARE(game.fakes.end.ends, 0);
    }

    // The tick after "00:00:00" says goodbye and ends; no tick from either timer starts it again meanwhile.
    void tick301EndsTheGame() {
        LifeGame game;
        game.start();
        for (int i = 0; i < 300; ++i)
            game.timer1().tick();
        game.fakes.dialogs.messages.clear();
        bool timersOffAtFarewell = false;
        int boxesOpen = 0;
        game.fakes.dialogs.whileOpen = [&](const QString&) {
            // Only the outermost box ticks, so a sequence that leaves its timers on fails instead of
            // recursing.
            if (++boxesOpen > 1) return;
            timersOffAtFarewell = !game.timer1().enabled && !game.timer2().enabled;
            game.timer1().tick();
            game.timer2().tick();
        };
        QVERIFY(game.ends([&] { game.timer1().tick(); }));
        QVERIFY(timersOffAtFarewell);
        QCOMPARE(boxesOpen, 1);
        QCOMPARE(game.fakes.dialogs.texts(), QStringList{texts::kFarewell});
        QCOMPARE(game.fakes.dialogs.messages[0].style, Dialogs::OkOnly);
        QCOMPARE(game.fakes.dialogs.messages[0].title, QString());
        QCOMPARE(game.fakes.end.ends, 1);
        QCOMPARE(game->state.exitDelay, qint16(1001));
    }

    // The board may be running when time runs out: its timer stops with the clock's.
    void exitStopsTheBoard() {
        LifeGame game;
        game.start();
        game->Form_Click();
        QVERIFY(game.timer2().enabled);
        QStringList shownOnAStillBoard;
        game.fakes.dialogs.whileOpen = [&](const QString& text) {
            if (!game.timer2().enabled) shownOnAStillBoard.append(text);
        };
        QVERIFY(game.ends([&] { game->cmdExit_Click(); }));
        QCOMPARE(shownOnAStillBoard, QStringList{texts::kFarewell});
    }

    void tickDecidesFromTheShownText() {
        LifeGame game;
        game.start();
        for (int i = 0; i < 30; ++i)
            game.timer1().tick();
        game->lblconto->setCaption("00:00:00");
        QVERIFY(game.ends([&] { game.timer1().tick(); }));

        LifeGame other;
        other.start();
        for (int i = 0; i < 299; ++i)
            other.timer1().tick();
        other->state.clockMinutes = 0;
        other->state.clockSeconds = 0.0F;
        QCOMPARE(other->lblconto->caption(), QString("00:00:01"));
        QVERIFY(!other.ends([&] { other.timer1().tick(); }));
    }

    void minimisingLeavesTheClockAlone() {
        LifeGame game;
        game.start();
        for (int i = 0; i < 10; ++i)
            game.timer1().tick();
        game->showMinimized();
        QVERIFY(game->isMinimized());
        QCOMPARE(game->windowTitle(), texts::kMinimisedTitle);
        QVERIFY(game.timer1().enabled);
        for (int i = 0; i < 50; ++i)
            game.timer1().tick();
        QCOMPARE(game->lblconto->caption(), QString("00:04:00"));
        game->showNormal();
        QCOMPARE(game->windowTitle(), texts::kMinimisedTitle);
        QCOMPARE(game->lblconto->caption(), QString("00:04:00"));
    }
};

QTEST_MAIN(Countdown)
#include "test_countdown.moc"
