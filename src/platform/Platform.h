// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"
#include "Folders.h"
#include "ProgramEnd.h"
#include "RandomSource.h"
#include "Sound.h"
#include "TextFiles.h"
#include "Timers.h"

// Everything the game asks of its platform, handed to the window at creation.
struct Platform {
    Dialogs& dialogs;
    Sound& sound;
    RandomSource& random;
    Timers& timers;
    Folders& folders;
    TextFiles& files;
    ProgramEnd& end;
};
