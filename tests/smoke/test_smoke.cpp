// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"

#include <QTest>

class Smoke : public QObject {
    Q_OBJECT
  private slots:
    void startShowsTheDesignedWindow() {
        TestGame game;
        game.start("Mario");
        QCOMPARE(game->lblnome1->caption(), QString("Mario"));
        QCOMPARE(game->lblconto->caption(), QString("00:05:00"));
        QCOMPARE(game->Punteggio->caption(), QString("0"));
        QVERIFY(game->isVisible());
        QVERIFY(!game->paricmd->isVisible());
        QVERIFY(game.timer1().enabled);
        QVERIFY(!game.timer2().enabled);
    }
};

QTEST_MAIN(Smoke)
#include "test_smoke.moc"
