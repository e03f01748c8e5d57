// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The deal when the window is shown, and the six hit handlers.
#include "Draws.h"
#include "window/Colour.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"

namespace {

constexpr qint16 kCorrectFlashWrites = 20000;
constexpr qint16 kWrongFlashWrites = 10000;
// The counted writes are over in well under a millisecond, too soon for any screen to show them: the flash
// is held this long from its first write, so the child sees the green of a hit, and the red of a miss before
// the warning box can cover it.
constexpr qint64 kFlashHeldMs = 120;

const QString kOpening = QStringLiteral("Attenzione!  ");
const QString kOpeningMistake = QStringLiteral("Attenzione! Hai sbagliato:  ");
const QString kTailShort = QStringLiteral("  non è  un numero divisibile per 6");
const QString kTailLong = QStringLiteral("   non è  un numero divisibile per 6");

// The flash: its counted colour writes, then the hold.
void flash(GameButton* target, BgrColour colour, qint16 writes, qint16& flashCounter, Timers& timers) {
    flashCounter = 1;
    while (flashCounter <= writes) {
        target->setBackColour(colour);
        ++flashCounter;
    }
    timers.holdScreenFor(*target, kFlashHeldMs);
}

} // namespace

void Tavola::Form_Activate() {
    RandomSource& random = platform_.random;
    random.reseed(0);
    disparicmd->setCaption(decimal(floorOf(random.draw() * 100 + 1) * 6 + 1));
    random.reseed(0);
    disparicmd1->setCaption(decimal(floorOf(random.draw() * 200 + 1) * 6 + 2));
    random.reseed(0);
    disparicmd2->setCaption(decimal(floorOf(random.draw() * 100 + 1) * 6 + 3));
    random.reseed(0);
    paricmd->setCaption(decimal(floorOf(random.draw() * 100 + 1) * 6));
    random.reseed(0);
    const int dealtToParicmd1 = floorOf(random.draw() * 150 + 1) * 6;
    paricmd1->setCaption(decimal(dealtToParicmd1));
    random.reseed(dealtToParicmd1);
    paricmd2->setCaption(decimal(floorOf(random.draw() * 100 + 1) * 6));
    state.score = 0;
    Punteggio->setCaption(decimal(state.score));
    cmdNext_Click();
}

void Tavola::correctHit(GameButton* target, const std::function<int()>& dealNew) {
    flash(target, colour::green, kCorrectFlashWrites, state.flashCounter, platform_.timers);
    ++state.score;
    PlaySoundFile(cuePath(R"(\suoni\sparo.wav)"));
    Punteggio->setCaption(" " + decimal(state.score));
    target->setBackColour(colour::cyan);
    target->hide();
    target->setCaption(decimal(dealNew()));
    cmdNext_Click();
}

void Tavola::wrongHit(GameButton* target, const QString& opening, const QString& tail,
                      const std::function<int()>& dealNew) {
    flash(target, colour::red, kWrongFlashWrites, state.flashCounter, platform_.timers);
    PlaySoundFile(cuePath(R"(\suoni\esplosi.wav)"));
    const QString clicked = target->caption();
    platform_.dialogs.msgBox(opening + clicked + tail);
    // Ticks may have moved the board while the box was open; this button is re-dealt all the same.
    state.score -= 4;
    Punteggio->setCaption(decimal(state.score));
    target->hide();
    target->setCaption(decimal(dealNew()));
    target->setBackColour(colour::cyan);
    cmdNext_Click();
}

void Tavola::paricmd_Click() {
    correctHit(paricmd, [this] {
        platform_.random.reseed(0);
        return floorOf(platform_.random.draw() * 100 + 1) * 6;
    });
}

void Tavola::paricmd1_Click() {
    correctHit(paricmd1, [this] {
        platform_.random.reseed(0);
        return floorOf(platform_.random.draw() * 500 + 2) * 6;
    });
}

void Tavola::paricmd2_Click() {
    correctHit(paricmd2, [this] {
        platform_.random.reseed(0);
        state.pari2Value = static_cast<qint16>(floorOf(platform_.random.draw() * 40 + 1) * 6);
        return state.pari2Value;
    });
}

void Tavola::disparicmd_Click() {
    wrongHit(disparicmd, kOpening, kTailShort, [this] {
        platform_.random.reseed(0);
        return floorOf(platform_.random.draw() * 400) * 6 + 2;
    });
}

void Tavola::disparicmd1_Click() {
    wrongHit(disparicmd1, kOpeningMistake, kTailLong, [this] {
        platform_.random.reseed(0);
        return 5401;
    });
}

void Tavola::disparicmd2_Click() {
    wrongHit(disparicmd2, kOpening, kTailLong, [this] {
        platform_.random.reseed(state.dispari2Value);
        state.dispari2Value = static_cast<qint16>(floorOf(platform_.random.draw() * 100) * 6 + 3);
        return state.dispari2Value;
    });
}
