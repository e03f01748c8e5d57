// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record files when the program dies while writing them, or two games write them at once.
#include "DiskFiles.h"
#include "LifeGame.h"
#include "platform/QtTextFiles.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <random>

namespace {

// Starts the game on the folder, as the next player would; its load settles a record cut off mid-way.
void loadGameOn(const QString& folder) {
    LifeGame(LifeGame::Disk::Real, folder).start("");
}

// The record on disk when both files hold, byte for byte, record n as the writer sets it; else -1.
int wholeRecord(const QString& folder) {
    const QByteArray score = contents(folder + "/atarvisk.txt");
    const QByteArray n = QByteArray::number(score.trimmed().toInt());
    const bool whole =
        score == " " + n + "\r\n" &&
        contents(folder + "/tarvisk.txt") == "Giocatore " + n + " " + QByteArray(400, 'x') + "\r\n";
    return whole ? n.toInt() : -1;
}

bool lineBeside(const QString& folder) {
    return !QDir(folder).entryList({"*.new"}, QDir::Files).isEmpty();
}

// A writer that pauses pauseMs after each step on the disk and ends its games every endEveryMs on the clock.
void startWriter(QProcess& writer, const QString& folder, int pauseMs, int endEveryMs = 0) {
    writer.start(QCoreApplication::applicationDirPath() + "/record_writer",
                 {folder, QString::number(pauseMs), QString::number(endEveryMs)});
    QVERIFY(writer.waitForStarted());
}

QList<int> reported(QProcess& writer) {
    writer.kill();
    writer.waitForFinished();
    QList<int> records;
    for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
        if (!line.isEmpty()) records.append(line.toInt());
    return records;
}

} // namespace

class RecordCrash : public QObject {
    Q_OBJECT
  private slots:
    // Killed while a record is being written, the next start always finds a whole pair: the last record
    // reported or the one being written, never a cut line, never a score beside another record's holder.
    void killedWhileWriting() {
        QTemporaryDir temp;
        const QString folder = temp.filePath("records");
        QVERIFY(QDir().mkpath(folder));
        const unsigned seed = std::random_device{}();
        qInfo("kill delays from seed %u", seed);
        std::mt19937 rng(seed);
        // Each pause is 2 ms: the write, from the first line beside the files to the last replacement, takes
        // four of them and a little more.
        std::uniform_int_distribution<int> delayUs(0, 8000);

        constexpr int kKills = 80;
        int last = 0;
        int before = 0;
        int whileWriting = 0;
        int after = 0;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess writer;
            startWriter(writer, folder, 2);
            QVERIFY2(writer.waitForReadyRead(30000), writer.readAllStandardError().constData());
            QElapsedTimer waited;
            waited.start();
            while (!lineBeside(folder) && waited.elapsed() < 5000)
                QThread::usleep(50);
            QThread::usleep(delayUs(rng));
            const QList<int> records = reported(writer);
            QVERIFY(!records.isEmpty());
            const int committed = records.last();
            const int met = wholeRecord(folder);
            if (lineBeside(folder) || met < 0)
                ++whileWriting;
            else
                (met == committed ? before : after)++;

            loadGameOn(folder);
            const int onDisk = wholeRecord(folder);
            const QString context = QString("kill %1: record %2 after the next start, %3 reported")
                                        .arg(kill)
                                        .arg(onDisk)
                                        .arg(committed);
            QVERIFY2(onDisk >= committed && onDisk <= committed + 1 && onDisk > last, qPrintable(context));
            QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"atarvisk.txt", "tarvisk.txt"}));
            last = onDisk;
        }
        qInfo("%d kills: %d before the write, %d while writing, %d after", kKills, before, whileWriting,
              after);
        QVERIFY2(whileWriting > 0, "no kill landed while a record was being written");
    }

    // Two games on one account that load the same record and end at the same moment, again and again: each
    // record is set by one game only, never over a higher one, and the pair stays whole.
    void twoGamesAtOnce() {
        QTemporaryDir temp;
        const QString folder = temp.filePath("records");
        QVERIFY(QDir().mkpath(folder));
        QProcess first;
        QProcess second;
        startWriter(first, folder, 5, 200);
        startWriter(second, folder, 5, 200);
        QThread::msleep(3000);
        const QList<int> records = reported(first) + reported(second);
        // A game told that its record was not kept has left before it was killed.
        QVERIFY2(first.exitStatus() == QProcess::CrashExit && second.exitStatus() == QProcess::CrashExit &&
                     records.size() > 5,
                 first.readAllStandardError() + second.readAllStandardError());
        const QSet<int> distinct(records.begin(), records.end());
        QCOMPARE(distinct.size(), records.size());
        loadGameOn(folder);
        QVERIFY(wholeRecord(folder) >= *std::max_element(records.begin(), records.end()));
        qInfo("%lld records set by two games at once", static_cast<long long>(records.size()));
    }
};

QTEST_MAIN(RecordCrash)

#include "test_record_crash.moc"
