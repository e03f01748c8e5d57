// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The game's fixed texts as the player reads them, kept once so that every suite checks the same words, and
// the scale the board writes its positions in.
#include <QString>
#include <QtMath>

namespace texts {

inline const QString kPrompt = QStringLiteral("Come ti chiami?");
// The greeting is one space, the name, then this.
inline const QString kGreetingTail = QStringLiteral(" vediamo se sei un vero campione  ");
inline const QString kFarewell = QStringLiteral("           Ciao a presto.");
inline const QString kCongratulation = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");
inline const QString kNotSaved =
    QStringLiteral("Non sono riuscito a registrare il tuo record: resta valido il record precedente.");
inline const QString kUnreadable =
    QStringLiteral("Non riesco a leggere o a creare i file dei record: in questa "
                   "partita i record non possono essere conservati.");
inline const QString kSavingMayFail = QStringLiteral(
    "Per ora non riesco a salvare un nuovo record: se ne fai uno, ci riproverò alla fine della gara.");
inline const QString kNewGameQuestion = QStringLiteral("INIZIAMO UNA NUOVA GARA  ?");
inline const QString kNewGameTitle = QStringLiteral("INIZIARE NUOVA GARA");
inline const QString kMinimisedTitle = QStringLiteral("Dorvana.  ");

// A warning is an opening, the number, then a tail.
inline const QString kOpening = QStringLiteral("Attenzione!  ");
inline const QString kOpeningMistake = QStringLiteral("Attenzione! Hai sbagliato:  ");
inline const QString kTailShort = QStringLiteral("  non è  un numero divisibile per 6");
inline const QString kTailLong = QStringLiteral("   non è  un numero divisibile per 6");

} // namespace texts

// Positions are pixels across and 1/512 of the 672-pixel client height down.
inline int yPixels(int units) {
    return qRound(units * 672 / 512.0);
}
