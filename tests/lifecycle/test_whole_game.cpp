// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One whole game played by a scripted player on a real disk, and the start after it.
#include "DiskFiles.h"
#include "GameTexts.h"
#include "LifeGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>

namespace {

using texts::kCongratulation;
using texts::kFarewell;

// The first target of the wanted kind that is on show, if any.
GameButton* targetOnShow(LifeGame& game, bool multipleOfSix) {
    const std::array<GameButton*, 3> targets =
        multipleOfSix ? std::array{game->paricmd, game->paricmd1, game->paricmd2}
                      : std::array{game->disparicmd, game->disparicmd1, game->disparicmd2};
    for (GameButton* target : targets)
        if (target->isVisible()) return target;
    return nullptr;
}

} // namespace

class WholeGame : public QObject {
    Q_OBJECT
  private slots:
    void playedToTheEnd() {
        QTemporaryDir temp;
        const QString folder = temp.filePath("dorvana");
        QVERIFY(QDir().mkpath(folder));

        LifeGame game(LifeGame::Disk::Real, folder);
        game.start("Giulia");
        QCOMPARE(game->lblpunti->caption(), QString());
        QCOMPARE(game->lblnome->caption(), QString());

        // Four hits, one miss, three hits: 4, then 0, then 3.
        std::vector<bool> plan{true, true, true, true, false, true, true, true};
        std::size_t shots = 0;
        game.fakes.dialogs.whileOpen = [&](const QString& text) {
            if (text.startsWith("Attenzione")) QVERIFY(text.contains(" non è  un numero divisibile per 6"));
        };

        // Time in milliseconds from the clock start; the player starts the board after three and a half
        // seconds.
        constexpr int kStartClick = 3500;
        int nextTimer1 = 1000;
        int nextTimer2 = kStartClick + 1300;
        bool started = false;
        int timer1Ticks = 0;
        bool ended = false;
        for (int now = 0; !ended && now <= 400000; now += 100) {
            if (!started && now >= kStartClick) {
                QVERIFY(game->paricmd->isHidden());
                game->Form_Click();
                started = true;
            }
            if (now == nextTimer1) {
                nextTimer1 += 1000;
                ++timer1Ticks;
                ended = game.ends([&] { QVERIFY(game.timer1().tick()); });
                if (timer1Ticks == 300) QCOMPARE(game->lblconto->caption(), QString("00:00:00"));
            }
            if (!ended && started && now == nextTimer2) {
                nextTimer2 += 1300;
                QVERIFY(game.timer2().tick());
                GameButton* target = shots < plan.size() ? targetOnShow(game, plan[shots]) : nullptr;
                if (target != nullptr) {
                    QCOMPARE(target->caption().toInt() % 6 == 0, bool(plan[shots]));
                    QTest::mouseClick(target, Qt::LeftButton);
                    ++shots;
                }
            }
        }
        QVERIFY(ended);
        QCOMPARE(timer1Ticks, 301);
        QCOMPARE(shots, plan.size());
        QCOMPARE(game->Punteggio->caption(), QString(" 3"));
        QCOMPARE(game.fakes.dialogs.texts().mid(game.fakes.dialogs.texts().size() - 2),
                 (QStringList{kFarewell, kCongratulation}));
        QCOMPARE(game.fakes.sound.played.size(), 1 + 8);

        QCOMPARE(contents(folder + "/atarvisk.txt"), QByteArray(" 3\r\n"));
        QCOMPARE(contents(folder + "/tarvisk.txt"), QByteArray("Giulia\r\n"));

        LifeGame next(LifeGame::Disk::Real, folder);
        next.start("Marco");
        QCOMPARE(next->lblpunti->caption(), QString(" 3\r\n"));
        QCOMPARE(next->lblnome->caption(), QString("Giulia\r\n"));
        QCOMPARE(next->lblnome1->caption(), QString("Marco"));
        QCOMPARE(next.fakes.dialogs.texts().size(), 1);
    }
};

QTEST_MAIN(WholeGame)
#include "test_whole_game.moc"
