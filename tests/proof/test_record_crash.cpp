// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record files when the program dies while writing them, or the disk is full.
#include "DiskFiles.h"
#include "Fakes.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"
#include "window/platform/QtTextFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <random>
#include <sys/mount.h>

namespace {

const QString kFarewell = "           Ciao a presto.";
const QString kNotSaved = "Non sono riuscito a registrare il tuo record: resta valido il record precedente.";

// Starts the game on the folder, as the next player would; its load settles a record cut off mid-way.
void loadGameOn(const QString& folder) {
    FakePlatform fakes;
    fakes.folders.records = folder;
    QtTextFiles files;
    Platform platform{fakes.dialogs, fakes.sound, fakes.random, fakes.timers,
                      fakes.folders, files,       fakes.end};
    Tavola tavola(platform);
    tavola.start();
}

} // namespace

class RecordCrash : public QObject {
    Q_OBJECT
  private slots:
    // Killed at random moments of one record after another, the next start always finds a whole record:
    // the last one committed or the one being written, never an empty or cut line, never a score beside
    // another game's holder.
    void killedWhileWriting() {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString folder = temp.filePath("records");
        QVERIFY(QDir().mkpath(folder));
        const QString scorePath = folder + "/atarvisk.txt";
        const QString holderPath = folder + "/tarvisk.txt";
        const QString writer = QCoreApplication::applicationDirPath() + "/record_writer";
        QVERIFY2(QFile::exists(writer), qPrintable(writer));

        const unsigned seed = std::random_device{}();
        qInfo("kill delays from seed %u", seed);
        std::mt19937 rng(seed);
        static const QRegularExpression scoreLine("^ ([0-9]+)\r\n$");
        static const QRegularExpression holderLine("^Giocatore ([0-9]+) x{400}\r\n$");

        int last = 0;
        int advanced = 0;
        constexpr int kKills = 120;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess process;
            process.setStandardErrorFile(temp.filePath("writer.err"));
            process.start(writer, {folder});
            QVERIFY(process.waitForStarted());
            // Start-up is not what we test: kill once records are flowing.
            QVERIFY2(process.waitForReadyRead(30000), qPrintable(contents(temp.filePath("writer.err"))));
            QThread::usleep(std::uniform_int_distribution<int>(0, 30000)(rng));
            const QByteArray reported = process.readAllStandardOutput();
            process.kill();
            QVERIFY(process.waitForFinished());
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);
            const QList<QByteArray> lines =
                (reported + process.readAllStandardOutput()).trimmed().split('\n');
            const int committed = lines.last().toInt();
            loadGameOn(folder);

            const QByteArray score = contents(scorePath);
            const QByteArray holder = contents(holderPath);
            const auto scoreMatch = scoreLine.match(QString::fromLatin1(score));
            const auto holderMatch = holderLine.match(QString::fromLatin1(holder));
            const QString context = QString("kill %1: score file \"%2\", holder file of %3 bytes")
                                        .arg(kill)
                                        .arg(QString::fromLatin1(score).toHtmlEscaped())
                                        .arg(holder.size());
            QVERIFY2(scoreMatch.hasMatch() && holderMatch.hasMatch(), qPrintable(context));
            const int onDisk = scoreMatch.captured(1).toInt();
            // The last record reported done, or the next one whose files were being replaced.
            QVERIFY2(onDisk >= committed && onDisk <= committed + 1 && onDisk > last, qPrintable(context));
            const int holderScore = holderMatch.captured(1).toInt();
            QVERIFY2(holderScore == onDisk, qPrintable(context));
            advanced += onDisk > committed ? 1 : 0;
            last = onDisk;
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"atarvisk.txt", "tarvisk.txt"}));
        // Both outcomes must have been met, or the kills did not land while a record was being written.
        qInfo("%d kills, last record %d; %d found the record being written already in place", kKills, last,
              advanced);
    }

    void fullDisk_data() {
        QTest::addColumn<QByteArray>("oldScore");
        QTest::addColumn<QByteArray>("oldHolder");
        QTest::newRow("as the game writes it") << QByteArray(" 3\r\n") << QByteArray("Ada\r\n");
        QTest::newRow("classic Windows-1252 holder")
            << QByteArray("4\r\n") << QByteArray("Nicol\xF2 d'Ars\xE8ne\r\n");
        QTest::newRow("hand-edited, several lines")
            << QByteArray(" 2\r\nnote: \xFF\xFE\r\n") << QByteArray("Ada\r\nBea\r\n");
    }

    // The write fails: the player is told, nobody is congratulated, and the old record survives byte for
    // byte.
    void fullDisk() {
        QFETCH(QByteArray, oldScore);
        QFETCH(QByteArray, oldHolder);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        Tmpfs tmpfs(temp.path(), "size=128k");
        if (!tmpfs.mounted())
            QSKIP("mounting a tmpfs is not permitted here: run as root to test a full disk");
        plant(temp.filePath("atarvisk.txt"), oldScore);
        plant(temp.filePath("tarvisk.txt"), oldHolder);

        FakePlatform fakes;
        fakes.folders.records = temp.path();
        QtTextFiles files;
        Platform platform{fakes.dialogs, fakes.sound, fakes.random, fakes.timers,
                          fakes.folders, files,       fakes.end};
        Tavola tavola(platform);
        fakes.dialogs.names.push_back("Mario");
        tavola.start();
        QCOMPARE(tavola.lblpunti->caption().isEmpty(), oldScore.isEmpty());

        QFile filler(temp.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        filler.close();

        tavola.Punteggio->setCaption(" 99");
        fakes.dialogs.messages.clear();
        bool ended = false;
        try {
            tavola.cmdExit_Click();
        } catch (const ProgramEnded&) {
            ended = true;
        }
        QVERIFY(ended);
        QCOMPARE(fakes.dialogs.texts(), (QStringList{kFarewell, kNotSaved}));
        QCOMPARE(contents(temp.filePath("atarvisk.txt")), oldScore);
        QCOMPARE(contents(temp.filePath("tarvisk.txt")), oldHolder);
        QCOMPARE(QDir(temp.path()).entryList(QDir::Files),
                 (QStringList{"atarvisk.txt", "filler", "tarvisk.txt"}));
    }
};

QTEST_MAIN(RecordCrash)
#include "test_record_crash.moc"
