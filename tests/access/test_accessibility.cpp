// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns about the window through Qt's accessibility interface, and how far
// the keyboard alone gets a player.
#include "TestGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Surface.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <iterator>

namespace {

QAccessibleInterface* accessibleOf(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    if (face == nullptr) qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return face;
}

QString nameOf(QObject* object) {
    return accessibleOf(object)->text(QAccessible::Name);
}

// A game whose record files already hold a record.
void startWithRecord(TestGame& game) {
    // The folder keeps its separator and the file name brings its own, as the game writes them.
    const QString folder = game.fakes.folders.records + "//";
    game.fakes.files.disk[folder + "atarvisk.txt"] = "12";
    game.fakes.files.disk[folder + "tarvisk.txt"] = "Lucia";
    game.start("Mario");
}

QWidget* control(TestGame& game, const QString& name) {
    auto* widget = game->surface()->findChild<QWidget*>(name);
    if (widget == nullptr) qFatal("no control %s", qPrintable(name));
    return widget;
}

const char* const kNumberButtons[] = {"paricmd",    "paricmd1",    "paricmd2",
                                      "disparicmd", "disparicmd1", "disparicmd2"};

} // namespace

class Accessibility : public QObject {
    Q_OBJECT
  private slots:
    void everyVisibleControlHasAName() {
        TestGame game;
        startWithRecord(game);
        QStringList unnamed;
        for (QWidget* widget : game->surface()->findChildren<QWidget*>()) {
            if (widget->isVisible() && nameOf(widget).trimmed().isEmpty()) unnamed << widget->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable("unnamed: " + unnamed.join(", ")));
    }

    void visibleControlsAnnounceWhatTheyShow_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        const int text = QAccessible::StaticText;
        const int button = QAccessible::Button;
        QTest::newRow("heading of the score") << "Label6" << text << "Punti complessivi" << true;
        QTest::newRow("score frame by its hint")
            << "lblScore" << text << "Questo è il tuo punteggio. Forza con il  record" << true;
        QTest::newRow("score") << "Punteggio" << text << "0" << true;
        QTest::newRow("heading of the clock") << "Label11" << text << "Tempo restante" << true;
        QTest::newRow("clock") << "lblconto" << text << "00:05:00" << true;
        QTest::newRow("heading of the player") << "Label14" << text << "Sfidante" << true;
        QTest::newRow("player") << "lblnome1" << text << "Mario" << true;
        QTest::newRow("record line opening") << "Label12" << text << "Il record  è di " << true;
        QTest::newRow("record holder") << "lblnome" << text << "Lucia" << true;
        QTest::newRow("record line middle") << "Label13" << text << "con punti" << true;
        QTest::newRow("record score") << "lblpunti" << text << "12" << true;
        // Access keys are announced as shortcuts, not read out as ampersands.
        QTest::newRow("start bar") << "cmdNext" << button << "Clicca per iniziare" << false;
        QTest::newRow("exit") << "cmdExit" << button << "Exit" << true;
    }
    void visibleControlsAnnounceWhatTheyShow() {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        TestGame game;
        startWithRecord(game);
        QAccessibleInterface* face = accessibleOf(::control(game, control));
        QCOMPARE(face->text(QAccessible::Name), name);
        QCOMPARE(int(face->role()), role);
        QVERIFY(!face->state().invisible);
        QCOMPARE(bool(face->state().disabled), !enabled);
        QVERIFY(face->rect().isValid());
    }

    void exitAnnouncesItsAccessKey() {
        TestGame game;
        game.start();
        QAccessibleActionInterface* actions = accessibleOf(game->cmdExit)->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                 QStringList{"Alt+X"});
    }

    void numberButtonsAreHiddenFromTheReaderUntilShown() {
        TestGame game;
        game.start();
        for (const char* name : kNumberButtons) {
            QWidget* button = control(game, name);
            QVERIFY2(accessibleOf(button)->state().invisible, name);
            button->show();
            QVERIFY2(!accessibleOf(button)->state().invisible, name);
            QVERIFY2(accessibleOf(button)->state().focusable, name);
        }
    }

    void numberButtonsAnnounceEachDeal() {
        TestGame game;
        game.start();
        for (const char* name : kNumberButtons) {
            auto* button = static_cast<GameButton*>(control(game, name));
            QCOMPARE(nameOf(button), button->caption());
            QCOMPARE(accessibleOf(button)->role(), QAccessible::Button);
        }
        // A hit deals the button a new number; the reader must hear the new one, not the old.
        game->paricmd->show();
        const bool dealtAlready = game->paricmd->caption() == "306";
        game.fakes.random.script.push_back(dealtAlready ? 0.0F : 0.5F);
        const QString dealt = dealtAlready ? "6" : "306";
        game->paricmd->click();
        QCOMPARE(game->paricmd->caption(), dealt);
        QCOMPARE(nameOf(game->paricmd), dealt);
    }

    void scoreAndClockAnnounceEachChange() {
        TestGame game;
        game.start();
        game.timer1().tick();
        QCOMPARE(game->lblconto->caption(), QString("00:04:59"));
        QCOMPARE(nameOf(game->lblconto), QString("00:04:59"));

        game->paricmd->show();
        game->paricmd->click();
        QCOMPARE(game->Punteggio->caption(), QString(" 1"));
        QCOMPARE(nameOf(game->Punteggio), QString(" 1"));
    }

    // Labels show an ampersand as written, so the reader must say it too.
    void namesAreReadAsTyped_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("ampersand between words") << "Anna & Marco";
        QTest::newRow("ampersand before a letter") << "R&D";
        QTest::newRow("doubled ampersand") << "a&&b";
        QTest::newRow("lone ampersand") << "&";
        QTest::newRow("plain") << "Mario";
    }
    void namesAreReadAsTyped() {
        QFETCH(QString, name);
        TestGame game;
        game.start(name);
        QCOMPARE(game->lblnome1->text(), name);
        QCOMPARE(nameOf(game->lblnome1), name);
    }

    void tabVisitsTheShownButtonsInDesignOrder_data() {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("cycle");
        QTest::newRow("before the start: only the exit") << QStringList{} << QStringList{"cmdExit"};
        QTest::newRow("all six shown") << QStringList(std::begin(kNumberButtons), std::end(kNumberButtons))
                                       << QStringList{"cmdExit",     "paricmd1",   "paricmd2", "disparicmd1",
                                                      "disparicmd2", "disparicmd", "paricmd"};
        QTest::newRow("some shown") << QStringList{"paricmd2", "disparicmd"}
                                    << QStringList{"cmdExit", "paricmd2", "disparicmd"};
    }
    void tabVisitsTheShownButtonsInDesignOrder() {
        QFETCH(QStringList, shown);
        QFETCH(QStringList, cycle);
        TestGame game;
        game.start();
        for (const QString& name : shown)
            control(game, name)->show();
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*game));
        game->cmdExit->setFocus(Qt::TabFocusReason);
        const auto walk = [&](Qt::Key key) {
            QStringList visited;
            for (qsizetype i = 0; i < cycle.size() + 1; ++i) {
                QWidget* focused = QApplication::focusWidget();
                visited << (focused != nullptr ? focused->objectName() : QString("nothing"));
                if (focused != nullptr) QTest::keyClick(focused, key);
            }
            return visited;
        };
        QCOMPARE(walk(Qt::Key_Tab), cycle + QStringList{cycle.first()});
        game->cmdExit->setFocus(Qt::BacktabFocusReason);
        QStringList backwards{cycle.first()};
        std::reverse_copy(cycle.begin(), cycle.end(), std::back_inserter(backwards));
        QCOMPARE(walk(Qt::Key_Backtab), backwards);
    }

    void spacePressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("score");
        QTest::addColumn<int>("warnings");
        QTest::newRow("correct target") << "paricmd1"
                                        << " 1" << 0;
        QTest::newRow("wrong target") << "disparicmd2"
                                      << "-4" << 1;
    }
    void spacePressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(QString, score);
        QFETCH(int, warnings);
        TestGame game;
        game.start();
        const auto greetings = game.fakes.dialogs.messages.size();
        for (const char* name : kNumberButtons)
            control(game, name)->show();
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*game));
        game->cmdExit->setFocus(Qt::TabFocusReason);
        while (QApplication::focusWidget()->objectName() != button) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != game->cmdExit);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(game->Punteggio->caption(), score);
        QCOMPARE(int(game.fakes.dialogs.messages.size() - greetings), warnings);
        QVERIFY(!control(game, button)->isVisible());
    }
};

QTEST_MAIN(Accessibility)
#include "test_accessibility.moc"
