// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sets one new record after another in a folder, through the game's own load and exit sequences,
// until it is killed. Each line on stdout is a record fully committed: "<score>". A record that another
// writer on the same folder set first is passed over.
#include "TestGame.h"
#include "platform/QtTextFiles.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"

#include <QApplication>
#include <QDateTime>
#include <QThread>
#include <cstdio>

namespace {

// Pauses after each step that ends on the disk, so that a kill can land inside a record's write.
class PausingFiles : public QtTextFiles {
  public:
    explicit PausingFiles(int pauseMs) : pauseMs_(pauseMs) {}
    bool close(qint16 number) override { return paused(QtTextFiles::close(number)); }
    bool rename(const QString& from, const QString& to) override {
        return paused(QtTextFiles::rename(from, to));
    }

  private:
    bool paused(bool result) const {
        QThread::msleep(pauseMs_);
        return result;
    }
    int pauseMs_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: record_writer <folder> [pause-ms [end-every-ms]]\n");
        return 2;
    }
    PausingFiles files(argc >= 3 ? QString(argv[2]).toInt() : 0);
    const qint64 endEvery = argc == 4 ? QString(argv[3]).toLongLong() : 0;
    for (;;) {
        TestGame game(&files);
        FakePlatform& fakes = game.fakes;
        fakes.folders.records = QString::fromLocal8Bit(argv[1]);
        game.start("");
        Tavola& tavola = *game;
        // One point above the record on show; the holder's name repeats the score, so a torn pair shows.
        const int score = static_cast<int>(tavola.lblpunti->caption().trimmed().toInt()) + 1;
        tavola.Punteggio->setCaption(" " + QString::number(score));
        tavola.lblnome1->setCaption(QString("Giocatore %1 ").arg(score) + QString(400, u'x'));
        fakes.dialogs.messages.clear();
        // Games end on the same ticks of the clock, so that two writers on one folder end theirs together.
        if (endEvery > 0) QThread::msleep(endEvery - QDateTime::currentMSecsSinceEpoch() % endEvery);
        try {
            tavola.cmdExit_Click();
        } catch (const ProgramEnded&) {
        }
        if (fakes.dialogs.messages.size() == 1) continue;
        if (!fakes.dialogs.messages[1].text.startsWith("Ok ho")) {
            std::fprintf(stderr, "record %d not written\n", score);
            return 1;
        }
        std::printf("%d\n", score);
        std::fflush(stdout);
    }
}
