// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sound.h"

// What a cue's file was found to be at its last play: ready to sound, or unplayable.
enum class CueStatus { Unplayed, Ready, Error };

// Qt Multimedia brings two dozen libraries (PulseAudio, libsndfile, Qt Network...) and about 3 MiB: it lives
// in a module of its own, loaded when the first cue plays, so the game starts as fast as a bare Qt program.
class CuePlayer : public Sound {
  public:
    // Whether that cue is sounding now.
    virtual bool isPlaying(const QString& path) const = 0;
    virtual CueStatus status(const QString& path) const = 0;
};

// The module's one entry point, a C name so it can be looked up by name.
using MakeCuePlayer = CuePlayer* (*)();
inline constexpr char kMakeCuePlayer[] = "dorvana_make_cue_player";
inline constexpr char kSoundModule[] = "dorvana_sound";
