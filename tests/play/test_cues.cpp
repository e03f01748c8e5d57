// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The three cues: where their paths come from, and that a missing sound folder is silent and changes nothing.
#include "PlayGame.h"

#include "platform/QtSound.h"
#include "window/Surface.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Draws that any game can take from, the same for every game that asks.
void scriptManyDraws(PlayGame& game, int count) {
    quint32 state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1664525U + 1013904223U;
        game.script({static_cast<float>(state >> 8U) * 0x1p-24F});
    }
}

// Everything a player could see or the game keeps, as text.
QStringList snapshot(PlayGame& game) {
    QStringList seen;
    for (GameButton* button : game.targets())
        seen << QString("%1 %2 %3 %4,%5 %6")
                    .arg(button->objectName(), button->caption())
                    .arg(button->isVisible())
                    .arg(button->x())
                    .arg(button->y())
                    .arg(button->backColour());
    const GameState& state = game->state;
    seen << game->Punteggio->caption() << game->lblNum1->caption() << game->lblNum2->caption()
         << QString("%1 %2 %3 %4 %5 %6 %7")
                .arg(state.score)
                .arg(state.factor1)
                .arg(state.factor2)
                .arg(state.pari2Value)
                .arg(state.dispariValue)
                .arg(state.dispari1Value)
                .arg(state.dispari2Value)
         << game->surface()->image().pixelColor(0, 0).name() << game.dialogs.texts();
    return seen;
}

// A start, a start click, a few ticks and one hit on every target.
QStringList play(PlayGame& game) {
    scriptManyDraws(game, 2000);
    game.start();
    game->Form_Click();
    QStringList seen;
    const auto targets = game.targets();
    for (int round = 0; round < 6; ++round) {
        game.timer2().tick();
        seen << snapshot(game);
        targets[round]->click();
        seen << snapshot(game);
    }
    return seen;
}

} // namespace

class Cues : public QObject {
    Q_OBJECT
  private slots:
    // The program folder is asked afresh at every cue.
    void cuePathsFollowTheProgramFolder() {
        PlayGame game;
        game.folders.program = "/games/dorvana";
        game.start();
        game->paricmd_Click();
        game.folders.program = "/media/usb/Dorvana 2";
        game->disparicmd_Click();
        game->Form_Click();
        game.folders.program = "/games/dorvana";
        game->paricmd2_Click();
        game->disparicmd2_Click();
        QCOMPARE(game.sound.played,
                 (QStringList{"/games/dorvana/suoni/sparo.wav", "/media/usb/Dorvana 2/suoni/esplosi.wav",
                              "/media/usb/Dorvana 2/suoni/laser.wav", "/games/dorvana/suoni/sparo.wav",
                              "/games/dorvana/suoni/esplosi.wav"}));
    }

    // Through the real sound layer: every cue ends silent, and the game goes as on a sound that only listens.
    void missingSoundFolderIsSilentAndHarmless() {
        QTemporaryDir withoutSounds;
        QtSound real(DORVANA_SOUND_FOLDER);
        PlayGame heard;
        heard.folders.program = withoutSounds.path();
        heard.sound.onPlay = [&real](const QString& path) { real.play(path); };
        PlayGame listened;
        QCOMPARE(play(heard), play(listened));
        QCOMPARE(heard.sound.played.size(), 7);
        for (const QString& path : heard.sound.played) {
            QTRY_COMPARE(real.status(path), CueStatus::Error);
            QVERIFY(!real.isPlaying(path));
        }
    }
};

QTEST_MAIN(Cues)
#include "test_cues.moc"
