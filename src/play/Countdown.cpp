// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The five-minute countdown shown in lblconto.
#include "window/GameLabel.h"
#include "window/Tavola.h"

#include <cmath>

namespace {

const QString kTimeUp = QStringLiteral("00:00:00");

QString twoDigits(long value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Tavola::clockText() const {
    return twoDigits(state.clockHours) + ":" + twoDigits(state.clockMinutes) + ":" +
           twoDigits(std::lround(state.clockSeconds));
}

void Tavola::StartClock() {
    Timer1->setEnabled(true);
    state.clockHours = 0;
    state.clockMinutes = 5;
    state.clockSeconds = 0.0F;
    lblconto->setCaption(clockText());
}

void Tavola::Timer1_Timer() {
    // Decided from the text on show alone: the tick keeps no flag of its own.
    if (lblconto->caption() == kTimeUp) {
        cmdExit_Click();
        return;
    }
    if (state.clockSeconds == 0.0F && state.clockMinutes > 0) {
        state.clockSeconds = 60.0F;
        --state.clockMinutes;
    }
    state.clockSeconds -= 1.0F;
    lblconto->setCaption(clockText());
}
