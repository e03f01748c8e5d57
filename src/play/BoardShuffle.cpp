// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The start click and the board shuffle that moves, shows and hides the targets.
#include "Draws.h"
#include "window/GameButton.h"
#include "window/Tavola.h"

void Tavola::Form_Click() {
    const FactorPair pair = DrawFactors();
    PlaySoundFile(cuePath(R"(\suoni\laser.wav)"));
    PaintBands(pair);
    Timer2->setEnabled(true);
    Timer2_Timer();
}

void Tavola::Timer2_Timer() {
    paricmd1->show();
    disparicmd1->show();
    disparicmd2->show();
    platform_.random.reseedFromClock();
    const int scenario = floorOf(6 * platform_.random.draw()) + 1;
    shuffleArm(scenario);
}

void Tavola::shuffleArm(int scenario) {
    RandomSource& random = platform_.random;
    const auto r = [&random] { return random.draw(); };
    switch (scenario) {
    case 1:
        paricmd1->hide();
        disparicmd1->hide();
        disparicmd2->hide();
        disparicmd->setLeft(floorOf(450 * r()));
        disparicmd->setTop(floorOf(1100 * r()));
        paricmd->show();
        paricmd1->setLeft(floorOf(300 * r()));
        paricmd->setTop(floorOf(600 * r()));
        paricmd2->show();
        break;
    case 2:
        paricmd->setLeft(floorOf(800 * r()));
        paricmd->setTop(floorOf(800 * r()));
        paricmd->show();
        paricmd1->setLeft(floorOf(300 * r()));
        paricmd1->setTop(floorOf(300 * r()));
        paricmd1->show();
        random.reseed(state.dispari1Value);
        state.dispari1Value = static_cast<qint16>(6 * floorOf(300 * r() + 1) + 1);
        disparicmd1->setCaption(decimal(state.dispari1Value));
        break;
    case 3:
        paricmd->hide();
        disparicmd->hide();
        paricmd2->setTop(floorOf(150 * r()));
        paricmd1->setTop(floorOf(300 * r()));
        disparicmd1->setTop(floorOf(300 * r()));
        disparicmd2->setTop(floorOf(150 * r()));
        disparicmd2->setLeft(floorOf(50 * r()));
        paricmd1->hide();
        disparicmd2->show();
        random.reseed(state.dispariValue);
        state.dispariValue = static_cast<qint16>(6 * floorOf(900 * r() + 1) + 1);
        disparicmd->setCaption(decimal(state.dispariValue));
        break;
    case 4:
        paricmd2->hide();
        disparicmd2->hide();
        disparicmd->show();
        disparicmd->setLeft(floorOf(300 * r()) + 1);
        disparicmd->setTop(floorOf(1000 * r()) + 1);
        paricmd1->setTop(floorOf(500 * r()));
        paricmd1->setLeft(floorOf(300 * r()));
        paricmd2->show();
        random.reseed(state.dispari2Value);
        state.dispari2Value = static_cast<qint16>(6 * floorOf(300 * r() + 1) + 4);
        disparicmd2->setCaption(decimal(state.dispari2Value));
        break;
    case 5:
        paricmd->hide();
        disparicmd->hide();
        paricmd2->setTop(floorOf(200 * r()));
        paricmd1->setTop(floorOf(300 * r()));
        disparicmd1->setTop(floorOf(900 * r()));
        disparicmd2->setTop(floorOf(500 * r()));
        disparicmd->setTop(floorOf(300 * r()));
        paricmd1->hide();
        disparicmd2->hide();
        // Reseeded from disparicmd2's value although the number goes to disparicmd1: the board has always
        // dealt this arm so.
        random.reseed(state.dispari2Value);
        state.dispari1Value = static_cast<qint16>(6 * floorOf(300 * r() + 1) + 3);
        disparicmd1->setCaption(decimal(state.dispari1Value));
        break;
    case 6:
        paricmd1->hide();
        disparicmd1->hide();
        paricmd->setTop(floorOf(200 * r()));
        paricmd2->setTop(floorOf(30 * r()));
        disparicmd->setTop(floorOf(900 * r()));
        disparicmd1->setTop(floorOf(70 * r()));
        disparicmd2->setTop(floorOf(250 * r()));
        disparicmd1->setLeft(floorOf(300 * r()));
        disparicmd2->show();
        random.reseed(state.dispari2Value);
        state.dispari2Value = static_cast<qint16>(6 * floorOf(300 * r() + 1) + 2);
        disparicmd2->setCaption(decimal(state.dispari2Value));
        break;
    default:
        break;
    }
}
