// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of games back to back at full speed, with the real record files, checking after every
// game that the board, the score and the records are still what the rules allow.
#include "GameTexts.h"
#include "LifeGame.h"
#include "platform/QtTextFiles.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <random>

namespace {

struct Target {
    const char* name;
    GameButton* Tavola::*button;
    void (Tavola::*click)();
    bool correct;
    // The largest number any deal of this button can give, one step of float rounding included.
    int largest;
};

const Target kTargets[] = {
    {"paricmd", &Tavola::paricmd, &Tavola::paricmd_Click, true, 606},
    {"paricmd1", &Tavola::paricmd1, &Tavola::paricmd1_Click, true, 3012},
    {"paricmd2", &Tavola::paricmd2, &Tavola::paricmd2_Click, true, 606},
    {"disparicmd", &Tavola::disparicmd, &Tavola::disparicmd_Click, false, 5407},
    {"disparicmd1", &Tavola::disparicmd1, &Tavola::disparicmd1_Click, false, 5407},
    {"disparicmd2", &Tavola::disparicmd2, &Tavola::disparicmd2_Click, false, 1810},
};

const QString kWarningTexts[][2] = {
    {texts::kOpening, texts::kTailShort},
    {texts::kOpeningMistake, texts::kTailLong},
    {texts::kOpening, texts::kTailLong},
};

const QStringList kNames = {
    "", "Mario", "<b>Anna</b>", "Łucja", "  Gian Luca  ", "Zoë & Chloé", "O'Brien \"Jr\"", QString(120, u'x'),
};

using texts::kCongratulation;
using texts::kFarewell;

qint64 residentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// The address sanitizer keeps freed memory in quarantine, so resident size says nothing there.
constexpr bool kResidentSizeMeaningful =
#if defined(__SANITIZE_ADDRESS__)
    false;
#else
    true;
#endif

} // namespace

class Soak : public QObject {
    Q_OBJECT

    std::mt19937 rng_;
    QTemporaryDir records_;
    // What the record files must hold: the best score so far as written, and its holder.
    int bestScore_ = 0;
    QByteArray scoreFile_;
    QByteArray holderFile_;
    // The game in play.
    int score_ = 0;
    QString scoreCaption_;
    int clockTicks_ = 0;
    int gamesPlayed_ = 0;
    int recordsSet_ = 0;

    int roll(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }
    bool chance(int percent) { return roll(100) < percent; }

    QString where() const { return QString("game %1").arg(gamesPlayed_); }

    void checkBoard(Tavola& tavola) {
        static const QRegularExpression plainNumber("^[1-9][0-9]*$");
        for (const Target& target : kTargets) {
            const QString caption = (tavola.*target.button)->caption();
            const QString context = where() + ", " + target.name + " shows \"" + caption + "\"";
            QVERIFY2(plainNumber.match(caption).hasMatch(), qPrintable(context));
            const int value = caption.toInt();
            QVERIFY2((value % 6 == 0) == target.correct, qPrintable(context));
            QVERIFY2(value <= target.largest, qPrintable(context));
        }
    }

    void checkScore(Tavola& tavola) {
        QCOMPARE(tavola.state.score, score_);
        QVERIFY2(tavola.Punteggio->caption() == scoreCaption_,
                 qPrintable(where() + ": Punteggio \"" + tavola.Punteggio->caption() + "\", expected \"" +
                            scoreCaption_ + "\""));
    }

    void checkRecordFiles() {
        QFile score(records_.filePath("atarvisk.txt"));
        QFile holder(records_.filePath("tarvisk.txt"));
        QVERIFY(score.open(QIODevice::ReadOnly));
        QVERIFY(holder.open(QIODevice::ReadOnly));
        QCOMPARE(score.readAll(), scoreFile_);
        QCOMPARE(holder.readAll(), holderFile_);
        // Nothing may be left behind by the atomic writes.
        QCOMPARE(QDir(records_.path()).entryList(QDir::Files).size(), 2);
    }

    // The load sequence has just run with this name: the records on show are the files' contents.
    void loaded(LifeGame& run, const QString& name) {
        Tavola& tavola = *run.tavola;
        ++gamesPlayed_;
        score_ = 0;
        scoreCaption_ = "0";
        clockTicks_ = 0;
        QCOMPARE(tavola.lblnome1->caption(), name);
        QCOMPARE(tavola.lblpunti->caption(), QString::fromUtf8(scoreFile_));
        QCOMPARE(tavola.lblnome->caption(), QString::fromUtf8(holderFile_));
        QCOMPARE(tavola.lblconto->caption(), QString("00:05:00"));
        QVERIFY(tavola.isVisible());
        checkScore(tavola);
        checkBoard(tavola);
    }

    void hit(LifeGame& run, const Target& target) {
        Tavola& tavola = *run.tavola;
        GameButton* button = tavola.*target.button;
        const QString shown = button->caption();
        const std::size_t messagesBefore = run.fakes.dialogs.messages.size();
        if (button->isVisible())
            button->click();
        else
            (tavola.*target.click)();
        QVERIFY(!button->isVisible());
        if (target.correct) {
            ++score_;
            scoreCaption_ = " " + QString::number(score_);
            QCOMPARE(run.fakes.dialogs.messages.size(), messagesBefore);
        } else {
            score_ -= 4;
            scoreCaption_ = QString::number(score_);
            const auto& texts = kWarningTexts[&target - kTargets - 3];
            QCOMPARE(run.fakes.dialogs.messages.size(), messagesBefore + 1);
            QCOMPARE(run.fakes.dialogs.messages.back().text, texts[0] + shown + texts[1]);
        }
        checkScore(tavola);
    }

    // A stretch of play: start clicks, shuffle and clock ticks, hits on shown and hidden targets.
    void play(LifeGame& run) {
        Tavola& tavola = *run.tavola;
        // Most games score a little; now and then one runs long enough to beat the record.
        const int actions = chance(10) ? 40 + roll(60) : roll(25);
        const int correctShare = 50 + roll(50);
        for (int i = 0; i < actions; ++i) {
            switch (roll(8)) {
            case 0:
                tavola.Form_Click();
                break;
            case 1:
            case 2:
                run.fakes.timers["Timer2"].tick();
                break;
            case 3:
                if (clockTicks_ < 300 && run.fakes.timers["Timer1"].tick()) ++clockTicks_;
                break;
            default: {
                const bool correct = chance(correctShare);
                hit(run, kTargets[(correct ? 0 : 3) + roll(3)]);
                break;
            }
            }
            if (QTest::currentTestFailed()) return;
            checkBoard(tavola);
            if (QTest::currentTestFailed()) return;
        }
        QCOMPARE(tavola.lblconto->caption().size(), 8);
    }

    // The menu's new game: No changes nothing, Yes abandons this game without a record decision.
    void newGame(LifeGame& run) {
        const bool yes = chance(70);
        run.fakes.dialogs.answers.push_back(yes ? Dialogs::AnswerYes : Dialogs::AnswerNo);
        const QString& name = kNames[roll(kNames.size())];
        if (yes) run.fakes.dialogs.names.push_back(name);
        run.tavola->Next_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (yes) {
            loaded(run, name);
        } else {
            checkScore(*run.tavola);
        }
    }

    // The clock runs out; the tick after "00:00:00" takes leave and settles the record.
    void runOut(LifeGame& run, const QString& name) {
        const std::size_t messagesBefore = run.fakes.dialogs.messages.size();
        bool ended = false;
        try {
            while (clockTicks_ < 400) {
                ++clockTicks_;
                QVERIFY(run.fakes.timers["Timer1"].tick());
            }
        } catch (const ProgramEnded&) {
            ended = true;
        }
        QVERIFY2(ended, qPrintable(where() + ": the clock never ended the game"));
        QCOMPARE(clockTicks_, 301);
        QCOMPARE(run.fakes.end.ends, 1);

        QStringList expected{kFarewell};
        if (score_ > bestScore_) {
            bestScore_ = score_;
            ++recordsSet_;
            scoreFile_ = scoreCaption_.toUtf8() + "\r\n";
            holderFile_ = name.toUtf8() + "\r\n";
            expected.append(kCongratulation);
        }
        QStringList shown;
        for (std::size_t i = messagesBefore; i < run.fakes.dialogs.messages.size(); ++i)
            shown.append(run.fakes.dialogs.messages[i].text);
        QCOMPARE(shown, expected);
        checkRecordFiles();
    }

    void oneRun() {
        LifeGame run(LifeGame::Disk::Real, records_.path());
        QString name = kNames[roll(kNames.size())];
        run.fakes.dialogs.names.push_back(name);
        run.tavola->start();
        loaded(run, name);
        if (QTest::currentTestFailed()) return;
        // Ticks arrive while a warning box is open, as in Qt's nested loop.
        run.fakes.dialogs.whileOpen = [&run, this](const QString&) {
            if (chance(30)) run.fakes.timers["Timer2"].tick();
        };
        while (true) {
            if (chance(50)) run.tavola->Form_Click();
            play(run);
            if (QTest::currentTestFailed()) return;
            if (!chance(15)) break;
            newGame(run);
            if (QTest::currentTestFailed()) return;
            name = run.tavola->lblnome1->caption();
        }
        runOut(run, name);
        if (QTest::currentTestFailed()) return;
        for (const FakeDialogs::Message& message : run.fakes.dialogs.messages)
            QVERIFY2(!message.text.startsWith("Non "), qPrintable(where() + ": " + message.text));
    }

  private slots:
    void initTestCase() {
        // The offscreen platform says this once per window shown; thousands of lines would bury a failure.
        static QtMessageHandler forward = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.contains("propagateSizeHints")) forward(type, context, message);
            });
    }

    void thousandsOfGames() {
        QVERIFY(records_.isValid());
        const int games = qEnvironmentVariableIsSet("DORVANA_SOAK_GAMES")
                              ? qEnvironmentVariableIntValue("DORVANA_SOAK_GAMES")
                              : 1000;
        const unsigned seed = qEnvironmentVariableIsSet("DORVANA_SOAK_SEED")
                                  ? qEnvironmentVariableIntValue("DORVANA_SOAK_SEED")
                                  : std::random_device{}();
        qInfo("soak of %d games, DORVANA_SOAK_SEED=%u", games, seed);
        rng_.seed(seed);

        const int warmUp = std::max(games / 10, 20);
        qsizetype widgetsAfterFirstRun = -1;
        qint64 residentAfterWarmUp = -1;
        while (gamesPlayed_ < games) {
            // Now and then a fresh machine, so that records are set again and again.
            if (gamesPlayed_ > 0 && chance(5)) {
                QVERIFY(QFile::remove(records_.filePath("atarvisk.txt")));
                QVERIFY(QFile::remove(records_.filePath("tarvisk.txt")));
                bestScore_ = 0;
                scoreFile_.clear();
                holderFile_.clear();
            }
            oneRun();
            if (QTest::currentTestFailed()) return;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            // Every widget of a finished run must be gone.
            const qsizetype widgets = QApplication::allWidgets().size();
            if (widgetsAfterFirstRun < 0) widgetsAfterFirstRun = widgets;
            QVERIFY2(widgets == widgetsAfterFirstRun,
                     qPrintable(QString("%1: %2 widgets alive, %3 after the first run")
                                    .arg(where())
                                    .arg(widgets)
                                    .arg(widgetsAfterFirstRun)));
            if (residentAfterWarmUp < 0 && gamesPlayed_ >= warmUp) residentAfterWarmUp = residentKiB();
        }
        const qint64 residentAtEnd = residentKiB();
        qInfo("%d games; %d records set; resident %lld KiB after warm-up, %lld KiB at the end", gamesPlayed_,
              recordsSet_, residentAfterWarmUp, residentAtEnd);
        if (kResidentSizeMeaningful) {
            // Allocator slack, not a leak, stays well inside this.
            constexpr qint64 kToleranceKiB = qint64{8} * 1024;
            QVERIFY2(
                residentAtEnd - residentAfterWarmUp < kToleranceKiB,
                qPrintable(QString("resident size grew by %1 KiB").arg(residentAtEnd - residentAfterWarmUp)));
        }
    }
};

QTEST_MAIN(Soak)
#include "test_soak.moc"
