// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Leave-taking, the record decision and the end of the program.
#include "window/Tavola.h"

namespace {

constexpr qint16 kExitDelayCounts = 1000;

} // namespace

void Tavola::cmdExit_Click() {
    // Ticks would otherwise start this sequence again, and a second record decision, while its boxes are
    // open.
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    platform_.dialogs.msgBox("           Ciao a presto.");
    state.exitDelay = 1;
    while (state.exitDelay <= kExitDelayCounts)
        ++state.exitDelay;
    recordDecision();
    platform_.end.endNow();
}
