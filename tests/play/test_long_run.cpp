// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A long game on the real random source: ticks, hits on shown and hidden targets and start clicks,
// with the board's promises checked after every step.
#include "GameTexts.h"
#include "PlayGame.h"

#include <QElapsedTimer>
#include <QTest>
#include <random>

namespace {

enum Button { Pm, Pm1, Pm2, Dm, Dm1, Dm2 };

// What the last deal of a button allows: its remainder by 6 and its range.
struct Rule {
    int remainder;
    int lowest;
    int highest;
};

// Per target, in PlayGame::targets() order: what a hit on it deals, and its warning.
const Rule kHitDeals[] = {{0, 6, 600},  {0, 12, 3006},   {0, 6, 240},
                          {2, 2, 2396}, {1, 5401, 5401}, {3, 3, 597}};
const QString* const kWarnings[][2] = {
    {nullptr, nullptr},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {&texts::kOpening, &texts::kTailShort},
    {&texts::kOpeningMistake, &texts::kTailLong},
    {&texts::kOpening, &texts::kTailLong},
};

struct ArmDeal {
    Button button;
    Rule rule;
};
// Arms 2 to 6; arm 1 deals nothing.
const ArmDeal kArmDeals[] = {
    {Dm1, {1, 7, 1801}}, {Dm, {1, 7, 5401}}, {Dm2, {4, 10, 1804}}, {Dm1, {3, 9, 1803}}, {Dm2, {2, 8, 1802}}};

// The arm of the last shuffle tick in the log: the draw that follows its clock reseed.
int lastArm(const ScriptedRandom& random) {
    for (std::size_t i = random.calls.size(); i-- > 1;)
        if (random.calls[i - 1].kind == ScriptedRandom::Call::ReseedFromClock &&
            random.calls[i].kind == ScriptedRandom::Call::Draw) {
            const int arm =
                static_cast<int>(std::floor(6.0F * static_cast<float>(random.calls[i].value))) + 1;
            if (arm >= 1 && arm <= 6) return arm;
        }
    return 0;
}

} // namespace

class LongRun : public QObject {
    Q_OBJECT
  private slots:
    void boardKeepsItsPromisesThroughALongGame() {
        PlayGame game;
        game.start();
        std::array<Rule, 6> rules{
            {{0, 6, 600}, {0, 6, 900}, {0, 6, 600}, {1, 7, 601}, {2, 8, 1202}, {3, 9, 603}}};
        const auto targets = game.targets();
        int score = 0;
        QString scoreText = "0";
        std::mt19937 choose(20240611);
        QElapsedTimer clock;
        clock.start();
        int hits = 0;
        int hiddenHits = 0;
        int startClicks = 0;
        int ticks = 0;
        std::array<int, 7> armsSeen{}; // by arm; 0 for none

        for (int step = 0; step < 15000; ++step) {
            const QString where = QString("step %1").arg(step);
            game.random.calls.clear();
            const unsigned roll = choose() % 100;
            // The first step is the start click that sets the shuffle going.
            const bool shuffled = step == 0 || roll < 80;
            if (step == 0 || roll < 3) {
                game->Form_Click();
                ++startClicks;
            } else if (shuffled) {
                QVERIFY(game.timer2().tick());
                ++ticks;
            } else {
                const int target = static_cast<int>(choose() % 6);
                GameButton* button = targets[target];
                const QString clicked = button->caption();
                if (!button->isVisible()) ++hiddenHits;
                ++hits;
                const std::size_t boxes = game.dialogs.messages.size();
                button->click();
                QVERIFY2(!button->isVisible(), qPrintable(where));
                QCOMPARE(button->backColour(), colour::cyan);
                rules[target] = kHitDeals[target];
                if (target < 3) {
                    score += 1;
                    scoreText = " " + QString::number(score);
                    QCOMPARE(game->state.flashCounter, qint16(20001));
                    QCOMPARE(game.dialogs.messages.size(), boxes);
                } else {
                    score -= 4;
                    scoreText = QString::number(score);
                    QCOMPARE(game->state.flashCounter, qint16(10001));
                    QCOMPARE(game.dialogs.messages.size(), boxes + 1);
                    QCOMPARE(game.dialogs.messages.back().text,
                             *kWarnings[target][0] + clicked + *kWarnings[target][1]);
                }
                if (target == Pm2) QCOMPARE(game->state.pari2Value, qint16(captionNumber(button)));
                if (target == Dm2) QCOMPARE(game->state.dispari2Value, qint16(captionNumber(button)));
            }
            const int arm = shuffled ? lastArm(game.random) : 0;
            if (shuffled) {
                QVERIFY2(arm >= 1, qPrintable(where));
                ++armsSeen[arm];
            }
            if (arm >= 2) {
                const ArmDeal& deal = kArmDeals[arm - 2];
                rules[deal.button] = deal.rule;
                const qint16 dealt = static_cast<qint16>(captionNumber(targets[deal.button]));
                const qint16 stored = deal.button == Dm    ? game->state.dispariValue
                                      : deal.button == Dm1 ? game->state.dispari1Value
                                                           : game->state.dispari2Value;
                QVERIFY2(stored == dealt, qPrintable(where));
            }

            QCOMPARE(game->state.score, qint16(score));
            QVERIFY2(game->Punteggio->caption() == scoreText,
                     qPrintable(where + ": " + game->Punteggio->caption()));
            for (int i = 0; i < 6; ++i) {
                bool isNumber = false;
                const int n = targets[i]->caption().toInt(&isNumber);
                const Rule& rule = rules[i];
                const QString what =
                    QString("%1: %2 shows %3").arg(where, targets[i]->objectName(), targets[i]->caption());
                QVERIFY2(isNumber && QString::number(n) == targets[i]->caption(), qPrintable(what));
                QVERIFY2((n % 6 == 0) == (i < 3), qPrintable(what));
                QVERIFY2(n % 6 == rule.remainder && n >= rule.lowest && n <= rule.highest, qPrintable(what));
                QVERIFY2(targets[i]->x() >= 0 && targets[i]->x() <= 799, qPrintable(what));
                QVERIFY2(targets[i]->y() >= 0 && targets[i]->y() <= yPixels(1099), qPrintable(what));
            }
            QVERIFY(game->state.factor1 >= 1 && game->state.factor1 <= 9);
            QVERIFY(game->state.factor2 >= 0 && game->state.factor2 <= 9);
            QVERIFY(game.timer2().enabled);
        }
        // Both kinds of hit happened: the board shows targets as well as hiding them.
        QVERIFY(hiddenHits > 0 && hiddenHits < hits);
        for (int arm = 1; arm <= 6; ++arm)
            QVERIFY(armsSeen[arm] > 0);
        qInfo("%d ticks, %d hits (%d on hidden targets), %d start clicks in %lld ms", ticks, hits, hiddenHits,
              startClicks, static_cast<long long>(clock.elapsed()));
    }
};

QTEST_MAIN(LongRun)
#include "test_long_run.moc"
