// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The board shuffle's six arms and the start click that sets it going.
#include "GameTexts.h"
#include "PlayGame.h"

#include "window/Surface.h"

#include <QTest>
#include <optional>

namespace {

enum Button { Pm, Pm1, Pm2, Dm, Dm1, Dm2 };
enum Field { DispariValue, Dispari1Value, Dispari2Value };

struct Write {
    Button button;
    char axis; // 'L'eft or 'T'op
    int k;     // the draw is floor(k·r) + offset
    int offset = 0;
};

struct Deal {
    Field reseedWith;
    Field storedIn;
    Button caption;
    int k;
    int remainder;
};

struct Arm {
    std::vector<Write> writes; // in the order of their draws
    std::optional<Deal> deal;
    const char* seen; // paricmd, paricmd1, paricmd2, disparicmd, disparicmd1, disparicmd2
};

// What each arm does, as the player would see it.
const Arm kArms[] = {
    {{{Dm, 'L', 450}, {Dm, 'T', 1100}, {Pm1, 'L', 300}, {Pm, 'T', 600}}, std::nullopt, "VHV=HH"},
    {{{Pm, 'L', 800}, {Pm, 'T', 800}, {Pm1, 'L', 300}, {Pm1, 'T', 300}},
     Deal{Dispari1Value, Dispari1Value, Dm1, 300, 1},
     "VV==VV"},
    {{{Pm2, 'T', 150}, {Pm1, 'T', 300}, {Dm1, 'T', 300}, {Dm2, 'T', 150}, {Dm2, 'L', 50}},
     Deal{DispariValue, DispariValue, Dm, 900, 1},
     "HH=HVV"},
    {{{Dm, 'L', 300, 1}, {Dm, 'T', 1000, 1}, {Pm1, 'T', 500}, {Pm1, 'L', 300}},
     Deal{Dispari2Value, Dispari2Value, Dm2, 300, 4},
     "=VVVVH"},
    {{{Pm2, 'T', 200}, {Pm1, 'T', 300}, {Dm1, 'T', 900}, {Dm2, 'T', 500}, {Dm, 'T', 300}},
     Deal{Dispari2Value, Dispari1Value, Dm1, 300, 3},
     "HH=HVH"},
    {{{Pm, 'T', 200}, {Pm2, 'T', 30}, {Dm, 'T', 900}, {Dm1, 'T', 70}, {Dm2, 'T', 250}, {Dm1, 'L', 300}},
     Deal{Dispari2Value, Dispari2Value, Dm2, 300, 2},
     "=H==HV"},
};

const qint16 kFieldsBefore[] = {11, 22, 33};

qint16& field(Tavola& tavola, Field which) {
    switch (which) {
    case DispariValue:
        return tavola.state.dispariValue;
    case Dispari1Value:
        return tavola.state.dispari1Value;
    case Dispari2Value:
        break;
    }
    return tavola.state.dispari2Value;
}

} // namespace

class Shuffle : public QObject {
    Q_OBJECT
  private slots:
    void eachArm_data() {
        QTest::addColumn<int>("arm");
        QTest::addColumn<int>("mode"); // 0: every draw at its lowest, 1: at its highest, 2: distinct draws
        for (int arm = 1; arm <= 6; ++arm) {
            QTest::addRow("arm %d, lowest draws, all hidden before", arm) << arm << 0;
            QTest::addRow("arm %d, highest draws, all shown before", arm) << arm << 1;
            QTest::addRow("arm %d, distinct draws, some shown before", arm) << arm << 2;
        }
    }
    void eachArm() {
        QFETCH(int, arm);
        QFETCH(int, mode);
        const Arm& table = kArms[arm - 1];
        PlayGame game;
        game.start();
        auto targets = game.targets();

        for (int i = 0; i < 6; ++i) {
            targets[i]->setVisible(mode == 1 || (mode == 2 && i % 2 == 0));
            targets[i]->setLeft(10 + i);
            targets[i]->setTop(20 + 3 * i);
        }
        game->state.dispariValue = kFieldsBefore[0];
        game->state.dispari1Value = kFieldsBefore[1];
        game->state.dispari2Value = kFieldsBefore[2];
        std::array<bool, 6> visibleBefore{};
        std::array<QPoint, 6> expectedAt{};
        std::array<QString, 6> expectedCaption{};
        for (int i = 0; i < 6; ++i) {
            visibleBefore[i] = targets[i]->isVisible();
            expectedAt[i] = targets[i]->pos();
            expectedCaption[i] = targets[i]->caption();
        }

        // The scenario draw, at the low or high end of this arm's sixth, or in its middle.
        const float scenario = mode == 0   ? static_cast<float>(arm - 1) / 6.0F
                               : mode == 1 ? std::nextafter(static_cast<float>(arm) / 6.0F, 0.0F)
                                           : (static_cast<float>(arm) - 0.5F) / 6.0F;
        game.clearLogs();
        game.script({scenario});
        QStringList expectedTrace{"clock", "draw"};
        for (std::size_t k = 0; k < table.writes.size(); ++k) {
            const Write& write = table.writes[k];
            // Binary fractions keep the products exact, so each value tells which draw it came from.
            const int numerator = 2 * static_cast<int>(k) + 1;
            game.script({mode == 0 ? 0.0F : mode == 1 ? kTopDraw : numerator / 32.0F});
            const int units = write.offset + (mode == 0   ? 0
                                              : mode == 1 ? write.k - 1
                                                          : write.k * numerator / 32);
            if (write.axis == 'L')
                expectedAt[write.button].setX(units);
            else
                expectedAt[write.button].setY(yPixels(units));
            expectedTrace.append("draw");
        }
        if (table.deal) {
            const Deal& deal = *table.deal;
            game.script({mode == 0 ? 0.0F : mode == 1 ? kTopDraw : 0.5F});
            const int m = mode == 0 ? 1 : mode == 1 ? deal.k : deal.k / 2 + 1;
            expectedCaption[deal.caption] = QString::number(6 * m + deal.remainder);
            expectedTrace << QString("reseed %1").arg(kFieldsBefore[deal.reseedWith]) << "draw";
        }

        game->Timer2_Timer();

        for (int i = 0; i < 6; ++i) {
            const char seen = table.seen[i];
            const bool expectedVisible = seen == '=' ? visibleBefore[i] : seen == 'V';
            QVERIFY2(targets[i]->isVisible() == expectedVisible, targets[i]->objectName().toLatin1());
            QCOMPARE(targets[i]->pos(), expectedAt[i]);
            QCOMPARE(targets[i]->caption(), expectedCaption[i]);
        }
        QCOMPARE(game.trace(), expectedTrace);
        for (Field f : {DispariValue, Dispari1Value, Dispari2Value}) {
            const qint16 expected = table.deal && table.deal->storedIn == f
                                        ? static_cast<qint16>(expectedCaption[table.deal->caption].toInt())
                                        : kFieldsBefore[f];
            QCOMPARE(field(*game, f), expected);
        }
        if (table.deal) QVERIFY(expectedCaption[table.deal->caption].toInt() % 6 != 0);
    }

    void positionsAreScaledToTheClientArea() {
        PlayGame game;
        game.start();
        // Arm 1: disparicmd goes 225 pixels across and 512 units down, just below the client area.
        game.script({0.0F, 0.5F, 512.5F / 1100.0F, 0.0F, 0.0F});
        game->Timer2_Timer();
        QCOMPARE(game->disparicmd->pos(), QPoint(225, 672));
        QCOMPARE(game->surface()->height(), 672);
    }

    void startClickRunsItsStepsInOrder() {
        PlayGame game;
        // Two painter runs at load, the deal, and its painter run.
        game.script({0.35F, 0.45F, 0.35F, 0.45F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.5F, 0.35F, 0.45F});
        game.start();
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(4));
        game->paricmd2->setBackColour(colour::red);
        game->lblMessage->setCaption("x");
        game->state.dispari2Value = 33;
        game.clearLogs();
        game.random.script.clear();

        const QImage& image = game->surface()->image();
        const QColor oldTop(60, 80, 0);
        const QColor newTop(100, 120, 0);
        QCOMPARE(image.pixelColor(0, 0), oldTop);

        QStringList steps;
        game.random.onReseedFromClock = [&] {
            steps << QString("clock: timer2 %1, top band %2")
                         .arg(game.timer2().enabled ? "on" : "off", image.pixelColor(0, 0).name());
        };
        game.sound.onPlay = [&](const QString& path) {
            steps << QString("%1: factors %2 %3, top band %4")
                         .arg(path, game->lblNum1->caption(), game->lblNum2->caption(),
                              image.pixelColor(0, 0).name());
        };
        // a = 5 after one retry, b = 6; then an arm-4 tick.
        game.script({0.0F, 0.55F, 0.66F, 0.5F, 0.1F, 0.1F, 0.1F, 0.1F, 0.0F});
        game->Form_Click();

        QCOMPARE(steps, (QStringList{"clock: timer2 off, top band " + oldTop.name(),
                                     "/opt/dorvana/suoni/laser.wav: factors 5 6, top band " + oldTop.name(),
                                     "clock: timer2 on, top band " + newTop.name()}));
        QCOMPARE(game.trace(), (QStringList{"clock", "draw", "draw", "draw", "clock", "draw", "draw", "draw",
                                            "draw", "draw", "reseed 33", "draw"}));
        QCOMPARE(image.pixelColor(0, 0), newTop);
        QCOMPARE(game->lblMessage->caption(), QString());
        // The pair is for this click only; the colour of paricmd2 is the painter's business, not ours.
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(4));
        QCOMPARE(game->paricmd2->backColour(), colour::red);
        QVERIFY(game.timer2().enabled);
        QCOMPARE(game.timer2().interval, 1300);
        QVERIFY(game->disparicmd->isVisible());
        QCOMPARE(game->disparicmd2->caption(), QString("10"));

        // Again while the shuffle runs: the whole sequence once more, and the timer stays on.
        steps.clear();
        game.clearLogs();
        game.script({0.95F, 0.05F, 0.5F, 0.1F, 0.1F, 0.1F, 0.1F, 0.0F});
        game->Form_Click();
        QCOMPARE(steps.size(), 3);
        QCOMPARE(game->lblNum1->caption(), QString("9"));
        QCOMPARE(game->lblNum2->caption(), QString("0"));
        QCOMPARE(image.pixelColor(0, 0), QColor(180, 0, 0));
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(4));
        QVERIFY(game.timer2().enabled);
        QCOMPARE(game.sound.played, QStringList{"/opt/dorvana/suoni/laser.wav"});
    }

    void backgroundClickStartsPlay() {
        PlayGame game;
        game.start();
        QVERIFY(QTest::qWaitForWindowExposed(game.tavola.get()));
        QVERIFY(!game.timer2().enabled);
        // Where the disabled start bar lies, the click belongs to the window beneath.
        QTest::mouseClick(game->surface(), Qt::LeftButton, {}, game->cmdNext->geometry().center());
        QVERIFY(game.timer2().enabled);
        QCOMPARE(game.sound.played, QStringList{"/opt/dorvana/suoni/laser.wav"});
    }
};

QTEST_MAIN(Shuffle)
#include "test_shuffle.moc"
