// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window does with captions, mouse clicks, keys and menu choices before any play logic runs.
#include "GameTexts.h"
#include "TestGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Surface.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A click as the platform delivers it: to whatever control lies under the pointer.
void clickAt(Tavola& tavola, QPoint inClientArea, int clicks = 1) {
    const QPoint point = tavola.surface()->mapTo(&tavola, inClientArea);
    if (clicks == 2) QTest::mouseDClick(tavola.windowHandle(), Qt::LeftButton, {}, point);
    if (clicks == 1) QTest::mouseClick(tavola.windowHandle(), Qt::LeftButton, {}, point);
}

// The start click switches the board timer on and plays the laser cue, once for each time it runs.
bool gameStartedOnce(TestGame& game) {
    return game.fakes.sound.played.filter("laser.wav").size() == 1 && game.timer2().enabled;
}

void activate(Tavola& tavola) {
    tavola.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tavola));
}

constexpr int kEndedAfterFarewell = 77;
constexpr int kEndedWithoutFarewell = 78;
constexpr int kNotEnded = 79;

// Ends the program for real, so the keys can be tried on the real event path in a child process.
class ExitingEnd : public ProgramEnd {
  public:
    explicit ExitingEnd(const FakeDialogs& dialogs) : dialogs_(dialogs) {}
    [[noreturn]] void endNow() override {
        std::_Exit(dialogs_.texts().contains(texts::kFarewell) ? kEndedAfterFarewell : kEndedWithoutFarewell);
    }

  private:
    const FakeDialogs& dialogs_;
};

struct EndingGame {
    FakePlatform fakes;
    ExitingEnd end{fakes.dialogs};
    Platform platform{fakes.dialogs, fakes.sound, fakes.random, fakes.timers,
                      fakes.folders, fakes.files, end};
    Tavola tavola{platform};
};

// Presses the key in a forked copy of this process and reports how that copy ended.
int exitCodeAfterKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
        // An access key clicks its button a moment later, from the event loop.
        QTest::qWait(1000);
        std::_Exit(kNotEnded);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace

class WindowInput : public QObject {
    Q_OBJECT
  private slots:
    void autoSizeLabelsFollowTheirCaption() {
        TestGame game;
        game.start("");
        GameLabel* name = game->lblnome1;
        const QString longName = "Massimiliano Bartolomeo";
        name->setCaption(longName);
        QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance(longName));
        QVERIFY(name->height() >= name->fontMetrics().height());
        const int longWidth = name->width();
        name->setCaption("Al");
        QVERIFY(name->width() < longWidth);
        QCOMPARE(name->pos(), QPoint(128, 304));

        // Fixed-size labels keep their design size whatever they show.
        GameLabel* clock = game->lblconto;
        const QSize design(105, 33);
        QCOMPARE(clock->size(), design);
        clock->setCaption("00:05:00 e ancora tanto altro testo");
        QCOMPARE(clock->size(), design);
    }

    void captionsReadBackAsWritten_data() {
        QTest::addColumn<QString>("caption");
        QTest::newRow("line end") << QString("Mario\r\nRossi\r\n");
        QTest::newRow("lone carriage return") << QString("12\r");
        QTest::newRow("blanks") << QString("  Il record  ");
        QTest::newRow("markup") << QString("<b>x</b>");
        QTest::newRow("entity") << QString("&amp; &lt;");
    }
    void captionsReadBackAsWritten() {
        QFETCH(QString, caption);
        TestGame game;
        for (GameLabel* label : {game->lblnome1, game->lblnome, game->lblpunti, game->Punteggio}) {
            label->setCaption(caption);
            QCOMPARE(label->caption(), caption);
            // Names and records come from the player and from disk: never read as markup.
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        game->disparicmd->setCaption(caption);
        QCOMPARE(game->disparicmd->caption(), caption);
    }

    void markupShowsAsPlainText() {
        TestGame game;
        GameLabel* name = game->lblnome1;
        name->setCaption("<b>x</b>");
        QCOMPARE(name->text(), QString("<b>x</b>"));
        QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance("<b>x</b>"));
    }

    void clicksOnTheWindow_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("starts");
        QTest::newRow("disabled start bar") << QPoint(307, 24) << true;
        QTest::newRow("start bar where it overlaps Label6") << QPoint(200, 10) << true;
        QTest::newRow("hidden paricmd") << QPoint(200, 144) << true;
        QTest::newRow("hidden txtAnswer") << QPoint(378, 122) << true;
        QTest::newRow("bare background") << QPoint(300, 600) << true;
        QTest::newRow("label Label14") << QPoint(50, 320) << false;
        QTest::newRow("score inside its frame") << QPoint(70, 80) << false;
        QTest::newRow("heading Label6") << QPoint(100, 20) << false;
        // Children double-click everything; rows named so get a double-click.
        QTest::newRow("double-click on the background") << QPoint(300, 600) << true;
        QTest::newRow("double-click on the start bar") << QPoint(307, 24) << true;
        QTest::newRow("double-click on paricmd lying over disparicmd") << QPoint(210, 150) << false;
    }
    void clicksOnTheWindow() {
        QFETCH(QPoint, point);
        QFETCH(bool, starts);
        TestGame game;
        game.start();
        QVERIFY(QTest::qWaitForWindowExposed(game.tavola.get()));
        QVERIFY(!game.timer2().enabled);
        const QByteArray tag = QTest::currentDataTag();
        const bool stacked = tag.contains(" over "); // the second press meets the number beneath
        if (stacked)
            for (GameButton* number : {game->disparicmd, game->paricmd}) {
                number->move(point - QPoint(10, 6));
                number->show();
                number->raise();
            }
        clickAt(*game, point, tag.startsWith("double-click") ? 2 : 1);
        QCOMPARE(gameStartedOnce(game), starts);
        QCOMPARE(game.timer2().enabled, starts);
        // One right hit: neither two, nor a wrong one (-3) after it.
        if (stacked) QCOMPARE(game->Punteggio->caption(), QString(" 1"));
    }

    void onlyExitTakesFocusAtStart() {
        TestGame game;
        game.start();
        activate(*game);
        QList<QWidget*> focusable;
        for (QWidget* child : game->findChildren<QWidget*>())
            if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus) != 0)
                focusable.append(child);
        QCOMPARE(focusable, QList<QWidget*>{game->cmdExit});
        QCOMPARE(QApplication::focusWidget(), game->cmdExit);
    }

    void keysThatEndTheGame_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Space on the focused exit button") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("Alt+X") << int(Qt::Key_X) << int(Qt::AltModifier);
    }
    void keysThatEndTheGame() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        EndingGame game;
        game.fakes.dialogs.names.push_back("Mario");
        game.tavola.start();
        activate(game.tavola);
        QCOMPARE(QApplication::focusWidget(), game.tavola.cmdExit);
        QCOMPARE(exitCodeAfterKey(Qt::Key(key), Qt::KeyboardModifiers(modifiers)), kEndedAfterFarewell);
    }

    void startBarAccessKeyDoesNothing() {
        TestGame game;
        game.start();
        activate(*game);
        const std::size_t calls = game.fakes.random.calls.size();
        QTest::keyClick(game.tavola.get(), Qt::Key_C, Qt::AltModifier);
        QTest::qWait(300);
        QVERIFY(!game.timer2().enabled);
        QCOMPARE(game.fakes.random.calls.size(), calls);
        QCOMPARE(game.fakes.dialogs.messages.size(), 1U);
    }

    void menuItemsWithoutHandlerDoNothing_data() {
        QTest::addColumn<QString>("item");
        for (const char* item : {"INFOMAZIONI", "ca", "copy", "via", "hf", "Ciao", "ok", "d", "h"})
            QTest::newRow(item) << QString(item);
    }
    void menuItemsWithoutHandlerDoNothing() {
        QFETCH(QString, item);
        TestGame game;
        game.start();
        auto* action = game->menuBar()->findChild<QAction*>(item);
        QVERIFY(action != nullptr);
        const std::size_t messages = game.fakes.dialogs.messages.size();
        const std::size_t calls = game.fakes.random.calls.size();
        const QString clock = game->lblconto->caption();
        const QString score = game->Punteggio->caption();
        action->trigger();
        QCOMPARE(game.fakes.dialogs.messages.size(), messages);
        QCOMPARE(game.fakes.dialogs.prompts.size(), 1);
        QCOMPARE(game.fakes.random.calls.size(), calls);
        QVERIFY(game.fakes.sound.played.isEmpty());
        QVERIFY(game.timer1().enabled);
        QVERIFY(!game.timer2().enabled);
        QCOMPARE(game->lblconto->caption(), clock);
        QCOMPARE(game->Punteggio->caption(), score);
    }

    void newGameEntryAsksFirst() {
        TestGame game;
        game.start();
        QVERIFY(QTest::qWaitForWindowExposed(game.tavola.get()));
        GameButton* exitButton = game->cmdExit;
        QMenuBar* bar = game->menuBar();
        QAction* next = bar->findChild<QAction*>("Next");
        game.fakes.dialogs.messages.clear();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(next).center());
        QCOMPARE(game.fakes.dialogs.messages.size(), 1U);
        const FakeDialogs::Message& question = game.fakes.dialogs.messages.front();
        QCOMPARE(question.text, texts::kNewGameQuestion);
        QCOMPARE(question.style, 292);
        QCOMPARE(question.title, texts::kNewGameTitle);
        // Answered No: the game goes on in the same controls.
        QCOMPARE(game->cmdExit, exitButton);
        QCOMPARE(game.fakes.dialogs.prompts.size(), 1);
    }
};

QTEST_MAIN(WindowInput)
#include "test_window_input.moc"
