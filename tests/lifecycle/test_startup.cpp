// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The start of the program, a new game from the menu, the minimised caption and closing the window.
#include "GameTexts.h"
#include "LifeGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// What the window shows when it is freshly loaded, before the load sequence changes anything.
void verifyDesignState(LifeGame& game) {
    QCOMPARE(game->windowTitle(), QString("Dorvana"));
    QCOMPARE(game->lblnome->caption(), QString("nome"));
    QCOMPARE(game->lblpunti->caption(), QString("0"));
    QCOMPARE(game->lblnome1->caption(), QString());
    QCOMPARE(game->Punteggio->caption(), QString("0"));
    QCOMPARE(game->lblconto->caption(), QString("00.00.00"));
    QCOMPARE(game->disparicmd1->caption(), QString("63"));
    QCOMPARE(game->paricmd->caption(), QString());
    for (GameButton* target : {game->paricmd, game->paricmd1, game->paricmd2, game->disparicmd,
                               game->disparicmd1, game->disparicmd2})
        QVERIFY(target->isHidden());
    QVERIFY(!game->cmdNext->isEnabled());
}

} // namespace

class Startup : public QObject {
    Q_OBJECT
  private slots:
    // The load sequence runs in full before anything else, and its time does not count.
    void startOrder() {
        LifeGame game;
        FakeDialogs& dialogs = game.fakes.dialogs;
        QStringList trace;
        dialogs.whileAsking = [&](const QString& prompt) {
            trace.append("prompt " + prompt);
            QVERIFY(!game.timer1().enabled);
            QVERIFY(!game.timer2().enabled);
            QCOMPARE(game->lblconto->caption(), QString("00.00.00"));
            QVERIFY(!game->isVisible());
        };
        dialogs.whileOpen = [&](const QString& text) {
            trace.append("message " + text);
            QVERIFY(!game.timer1().enabled);
            QVERIFY(!game.timer2().enabled);
            QVERIFY(game.fakes.files.log.empty());
        };
        int painterRuns = 0;
        game.random.onReseedFromClock = [&] {
            trace.append(QString("painter after %1 file steps, clock %2, window %3")
                             .arg(game.fakes.files.log.size())
                             .arg(game->lblconto->caption())
                             .arg(game->isVisible() ? "shown" : "hidden"));
            QVERIFY(game.timer1().enabled);
            // Run n draws a 0, which must be drawn again, then the factors (n, 7).
            ++painterRuns;
            game.random.script.assign({0.0F, 0.1F * static_cast<float>(painterRuns) + 0.05F, 0.75F});
        };
        game.start("Mario");

        QCOMPARE(trace, (QStringList{
                            "prompt " + texts::kPrompt,
                            "message  Mario" + texts::kGreetingTail,
                            "painter after 10 file steps, clock 00:05:00, window hidden",
                            "painter after 10 file steps, clock 00:05:00, window hidden",
                            "painter after 10 file steps, clock 00:05:00, window shown",
                        }));
        QCOMPARE(game.fakes.files.log, (std::vector<QString>{
                                           "lock " + game.fakes.folders.records + "/dorvana.lock",
                                           "open Append " + game.scorePath(),
                                           "close " + game.scorePath(),
                                           "open Append " + game.holderPath(),
                                           "close " + game.holderPath(),
                                           "open Input " + game.scorePath(),
                                           "close " + game.scorePath(),
                                           "open Input " + game.holderPath(),
                                           "close " + game.holderPath(),
                                           "unlock",
                                       }));
        QCOMPARE(dialogs.messages[0].style, Dialogs::OkOnly);
        QCOMPARE(dialogs.messages[0].title, QString());
        QCOMPARE(game->lblnome1->caption(), QString("Mario"));
        QCOMPARE(game->Punteggio->caption(), QString("0"));
        QCOMPARE(game->lblconto->caption(), QString("00:05:00"));
        // The last painter run's pair is the one kept.
        QCOMPARE(game->state.factor1, qint16(3));
        QCOMPARE(game->state.factor2, qint16(7));
        QCOMPARE(game->lblNum1->caption(), QString("3"));
        QCOMPARE(game->lblNum2->caption(), QString("7"));
        QVERIFY(game.random.script.empty());
        QVERIFY(game.timer1().enabled);
        QVERIFY(!game.timer2().enabled);
        QCOMPARE(game.fakes.files.openCount(), 0);
    }

    // Cancel gives the empty name: greeted so, and a record set in this game has an empty holder.
    void cancelAtThePrompt() {
        LifeGame game;
        QVERIFY(game.fakes.dialogs.names.empty());
        game->start();
        QCOMPARE(game.fakes.dialogs.texts(), QStringList{" " + texts::kGreetingTail});
        QCOMPARE(game->lblnome1->caption(), QString());
        game->Punteggio->setCaption(" 3");
        QVERIFY(game.ends([&] { game->cmdExit_Click(); }));
        QCOMPARE(game.fakes.files.disk[game.holderPath()], QByteArray("\r\n"));
    }

    // Enter answers No: the game goes on exactly where it was.
    void newGameNo() {
        LifeGame game;
        game.start("Mario");
        game->Form_Click();
        for (int i = 0; i < 5; ++i)
            game.timer1().tick();
        game->paricmd_Click();
        const QString score = game->Punteggio->caption();
        const GameButton* oldButton = game->paricmd;
        const std::size_t fileSteps = game.fakes.files.log.size();
        game.fakes.dialogs.messages.clear();

        game->Next_Click();
        QCOMPARE(game.fakes.dialogs.messages.size(), std::size_t(1));
        const FakeDialogs::Message& question = game.fakes.dialogs.messages[0];
        QCOMPARE(question.text, texts::kNewGameQuestion);
        QCOMPARE(question.title, texts::kNewGameTitle);
        QCOMPARE(question.style, 292);
        QCOMPARE(game.fakes.dialogs.prompts.size(), 1);
        QCOMPARE(game->paricmd, oldButton);
        QCOMPARE(game->Punteggio->caption(), score);
        QCOMPARE(game->lblconto->caption(), QString("00:04:55"));
        QVERIFY(game.timer1().enabled);
        QVERIFY(game.timer2().enabled);
        QCOMPARE(game.fakes.files.log.size(), fileSteps);
    }

    // Yes abandons the game without a record decision and starts over from the design state.
    void newGameYes() {
        LifeGame game;
        game.fakes.files.disk[game.scorePath()] = " 1\r\n";
        game.fakes.files.disk[game.holderPath()] = "Ada\r\n";
        game.start("Mario");
        game->Form_Click();
        for (int i = 0; i < 40; ++i) {
            game.timer1().tick();
            game.timer2().tick();
        }
        game->paricmd_Click();
        game->paricmd_Click();
        game->showMinimized();
        QCOMPARE(game->windowTitle(), texts::kMinimisedTitle);
        game->showNormal();
        const GameState before = game->state;

        game.fakes.dialogs.answers.push_back(Dialogs::AnswerYes);
        game.fakes.dialogs.names.push_back("Luigi");
        bool sawDesignState = false;
        game.fakes.dialogs.whileAsking = [&](const QString&) {
            QVERIFY(!game->isVisible());
            QVERIFY(!game.timer1().enabled);
            QVERIFY(!game.timer2().enabled);
            verifyDesignState(game);
            sawDesignState = true;
        };
        int painterRuns = 0;
        game.random.onReseedFromClock = [&] {
            ++painterRuns;
            game.random.script.assign({0.0F, 0.1F * static_cast<float>(painterRuns) + 0.05F, 0.75F});
        };
        game.fakes.files.log.clear();
        game->Next_Click();

        QVERIFY(sawDesignState);
        QCOMPARE(painterRuns, 2);
        QCOMPARE(game.fakes.dialogs.prompts, (QStringList{texts::kPrompt, texts::kPrompt}));
        QCOMPARE(game.fakes.dialogs.texts().last(), QString(" Luigi" + texts::kGreetingTail));
        for (const QString& step : game.fakes.files.log)
            QVERIFY2(!step.startsWith("open Output"), qPrintable(step));
        QCOMPARE(game.fakes.files.disk[game.scorePath()], QByteArray(" 1\r\n"));
        QCOMPARE(game.fakes.files.disk[game.holderPath()], QByteArray("Ada\r\n"));
        QCOMPARE(game.fakes.end.ends, 0);

        QVERIFY(game->isVisible());
        QCOMPARE(game->windowTitle(), QString("Dorvana"));
        QCOMPARE(game->lblnome1->caption(), QString("Luigi"));
        QCOMPARE(game->lblpunti->caption(), QString(" 1\r\n"));
        QCOMPARE(game->lblnome->caption(), QString("Ada\r\n"));
        QCOMPARE(game->Punteggio->caption(), QString("0"));
        QCOMPARE(game->lblconto->caption(), QString("00:05:00"));
        QVERIFY(game.timer1().enabled);
        QVERIFY(!game.timer2().enabled);
        QVERIFY(game->paricmd->isHidden());

        // Kept: what no step of the reload sets.
        const GameState& after = game->state;
        QCOMPARE(after.score, qint16(0));
        QCOMPARE(after.flashCounter, before.flashCounter);
        QCOMPARE(after.dispariValue, before.dispariValue);
        QCOMPARE(after.dispari1Value, before.dispari1Value);
        QCOMPARE(after.dispari2Value, before.dispari2Value);
        QCOMPARE(after.pari2Value, before.pari2Value);
        QCOMPARE(after.exitDelay, before.exitDelay);
        QCOMPARE(after.factor1, qint16(2));
        QCOMPARE(after.factor2, qint16(7));
        QCOMPARE(game->lblNum1->caption(), QString("2"));

        // The new clock counts the full five minutes.
        for (int i = 0; i < 300; ++i)
            game.timer1().tick();
        QCOMPARE(game->lblconto->caption(), QString("00:00:00"));
        QVERIFY(game.ends([&] { game.timer1().tick(); }));
    }

    void closingNeverKeepsARecord() {
        LifeGame game;
        game.start("Mario");
        game->Punteggio->setCaption(" 7");
        game.fakes.dialogs.messages.clear();
        game.fakes.files.log.clear();
        QSignalSpy closed(game.tavola.get(), &Tavola::closedByPlayer);
        QVERIFY(game->close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(game.fakes.dialogs.messages.empty());
        QVERIFY(game.fakes.files.log.empty());
        QCOMPARE(game.fakes.end.ends, 0);
    }
};

QTEST_MAIN(Startup)
#include "test_startup.moc"
