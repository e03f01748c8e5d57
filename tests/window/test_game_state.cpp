// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's variables: their types and their values when the window is made.
#include "TestGame.h"
#include "window/GameLabel.h"

#include <QTest>
#include <type_traits>

// The game's integers are signed 16-bit, the clock's seconds single precision, the rest text.
static_assert(std::is_same_v<decltype(GameState::score), qint16>);
static_assert(std::is_same_v<decltype(GameState::flashCounter), qint16>);
static_assert(std::is_same_v<decltype(GameState::factor1), qint16>);
static_assert(std::is_same_v<decltype(GameState::factor2), qint16>);
static_assert(std::is_same_v<decltype(GameState::clockHours), qint16>);
static_assert(std::is_same_v<decltype(GameState::clockMinutes), qint16>);
static_assert(std::is_same_v<decltype(GameState::clockSeconds), float>);
static_assert(std::is_same_v<decltype(GameState::systemDir), QString>);
static_assert(std::is_same_v<decltype(GameState::fileNumber), qint16>);
static_assert(std::is_same_v<decltype(GameState::lineBuffer), QString>);
static_assert(std::is_same_v<decltype(GameState::exitDelay), qint16>);
static_assert(std::is_same_v<decltype(GameState::pari2Value), qint16>);
static_assert(std::is_same_v<decltype(GameState::dispariValue), qint16>);
static_assert(std::is_same_v<decltype(GameState::dispari1Value), qint16>);
static_assert(std::is_same_v<decltype(GameState::dispari2Value), qint16>);

namespace {

void compareZeroed(const GameState& state) {
    for (const qint16 field :
         {state.score, state.flashCounter, state.factor1, state.factor2, state.clockHours, state.clockMinutes,
          state.fileNumber, state.exitDelay, state.pari2Value, state.dispariValue, state.dispari1Value,
          state.dispari2Value})
        QCOMPARE(field, qint16(0));
    QCOMPARE(state.clockSeconds, 0.0F);
    QVERIFY(state.systemDir.isEmpty());
    QVERIFY(state.lineBuffer.isEmpty());
}

} // namespace

class GameStateTest : public QObject {
    Q_OBJECT
  private slots:
    void zeroedWhenTheWindowIsMade() {
        compareZeroed(GameState{});
        TestGame game;
        compareZeroed(game->state);
        QCOMPARE(game->Punteggio->caption(), QString("0"));
    }
};

QTEST_MAIN(GameStateTest)
#include "test_game_state.moc"
