// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record files: the decision at exit, their bytes on disk, and what the next start shows.
#include "GameTexts.h"
#include "LifeGame.h"
#include "lifecycle/RecordNumbers.h"
#include "window/GameLabel.h"

#include <QTest>

namespace {

using texts::kCongratulation;
using texts::kFarewell;

// The game started on planted records, with a score on show, ended by cmdExit; what it meets at load and
// during the game comes in the hooks.
struct EndedGame {
    LifeGame game;
    QStringList toldAtLoad;
    bool ended = false;

    EndedGame(const QByteArray& oldScore, const QByteArray& oldHolder, const QString& name,
              const QString& score, const std::function<void(LifeGame&)>& atLoad = {},
              const std::function<void(LifeGame&)>& duringGame = {}) {
        game.fakes.files.disk[game.scorePath()] = oldScore;
        game.fakes.files.disk[game.holderPath()] = oldHolder;
        if (atLoad) atLoad(game);
        game.start(name);
        game->Punteggio->setCaption(score);
        toldAtLoad = game.fakes.dialogs.texts();
        game.fakes.dialogs.messages.clear();
        game.fakes.files.log.clear();
        if (duringGame) duringGame(game);
        ended = game.ends([this] { game->cmdExit_Click(); });
    }
    QByteArray score() const { return game.fakes.files.contents(game.scorePath()); }
    QByteArray holder() const { return game.fakes.files.contents(game.holderPath()); }
};

} // namespace

class Records : public QObject {
    Q_OBJECT
  private slots:
    void decision_data() {
        QTest::addColumn<QByteArray>("oldScore");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("first game") << QByteArray() << " 3" << QByteArray(" 3\r\n");
        QTest::newRow("12 beaten by 15") << QByteArray(" 12\r\n") << " 15" << QByteArray(" 15\r\n");
        QTest::newRow("9 beaten by 15, sorts after it as text")
            << QByteArray(" 9\r\n") << " 15" << QByteArray(" 15\r\n");
        QTest::newRow("1 beaten by 10") << QByteArray(" 1\r\n") << " 10" << QByteArray(" 10\r\n");
        QTest::newRow("4 set after a wrong hit, beaten by 5")
            << QByteArray("4\r\n") << " 5" << QByteArray(" 5\r\n");
        QTest::newRow("bare score after a wrong hit") << QByteArray(" 2\r\n") << "3" << QByteArray("3\r\n");
        QTest::newRow("hand-edited record reads as 0")
            << QByteArray("abc\r\n") << " 1" << QByteArray(" 1\r\n");
        QTest::newRow("record -350 beaten by -4") << QByteArray("-3.5e2x") << "-4" << QByteArray("-4\r\n");
        QTest::newRow("equal score") << QByteArray(" 12\r\n") << " 12" << QByteArray();
        QTest::newRow("negative score, empty record") << QByteArray() << "-4" << QByteArray();
        QTest::newRow("zero score, empty record") << QByteArray() << "0" << QByteArray();
        QTest::newRow("lower score") << QByteArray(" 15\r\n") << " 9" << QByteArray();
    }

    // A higher score writes both files, score first, and is always congratulated; anything else touches
    // nothing.
    void decision() {
        QFETCH(QByteArray, oldScore);
        QFETCH(QString, score);
        QFETCH(QByteArray, written);
        EndedGame end(oldScore, "Ada\r\n", "Mario", score);
        QVERIFY(end.ended);
        QCOMPARE(end.game.fakes.end.ends, 1);
        const bool beaten = !written.isEmpty();
        QCOMPARE(end.score(), beaten ? written : oldScore);
        QCOMPARE(end.holder(), beaten ? QByteArray("Mario\r\n") : QByteArray("Ada\r\n"));
        const QStringList told = beaten ? QStringList{kFarewell, kCongratulation} : QStringList{kFarewell};
        QCOMPARE(end.game.fakes.dialogs.texts(), told);
        // Both lines are written whole beside the files, score first, before either takes its place, all
        // under the lock; a record not beaten is not even rewritten with the same bytes.
        const QString scoreFile = end.game.scorePath();
        const QString holderFile = end.game.holderPath();
        const QString lock = "lock " + end.game.fakes.folders.records + "/dorvana.lock";
        const QString pair = end.game.fakes.folders.records + "/dorvana.pair";
        QCOMPARE(
            end.game.fakes.files.changes(),
            beaten ? (QStringList{lock, "open Output " + scoreFile + ".new", "open Output " + pair,
                                  "open Output " + holderFile + ".new",
                                  "rename " + scoreFile + ".new " + scoreFile,
                                  "rename " + holderFile + ".new " + holderFile, "remove " + pair, "unlock"})
                   : QStringList{});
        QCOMPARE(end.game.fakes.files.disk.size(), 2U);
    }

    void holderFileTakesTheNameUnchanged_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty name after Cancel") << "" << QByteArray("\r\n");
        QTest::newRow("spaces kept") << " Anna Maria " << QByteArray(" Anna Maria \r\n");
        QTest::newRow("letters beyond Latin-1") << "Łucja" << QByteArray("\xC5\x81ucja\r\n");
        QTest::newRow("Latin-1 letter written as UTF-8") << "Zoë" << QByteArray("Zo\xC3\xAB\r\n");
        QTest::newRow("markup is just text") << "<b>x</b>" << QByteArray("<b>x</b>\r\n");
    }

    // What one game writes, the next start shows exactly, line end included, and reads back as the number.
    void holderFileTakesTheNameUnchanged() {
        QFETCH(QString, name);
        QFETCH(QByteArray, written);
        EndedGame end(" 1\r\n", "Ada\r\n", name, " 12");
        QCOMPARE(end.holder(), written);

        LifeGame next;
        next.fakes.files.disk = end.game.fakes.files.disk;
        next.start("Luigi");
        QCOMPARE(next->lblpunti->caption(), QString(" 12\r\n"));
        QCOMPARE(next->lblnome->caption(), name + "\r\n");
        QCOMPARE(next->lblnome->textFormat(), Qt::PlainText);
        QCOMPARE(next->lblnome->text(), name + "\n");
        QCOMPARE(next.fakes.dialogs.texts().size(), 1);

        // The record shown is the one to beat: 12 holds against 12.
        next->Punteggio->setCaption(" 12");
        QVERIFY(next.ends([&] { next->cmdExit_Click(); }));
        QCOMPARE(next.fakes.files.disk[next.holderPath()], written);
    }

    // Where a run cut off while writing a record leaves the files, and what the next start makes of it.
    void recordCutOffMidWay_data() {
        QTest::addColumn<QByteArray>("score");
        QTest::addColumn<QByteArray>("scorePending");
        QTest::addColumn<QByteArray>("holder");
        QTest::addColumn<QByteArray>("holderPending");
        QTest::addColumn<QString>("shownScore");
        QTest::addColumn<QString>("shownHolder");
        // An empty pending value stands for no pending file.
        QTest::newRow("score line written, holder line not")
            << QByteArray(" 3\r\n") << QByteArray(" 9\r\n") << QByteArray("Ada\r\n") << QByteArray()
            << " 3\r\n"
            << "Ada\r\n";
        QTest::newRow("both written, none in place")
            << QByteArray(" 3\r\n") << QByteArray(" 9\r\n") << QByteArray("Ada\r\n") << QByteArray("Bea\r\n")
            << " 9\r\n"
            << "Bea\r\n";
        QTest::newRow("score in place, holder not")
            << QByteArray(" 9\r\n") << QByteArray() << QByteArray("Ada\r\n") << QByteArray("Bea\r\n")
            << " 9\r\n"
            << "Bea\r\n";
    }
    void recordCutOffMidWay() {
        QFETCH(QByteArray, score);
        QFETCH(QByteArray, scorePending);
        QFETCH(QByteArray, holder);
        QFETCH(QByteArray, holderPending);
        LifeGame game;
        auto& disk = game.fakes.files.disk;
        disk[game.scorePath()] = score;
        disk[game.holderPath()] = holder;
        if (!scorePending.isEmpty()) disk[game.scorePath() + ".new"] = scorePending;
        if (!holderPending.isEmpty()) disk[game.holderPath() + ".new"] = holderPending;
        game.start();
        QTEST(game->lblpunti->caption(), "shownScore");
        QTEST(game->lblnome->caption(), "shownHolder");
        QCOMPARE(disk.size(), 2U);
    }

    void recordFailure_data() {
        QTest::addColumn<QString>("toldAtLoad");
        QTest::addColumn<QString>("toldAtExit");
        QTest::addColumn<QByteArray>("score");
        QTest::addColumn<QByteArray>("holder");
        const QString notSaved = texts::kNotSaved;
        const QString mayFail = texts::kSavingMayFail;
        const QByteArray oldScore(" 3\r\n");
        const QByteArray oldHolder("Ada\r\n");
        const QByteArray newScore(" 5\r\n");
        const QByteArray newHolder("Mario\r\n");
        QTest::newRow("score line cannot be written") << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("holder line cannot be written") << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("score cannot take its place") << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("score cannot take its place nor be taken back")
            << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("cut-off pair cannot take its place at load nor be taken back")
            << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("holder cannot take its place yet") << "" << kCongratulation << newScore << newHolder;
        QTest::newRow("holder cannot take its place, ever") << "" << kCongratulation << newScore << newHolder;
        QTest::newRow("score unreadable at load") << texts::kUnreadable << notSaved << oldScore << oldHolder;
        QTest::newRow("holder unreadable at exit") << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("lock held elsewhere") << "" << notSaved << oldScore << oldHolder;
        QTest::newRow("no lock at load, one at exit") << mayFail << kCongratulation << newScore << newHolder;
        QTest::newRow("no lock at load nor at exit") << mayFail << notSaved << oldScore << oldHolder;
        QTest::newRow("raised meanwhile by another game")
            << "" << QString() << QByteArray(" 9\r\n") << QByteArray("Bea\r\n");
    }

    // The player is told the truth once at each end, nothing is left open, and the next start shows what
    // the player was told: the old record, or the new one when congratulated, holder and score together.
    void recordFailure() {
        QFETCH(QString, toldAtLoad);
        QFETCH(QString, toldAtExit);
        QFETCH(QByteArray, score);
        QFETCH(QByteArray, holder);
        const QString fault = QTest::currentDataTag();
        const bool holderWaits = fault.endsWith("ever");
        const auto atLoad = [&](LifeGame& game) {
            // Ticks while the load's boxes are open would count against the player.
            game.fakes.dialogs.whileOpen = [&game](const QString&) { game.timer1().tick(); };
            game.fakes.files.failLock = fault.startsWith("no lock");
            if (fault.endsWith("unreadable at load"))
                game.fakes.files.failOpen.insert({game.scorePath(), TextFiles::Mode::Input});
            // A holder line held open by a scanner, for the whole game.
            if (fault.endsWith("taken back")) game.fakes.files.failRemove.insert(game.holderPath() + ".new");
            if (fault.startsWith("cut-off pair")) {
                auto& disk = game.fakes.files.disk;
                disk[game.scorePath() + ".new"] = " 9\r\n";
                disk[game.fakes.folders.records + "/dorvana.pair"] = " 9\r\nBea\r\n";
                disk[game.holderPath() + ".new"] = "Bea\r\n";
                game.fakes.files.failRename.insert(game.scorePath());
            }
        };
        EndedGame end(" 3\r\n", "Ada\r\n", "Mario", " 5", atLoad, [&](LifeGame& game) {
            FakeTextFiles& files = game.fakes.files;
            const QString score = game.scorePath();
            const QString holder = game.holderPath();
            QCOMPARE(game->lblconto->caption(), QString("00:05:00"));
            QVERIFY(game.timer1().enabled);
            if (fault.startsWith("score line")) files.failCommit.insert(score + ".new");
            if (fault.startsWith("holder line")) files.failCommit.insert(holder + ".new");
            if (fault.startsWith("score cannot")) files.failRename.insert(score);
            if (fault.startsWith("holder cannot")) files.failRename.insert(holder);
            if (fault.startsWith("holder unreadable"))
                files.failOpen.insert({holder, TextFiles::Mode::Input});
            files.failLock = fault.startsWith("lock") || fault.endsWith("nor at exit");
            if (fault.startsWith("raised")) files.disk = {{score, " 9\r\n"}, {holder, "Bea\r\n"}};
        });
        if (fault.endsWith("at load")) QVERIFY(end.game.fakes.files.changes().isEmpty());
        QCOMPARE(end.toldAtLoad.mid(1), toldAtLoad.isEmpty() ? QStringList() : QStringList{toldAtLoad});
        const QStringList told = end.game.fakes.dialogs.texts();
        QCOMPARE(told.size(), toldAtExit.isEmpty() ? 1 : 2);
        QCOMPARE(told.last(), toldAtExit.isEmpty() ? kFarewell : toldAtExit);
        QCOMPARE(end.game.fakes.files.openCount(), 0);

        LifeGame next;
        next.fakes.files.disk = end.game.fakes.files.disk;
        if (holderWaits) next.fakes.files.failRename.insert(next.holderPath());
        next.start();
        QCOMPARE(next->lblpunti->caption(), QString(score));
        QCOMPARE(next->lblnome->caption(), QString(holder));
        // The disk holds the same pair, the holder's line still beside its file when it cannot take its
        // place.
        QCOMPARE(next.fakes.files.contents(next.scorePath()), score);
        QCOMPARE(next.fakes.files.contents(next.holderPath() + (holderWaits ? ".new" : "")), holder);
        QCOMPARE(next.fakes.files.disk.size(), holderWaits ? 4U : 2U);
        QCOMPARE(next.fakes.dialogs.texts().size(), 1);
    }

    // The classic program wrote its files in Windows-1252; they still read.
    void classicFilesStillRead() {
        LifeGame game;
        game.fakes.files.disk[game.scorePath()] = " 7\r\n";
        game.fakes.files.disk[game.holderPath()] = "Zo\xEB \x80\r\n";
        game.start();
        QCOMPARE(game->lblnome->caption(), QString("Zoë €\r\n"));
        QCOMPARE(game->lblpunti->caption(), QString(" 7\r\n"));
    }

    void lenientRead_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("as written after a hit") << " 12\r\n" << 12.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("number then junk") << "-3.5e2x" << -350.0;
        QTest::newRow("blanks inside the number") << " 1 2\t3\n4" << 1234.0;
        QTest::newRow("blank between sign and digits") << "- 7" << -7.0;
        QTest::newRow("CR stops the number") << "1\r2" << 1.0;
        QTest::newRow("exponent without digits is left out") << "5e" << 5.0;
        QTest::newRow("D exponent") << "2d2" << 200.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("fraction only") << ".5" << 0.5;
    }

    void lenientRead() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(lenientNumber(text), value);
    }

    void strictRead_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("after a hit") << " 12" << 12.0;
        QTest::newRow("after a wrong hit") << "-3" << -3.0;
        QTest::newRow("spaces around") << "  5  " << 5.0;
        QTest::newRow("trailing junk") << "5x" << 0.0;
    }

    void strictRead() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(strictNumber(text), value);
    }
};

QTEST_MAIN(Records)
#include "test_records.moc"
