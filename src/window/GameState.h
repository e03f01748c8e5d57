// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The window's variables that outlive a single handler. All zero or empty when the window is made.
struct GameState {
    qint16 score = 0;
    qint16 flashCounter = 0;
    qint16 factor1 = 0;
    qint16 factor2 = 0;
    qint16 clockHours = 0;
    qint16 clockMinutes = 0;
    float clockSeconds = 0.0F;
    QString systemDir;
    qint16 fileNumber = 0;
    QString lineBuffer;
    qint16 exitDelay = 0;
    qint16 pari2Value = 0;
    qint16 dispariValue = 0;
    qint16 dispari1Value = 0;
    qint16 dispari2Value = 0;
};
