// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The three cues beside the program: shot, explosion and laser.
#include "platform/Paths.h"
#include "window/Tavola.h"

void Tavola::PlaySoundFile(const QString& path) {
    platform_.sound.play(path);
}

// Built afresh at every play and never checked: a missing file is simply silent.
QString Tavola::cuePath(const char* cue) const {
    return platform_.folders.programFolder() + nativeSeparators(QString::fromUtf8(cue));
}
