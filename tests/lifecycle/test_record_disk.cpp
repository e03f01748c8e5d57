// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record files on a real disk that misbehaves: no write access, full, odd content, interrupted writes.
#include "DiskFiles.h"
#include "GameTexts.h"
#include "LifeGame.h"
#include "window/GameLabel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <sys/mount.h>
#include <thread>

namespace {

using texts::kCongratulation;
using texts::kFarewell;

constexpr qint64 kReadBound = 4096;

// Shows score on the board and ends the game by cmdExit; returns the messages of the exit sequence.
QStringList endWith(LifeGame& game, const QString& score) {
    game->Punteggio->setCaption(score);
    game.fakes.dialogs.messages.clear();
    if (!game.ends([&] { game->cmdExit_Click(); })) return {"<the program went on>"};
    return game.fakes.dialogs.texts();
}

bool toldNotSaved(const QStringList& messages) {
    return messages.size() == 2 && messages[0] == kFarewell && messages[1] != kCongratulation &&
           messages[1].contains("record");
}

} // namespace

class RecordDisk : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir temp_;
    QString folder_;

    QString score() const { return folder_ + "/atarvisk.txt"; }
    QString holder() const { return folder_ + "/tarvisk.txt"; }
    void plantRecord(const QByteArray& scoreLine, const QByteArray& holderLine) const {
        plant(score(), scoreLine);
        plant(holder(), holderLine);
    }
    QByteArrayList onDisk() const { return {contents(score()), contents(holder())}; }

    // Each case gets a fresh folder; tmpfs cases mount over it.
    void newFolder() {
        static int count = 0;
        folder_ = temp_.filePath(QString("records%1").arg(++count));
        QVERIFY(QDir().mkpath(folder_));
    }

  private slots:
    void init() { newFolder(); }

    void firstStartCreatesEmptyFiles() {
        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start("Mario");
        QCOMPARE(onDisk(), (QByteArrayList{"", ""}));
        QCOMPARE(game->lblpunti->caption(), QString());
        QCOMPARE(game->lblnome->caption(), QString());
        QCOMPARE(game.fakes.dialogs.texts().size(), 1);
        QCOMPARE(endWith(game, " 3"), (QStringList{kFarewell, kCongratulation}));
        QCOMPARE(onDisk(), (QByteArrayList{" 3\r\n", "Mario\r\n"}));
        QCOMPARE(QDir(folder_).entryList(QDir::Files), (QStringList{"atarvisk.txt", "tarvisk.txt"}));
    }

    void loadNeverTruncates() {
        plantRecord(" 3\r\n", "Ada\r\n");
        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start();
        QCOMPARE(onDisk(), (QByteArrayList{" 3\r\n", "Ada\r\n"}));
        QCOMPARE(game->lblpunti->caption(), QString(" 3\r\n"));
        QCOMPARE(game->lblnome->caption(), QString("Ada\r\n"));
    }

    void namesRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("beyond Latin-1") << "Łucja";
        QTest::newRow("Latin-1") << "Zoë";
        QTest::newRow("markup") << "<b>x</b>";
    }

    void namesRoundTrip() {
        QFETCH(QString, name);
        {
            LifeGame game(LifeGame::Disk::Real, folder_);
            game.start(name);
            endWith(game, " 1");
        }
        QCOMPARE(contents(holder()), (name + "\r\n").toUtf8());
        LifeGame next(LifeGame::Disk::Real, folder_);
        next.start();
        QCOMPARE(next->lblnome->caption(), name + "\r\n");
        QCOMPARE(next->lblnome->textFormat(), Qt::PlainText);
    }

    void readOnlyFolder_data() {
        QTest::addColumn<QByteArray>("oldScore");
        QTest::addColumn<QByteArray>("oldHolder");
        QTest::newRow("without records") << QByteArray() << QByteArray();
        QTest::newRow("with a record") << QByteArray(" 3\r\n") << QByteArray("Ada\r\n");
    }

    // The player hears once that records cannot be kept; the game goes on and nothing is claimed at the end.
    void readOnlyFolder() {
        QFETCH(QByteArray, oldScore);
        QFETCH(QByteArray, oldHolder);
        Tmpfs tmpfs(folder_);
        if (!tmpfsReady(tmpfs,
                        "mounting a tmpfs is not permitted here: run as root to test a read-only folder"))
            return;
        if (!oldScore.isEmpty()) {
            plantRecord(oldScore, oldHolder);
        }
        QVERIFY(tmpfs.makeReadOnly());

        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start("Mario");
        const QStringList atLoad = game.fakes.dialogs.texts();
        QCOMPARE(atLoad.size(), 2);
        QVERIFY(atLoad[1].contains("record"));
        QCOMPARE(game->lblpunti->caption(), QString(oldScore));
        QCOMPARE(game->lblnome->caption(), QString(oldHolder));
        QCOMPARE(game->lblconto->caption(), QString("00:05:00"));
        QVERIFY(game.timer1().enabled);

        QVERIFY(toldNotSaved(endWith(game, " 5")));
        QCOMPARE(QFile::exists(score()), !oldScore.isEmpty());
        if (!oldScore.isEmpty()) {
            QCOMPARE(onDisk(), (QByteArrayList{oldScore, oldHolder}));
        }
    }

    void folderThatCannotBeMade() {
        plant(temp_.filePath("plain"), "not a folder");
        LifeGame game(LifeGame::Disk::Real, temp_.filePath("plain/dorvana"));
        game.start();
        QCOMPARE(game.fakes.dialogs.texts().size(), 2);
        QCOMPARE(game->lblpunti->caption(), QString());
        QCOMPARE(game->lblnome->caption(), QString());
        QVERIFY(toldNotSaved(endWith(game, " 5")));
    }

    void folderInPlaceOfARecordFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("atLoad");
        QTest::newRow("score file, at load") << "atarvisk.txt" << true;
        QTest::newRow("score file, during the game") << "atarvisk.txt" << false;
        QTest::newRow("holder file, during the game") << "tarvisk.txt" << false;
    }

    // Told once that the record is not kept, and the disk agrees: no line beside the files, and the next
    // start shows the old holder even with a finished pair left there by an older game.
    void folderInPlaceOfARecordFile() {
        QFETCH(QString, file);
        QFETCH(bool, atLoad);
        plantRecord(" 3\r\n", "Ada\r\n");
        const QString folder = folder_ + "/" + file;
        const auto replace = [&] { QVERIFY(QFile::remove(folder) && QDir().mkpath(folder)); };
        if (atLoad) replace();
        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start();
        QCOMPARE(game.fakes.dialogs.texts().size(), atLoad ? 2 : 1);
        if (!atLoad) replace();
        QVERIFY(toldNotSaved(endWith(game, " 5")));
        QCOMPARE(QDir(folder_).entryList(QDir::Files).size(), 1);

        plant(score() + ".new", " 7\r\n");
        plant(holder() + ".new", "Bea\r\n");
        LifeGame next(LifeGame::Disk::Real, folder_);
        next.start();
        QCOMPARE(QDir(folder_).entryList(QDir::Files).size(), 1);
        QCOMPARE(next.fakes.dialogs.texts().size(), 2);
        if (file == "atarvisk.txt") QCOMPARE(next->lblnome->caption(), QString("Ada\r\n"));
    }

    void hugeRecordFile() {
        plant(score(), " 7\r\n");
        QFile sparse(score());
        QVERIFY(sparse.resize(100LL * 1024 * 1024));
        plant(holder(), "Ada\r\n");

        QElapsedTimer clock;
        clock.start();
        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString("start took %1 ms").arg(clock.elapsed())));
        QCOMPARE(game->lblpunti->caption().size(), kReadBound);
        QVERIFY(game->lblpunti->caption().startsWith(" 7\r\n"));

        QCOMPARE(endWith(game, " 7"), QStringList{kFarewell});
        QCOMPARE(QFileInfo(score()).size(), 100LL * 1024 * 1024);

        LifeGame again(LifeGame::Disk::Real, folder_);
        again.start("Mario");
        QCOMPARE(endWith(again, " 8"), (QStringList{kFarewell, kCongratulation}));
        QCOMPARE(contents(score()), QByteArray(" 8\r\n"));
    }

    // Not what we wrote: shown as text, worth 0, and replaced by any positive score.
    void binaryJunk() {
        QByteArray junk("\x89PNG\r\n\x1a\n", 8);
        for (int i = 0; i < 256; ++i)
            junk.append(static_cast<char>(255 - i));
        plantRecord(junk, junk);
        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start("Mario");
        QCOMPARE(game->lblpunti->caption().size(), junk.size());
        QCOMPARE(game->lblpunti->textFormat(), Qt::PlainText);
        QCOMPARE(game.fakes.dialogs.texts().size(), 1);
        QCOMPARE(endWith(game, " 1"), (QStringList{kFarewell, kCongratulation}));
        QCOMPARE(onDisk(), (QByteArrayList{" 1\r\n", "Mario\r\n"}));
    }

    void abandonedWriteLeavesTheOldRecord() {
        plant(score(), " 3\r\n");
        {
            QtTextFiles files;
            const qint16 number = files.freeFile();
            QVERIFY(files.open(number, score(), TextFiles::Mode::Output));
            QVERIFY(files.writeLine(number, " 99"));
        }
        QCOMPARE(contents(score()), QByteArray(" 3\r\n"));
        QCOMPARE(QDir(folder_).entryList(QDir::Files), QStringList{"atarvisk.txt"});
    }

    void fullDisk_data() {
        QTest::addColumn<QByteArray>("oldScore");
        QTest::addColumn<QByteArray>("oldHolder");
        QTest::addColumn<qint64>("roomAtExit");
        // Two pages: the lock takes one, the score's new line the other, and the holder's meets the full
        // disk.
        const qint64 full = 2 * 4096LL;
        QTest::newRow("as the game writes it") << QByteArray(" 3\r\n") << QByteArray("Ada\r\n") << full;
        QTest::newRow("classic Windows-1252 holder")
            << QByteArray("4\r\n") << QByteArray("Nicol\xF2 d'Ars\xE8ne\r\n") << full;
        QTest::newRow("hand-edited, several lines")
            << QByteArray(" 2\r\nnote: \xFF\xFE\r\n") << QByteArray("Ada\r\nBea\r\n") << full;
        QTest::newRow("room again at exit") << QByteArray(" 3\r\n") << QByteArray("Ada\r\n") << 4 * full;
    }

    // Full at load: the record read is shown, with a word that saving may fail. The exit tries again and
    // keeps the record, or takes back every line it wrote and leaves the old record byte for byte.
    void fullDisk() {
        QFETCH(QByteArray, oldScore);
        QFETCH(QByteArray, oldHolder);
        QFETCH(qint64, roomAtExit);
        Tmpfs tmpfs(folder_);
        if (!tmpfsReady(tmpfs, "mounting a tmpfs is not permitted here: run as root to test a full disk"))
            return;
        plantRecord(oldScore, oldHolder);
        fillDisk(folder_ + "/filler");

        LifeGame game(LifeGame::Disk::Real, folder_);
        game.start("Mario");
        QVERIFY(!game->lblpunti->caption().isEmpty());
        QCOMPARE(game.fakes.dialogs.texts().last(), texts::kSavingMayFail);
        QVERIFY(QFile::resize(folder_ + "/filler", QFileInfo(folder_ + "/filler").size() - roomAtExit));
        const bool kept = roomAtExit > 2 * 4096LL;
        QCOMPARE(endWith(game, " 5"), (QStringList{kFarewell, kept ? kCongratulation : texts::kNotSaved}));
        QCOMPARE(onDisk(),
                 kept ? (QByteArrayList{" 5\r\n", "Mario\r\n"}) : (QByteArrayList{oldScore, oldHolder}));
        QCOMPARE(QDir(folder_).entryList(QDir::Files),
                 (QStringList{"atarvisk.txt", "filler", "tarvisk.txt"}));
    }

    // A file in the way for a moment, as one that a virus scanner holds open on Windows, is waited for.
    void replaceWaitsForAFileInTheWay() {
        plant(score() + ".new", " 9\r\n");
        QVERIFY(QDir().mkpath(score() + "/in the way"));
        std::thread clearer([this] {
            QThread::msleep(300);
            QDir(score()).removeRecursively();
        });
        const bool replaced = QtTextFiles().rename(score() + ".new", score());
        clearer.join();
        QVERIFY(replaced);
        QCOMPARE(contents(score()), QByteArray(" 9\r\n"));
    }
};

int main(int argc, char* argv[]) {
    return runDiskSuite<RecordDisk>(argc, argv);
}

#include "test_record_disk.moc"
