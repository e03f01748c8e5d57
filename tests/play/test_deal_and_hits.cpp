// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The deal on activation, the six hit handlers and the score text they leave.
#include "GameTexts.h"
#include "PlayGame.h"

#include <QEvent>
#include <QTest>

namespace {

// Records every paint of one widget with the back colour it had at that moment.
class PaintSpy : public QObject {
  public:
    explicit PaintSpy(GameButton* button) : button_(button) { button->installEventFilter(this); }
    QList<BgrColour> colours;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == button_ && event->type() == QEvent::Paint) colours.append(button_->backColour());
        return false;
    }

  private:
    GameButton* button_;
};

using Handler = void (Tavola::*)();

// Same order as PlayGame::targets().
const Handler kClicks[] = {&Tavola::paricmd_Click,    &Tavola::paricmd1_Click,    &Tavola::paricmd2_Click,
                           &Tavola::disparicmd_Click, &Tavola::disparicmd1_Click, &Tavola::disparicmd2_Click};

void click(PlayGame& game, int target) {
    ((*game.tavola).*kClicks[target])();
}

// Started and shown, with every log cleared.
void startQuietly(PlayGame& game) {
    game.start();
    game->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.tavola.get()));
    game.clearLogs();
}

} // namespace

class DealAndHits : public QObject {
    Q_OBJECT
  private slots:
    void dealFollowsEachFormula_data() {
        QTest::addColumn<float>("r");
        // paricmd, paricmd1, paricmd2, disparicmd, disparicmd1, disparicmd2
        QTest::addColumn<QList<int>>("captions");
        QTest::newRow("r = 0") << 0.0F << QList<int>{6, 6, 6, 7, 8, 9};
        QTest::newRow("r = 0.5") << 0.5F << QList<int>{306, 456, 306, 307, 608, 309};
        QTest::newRow("largest r") << kTopDraw << QList<int>{600, 900, 600, 601, 1202, 603};
    }
    void dealFollowsEachFormula() {
        QFETCH(float, r);
        QFETCH(QList<int>, captions);
        PlayGame game;
        startQuietly(game);
        game->state.score = 17;
        game->Punteggio->setCaption(" 17");
        // What the deal must leave alone: visibility, place and colour of the targets.
        game->paricmd->show();
        game->disparicmd1->show();
        game->disparicmd->setBackColour(colour::red);
        game->paricmd2->setBackColour(colour::green);
        game->paricmd1->setTop(300);
        const QPoint paricmd1At = game->paricmd1->pos();

        game.script({r, r, r, r, r, r, 0.35F, 0.45F});
        game->Form_Activate();

        const auto targets = game.targets();
        for (int i = 0; i < 6; ++i)
            QCOMPARE(captionNumber(targets[i]), captions[i]);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(captionNumber(targets[i]) % 6, 0);
        QCOMPARE(captionNumber(game->disparicmd) % 6, 1);
        QCOMPARE(captionNumber(game->disparicmd1) % 6, 2);
        QCOMPARE(captionNumber(game->disparicmd2) % 6, 3);
        // paricmd2 is drawn right after a reseed with the number just dealt to paricmd1.
        const QStringList expected{"reseed 0",
                                   "draw",
                                   "reseed 0",
                                   "draw",
                                   "reseed 0",
                                   "draw",
                                   "reseed 0",
                                   "draw",
                                   "reseed 0",
                                   "draw",
                                   QString("reseed %1").arg(captions[1]),
                                   "draw",
                                   "clock",
                                   "draw",
                                   "draw"};
        QCOMPARE(game.trace(), expected);
        QCOMPARE(game->state.score, qint16(0));
        QCOMPARE(game->Punteggio->caption(), QString("0"));
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(4));

        QVERIFY(game->paricmd->isVisible());
        QVERIFY(game->disparicmd1->isVisible());
        QVERIFY(!game->paricmd1->isVisible());
        QVERIFY(!game->disparicmd->isVisible());
        QCOMPARE(game->disparicmd->backColour(), colour::red);
        QCOMPARE(game->paricmd2->backColour(), colour::cyan);
        QCOMPARE(game->paricmd1->pos(), paricmd1At);
        QVERIFY(game.sound.played.isEmpty());
        QVERIFY(game.dialogs.messages.empty());
    }

    void correctHitScoresAndRedeals_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("dealt");
        QTest::newRow("paricmd, r = 0") << 0 << 0.0F << 6;
        QTest::newRow("paricmd, largest r") << 0 << kTopDraw << 600;
        QTest::newRow("paricmd1, r = 0") << 1 << 0.0F << 12;
        QTest::newRow("paricmd1, largest r") << 1 << kTopDraw << 3006;
        QTest::newRow("paricmd2, r = 0") << 2 << 0.0F << 6;
        QTest::newRow("paricmd2, largest r") << 2 << kTopDraw << 240;
    }
    void correctHitScoresAndRedeals() {
        QFETCH(int, target);
        QFETCH(float, r);
        QFETCH(int, dealt);
        PlayGame game;
        startQuietly(game);
        GameButton* button = game.targets()[target];
        // Whatever number it shows, a correct target scores.
        button->setCaption("7");
        button->show();
        if (target != 2) game->paricmd2->setBackColour(colour::red);
        game->state.pari2Value = 99;
        QCoreApplication::processEvents();

        struct AtCue {
            QString punteggio;
            qint16 flashCounter;
            BgrColour colour;
            bool visible;
            QString caption;
        };
        std::vector<AtCue> atCue;
        game.sound.onPlay = [&](const QString&) {
            atCue.push_back({game->Punteggio->caption(), game->state.flashCounter, button->backColour(),
                             button->isVisible(), button->caption()});
        };
        PaintSpy paints(button);
        // Held after the counted writes, with the green painted, before the cue.
        game.timers.whileHeld = [&] {
            QVERIFY(game->state.flashCounter == 20001 && paints.colours.contains(colour::green));
            QVERIFY(game.sound.played.isEmpty());
        };

        game.script({r, 0.35F, 0.45F});
        click(game, target);

        QCOMPARE(game.timers.holdsUntil, std::vector<qint64>{120});
        QCOMPARE(game->state.flashCounter, qint16(20001));
        QCOMPARE(game.sound.played, QStringList{"/opt/dorvana/suoni/sparo.wav"});
        QCOMPARE(atCue.size(), std::size_t(1));
        // The cue comes when the flash is over and before the score on show changes.
        QCOMPARE(atCue[0].punteggio, QString("0"));
        QCOMPARE(atCue[0].flashCounter, qint16(20001));
        QCOMPARE(atCue[0].colour, colour::green);
        QVERIFY(atCue[0].visible);
        QCOMPARE(atCue[0].caption, QString("7"));

        QCOMPARE(game->state.score, qint16(1));
        QCOMPARE(game->Punteggio->caption(), QString(" 1"));
        QVERIFY(!button->isVisible());
        QCOMPARE(button->backColour(), colour::cyan);
        QCOMPARE(captionNumber(button), dealt);
        QCOMPARE(game->state.pari2Value, qint16(target == 2 ? dealt : 99));
        QCOMPARE(game.trace(), (QStringList{"reseed 0", "draw", "clock", "draw", "draw"}));
        // The painter ran last, with its own draws.
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(4));
        QCOMPARE(game->lblNum1->caption(), QString("3"));
        QCOMPARE(game->paricmd2->backColour(), colour::cyan);
        QVERIFY(game.dialogs.messages.empty());

        // The green shows while the handler still runs, and 20,000 writes of it do not mean 20,000 paints.
        QVERIFY2(paints.colours.contains(colour::green), "the flash was never painted");
        QVERIFY2(paints.colours.size() <= 5, qPrintable(QString("%1 paints").arg(paints.colours.size())));
    }

    void wrongHitWarnsCostsAndRedeals_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<float>("r");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("dealt");
        QTest::addColumn<QStringList>("dealTrace");
        const QString w0 = texts::kOpening + "45" + texts::kTailShort;
        const QString w1 = texts::kOpeningMistake + "45" + texts::kTailLong;
        const QString w2 = texts::kOpening + "45" + texts::kTailLong;
        QTest::newRow("disparicmd, r = 0") << 3 << 0.0F << w0 << 2 << QStringList{"reseed 0", "draw"};
        QTest::newRow("disparicmd, largest r")
            << 3 << kTopDraw << w0 << 2396 << QStringList{"reseed 0", "draw"};
        // disparicmd1 reseeds but takes no draw: its number is always the same.
        QTest::newRow("disparicmd1, r = 0") << 4 << 0.0F << w1 << 5401 << QStringList{"reseed 0"};
        QTest::newRow("disparicmd1, largest r") << 4 << kTopDraw << w1 << 5401 << QStringList{"reseed 0"};
        QTest::newRow("disparicmd2, r = 0") << 5 << 0.0F << w2 << 3 << QStringList{"reseed 77", "draw"};
        QTest::newRow("disparicmd2, largest r")
            << 5 << kTopDraw << w2 << 597 << QStringList{"reseed 77", "draw"};
    }
    void wrongHitWarnsCostsAndRedeals() {
        QFETCH(int, target);
        QFETCH(float, r);
        QFETCH(QString, warning);
        QFETCH(int, dealt);
        QFETCH(QStringList, dealTrace);
        PlayGame game;
        startQuietly(game);
        GameButton* button = game.targets()[target];
        button->setCaption("45");
        button->show();
        game->paricmd2->setBackColour(colour::red);
        game->state.dispari2Value = 77;
        QCoreApplication::processEvents();

        int boxesAtCue = -1;
        QString punteggioAtCue;
        game.sound.onPlay = [&](const QString&) {
            boxesAtCue = static_cast<int>(game.dialogs.messages.size());
            punteggioAtCue = game->Punteggio->caption();
        };
        struct WhileOpen {
            int cues;
            qint16 score;
            QString punteggio;
            bool visible;
            QString caption;
            BgrColour colour;
        };
        std::vector<WhileOpen> open;
        game.dialogs.whileOpen = [&](const QString&) {
            open.push_back({static_cast<int>(game.sound.played.size()), game->state.score,
                            game->Punteggio->caption(), button->isVisible(), button->caption(),
                            button->backColour()});
        };
        PaintSpy paints(button);
        // Held after the counted writes, with the red painted, before the cue and the box.
        game.timers.whileHeld = [&] {
            QVERIFY(game->state.flashCounter == 10001 && paints.colours.contains(colour::red));
            QVERIFY(game.sound.played.isEmpty() && game.dialogs.messages.empty());
        };

        // disparicmd1 draws nothing of its own: the painter takes the first two draws then.
        if (target == 4)
            game.script({0.35F, 0.45F});
        else
            game.script({r, 0.35F, 0.45F});
        click(game, target);

        QCOMPARE(game.timers.holdsUntil, std::vector<qint64>{120});
        QCOMPARE(game->state.flashCounter, qint16(10001));
        QCOMPARE(game.sound.played, QStringList{"/opt/dorvana/suoni/esplosi.wav"});
        QCOMPARE(boxesAtCue, 0);
        QCOMPARE(punteggioAtCue, QString("0"));

        QCOMPARE(game.dialogs.messages.size(), std::size_t(1));
        const FakeDialogs::Message& box = game.dialogs.messages[0];
        QCOMPARE(box.text, warning);
        QCOMPARE(box.style, Dialogs::OkOnly);
        QVERIFY(box.title.isEmpty() || box.title == "Dorvana");
        QCOMPARE(open.size(), std::size_t(1));
        QCOMPARE(open[0].cues, 1);
        QCOMPARE(open[0].score, qint16(0));
        QCOMPARE(open[0].punteggio, QString("0"));
        QVERIFY(open[0].visible);
        QCOMPARE(open[0].caption, QString("45"));
        QCOMPARE(open[0].colour, colour::red);

        QCOMPARE(game->state.score, qint16(-4));
        QCOMPARE(game->Punteggio->caption(), QString("-4"));
        QVERIFY(!button->isVisible());
        QCOMPARE(button->backColour(), colour::cyan);
        QCOMPARE(captionNumber(button), dealt);
        QVERIFY(dealt % 6 != 0);
        QCOMPARE(game->state.dispari2Value, qint16(target == 5 ? dealt : 77));
        QCOMPARE(game.trace(), dealTrace + QStringList({"clock", "draw", "draw"}));
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(4));
        QCOMPARE(game->lblNum2->caption(), QString("4"));
        QCOMPARE(game->paricmd2->backColour(), colour::cyan);

        QVERIFY2(paints.colours.contains(colour::red), "the flash was never painted");
        QVERIFY2(paints.colours.size() <= 5, qPrintable(QString("%1 paints").arg(paints.colours.size())));
    }

    void disparicmd1AlwaysShows5401() {
        PlayGame game;
        startQuietly(game);
        for (const char* before : {"13", "5401", "1801"}) {
            game->disparicmd1->setCaption(before);
            game->disparicmd1_Click();
            QCOMPARE(game->disparicmd1->caption(), QString("5401"));
        }
        QCOMPARE(game->state.score, qint16(-12));
    }

    void scoreTextTellsTheLastHit_data() {
        QTest::addColumn<int>("scoreBefore");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("correct from 0") << 0 << QList<int>{0} << QStringList{" 1"};
        QTest::newRow("wrong from 0, then correct") << 0 << QList<int>{3, 1} << QStringList{"-4", " -3"};
        QTest::newRow("each target once")
            << 0 << QList<int>{4, 2, 5, 0, 1, 3} << QStringList{"-4", " -3", "-7", " -6", " -5", "-9"};
        QTest::newRow("wrong from 12") << 12 << QList<int>{5, 0} << QStringList{"8", " 9"};
    }
    void scoreTextTellsTheLastHit() {
        QFETCH(int, scoreBefore);
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, texts);
        PlayGame game;
        startQuietly(game);
        game->state.score = static_cast<qint16>(scoreBefore);
        QStringList shown;
        for (int target : clicks) {
            click(game, target);
            shown.append(game->Punteggio->caption());
        }
        QCOMPARE(shown, texts);
    }

    // The box is modal, but the timers tick on inside it: when it closes, the handler finishes
    // with its own button, whatever the ticks did to it meanwhile.
    void ticksWhileTheWarningIsOpen_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<float>("scenario"); // an arm that shows this very button again
        QTest::addColumn<int>("dealt");
        QTest::newRow("disparicmd, arm 4") << 3 << 0.5F << 2;
        QTest::newRow("disparicmd1, arm 2") << 4 << 0.2F << 5401;
        QTest::newRow("disparicmd2, arm 6") << 5 << 0.9F << 3;
    }
    void ticksWhileTheWarningIsOpen() {
        QFETCH(int, target);
        QFETCH(float, scenario);
        QFETCH(int, dealt);
        PlayGame game;
        startQuietly(game);
        game->Form_Click();
        GameButton* button = game.targets()[target];
        button->setCaption("45");
        button->show();
        const QString clickedText = QString("  45 ");

        bool shownByTick = false;
        game.dialogs.whileOpen = [&](const QString&) {
            game.random.script.clear();
            game.script({scenario, 0.1F, 0.2F, 0.3F, 0.4F, 0.5F, 0.6F, 0.7F, 0.8F, 0.9F, 0.5F});
            QVERIFY(game.timer2().tick());
            shownByTick = button->isVisible();
            game.random.script.clear();
            QVERIFY(game.timer2().tick());
            QVERIFY(game.timer1().tick());
            // What the handler draws once the box is closed.
            game.random.script.clear();
            game.script({0.0F, 0.35F, 0.45F});
            if (target == 4) game.random.script.pop_front();
        };
        game->state.dispari2Value = 77;
        click(game, target);

        QVERIFY(shownByTick);
        QVERIFY(game.dialogs.messages.back().text.contains(clickedText));
        QVERIFY(!button->isVisible());
        QCOMPARE(captionNumber(button), dealt);
        QCOMPARE(button->backColour(), colour::cyan);
        QCOMPARE(game->Punteggio->caption(), QString("-4"));
        QCOMPARE(game->state.factor1, qint16(3));
        QVERIFY(game.timer2().enabled);
    }
};

QTEST_MAIN(DealAndHits)
#include "test_deal_and_hits.moc"
