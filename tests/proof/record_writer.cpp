// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sets one new record after another in a folder, through the game's own load and exit sequences,
// until it is killed. Each line on stdout is a record fully committed: "<score>".
#include "Fakes.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"
#include "window/platform/QtTextFiles.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: record_writer <folder>\n");
        return 2;
    }
    QtTextFiles files;
    for (;;) {
        FakePlatform fakes;
        fakes.folders.records = QString::fromLocal8Bit(argv[1]);
        Platform platform{fakes.dialogs, fakes.sound, fakes.random, fakes.timers,
                          fakes.folders, files,       fakes.end};
        Tavola tavola(platform);
        fakes.dialogs.names.push_back("");
        tavola.start();
        // One point above the record on show; the holder's name repeats the score, so a torn pair shows.
        const int score = static_cast<int>(tavola.lblpunti->caption().trimmed().toInt()) + 1;
        tavola.Punteggio->setCaption(" " + QString::number(score));
        tavola.lblnome1->setCaption(QString("Giocatore %1 ").arg(score) + QString(400, u'x'));
        fakes.dialogs.messages.clear();
        try {
            tavola.cmdExit_Click();
        } catch (const ProgramEnded&) {
        }
        const bool told =
            fakes.dialogs.messages.size() == 2 && fakes.dialogs.messages[1].text.startsWith("Ok ho");
        if (!told) {
            std::fprintf(stderr, "record %d not written\n", score);
            return 1;
        }
        std::printf("%d\n", score);
        std::fflush(stdout);
    }
}
