// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sound.h"

// How far a cue's file has got: read and ready to sound, or found unplayable.
enum class CueStatus { Unplayed, Loading, Ready, Error };

// Qt Multimedia brings two dozen libraries (PulseAudio, libsndfile, Qt Network...) and about 3 MiB: it lives
// in a module of its own, loaded when the first cue plays, so the game starts as fast as a bare Qt program.
class CuePlayer : public Sound {
  public:
    // Whether that cue is sounding now (or about to, once its file is read).
    virtual bool isPlaying(const QString& path) const = 0;
    virtual CueStatus status(const QString& path) const = 0;
};

// The module's one entry point, a C name so it can be looked up by name.
using MakeCuePlayer = CuePlayer* (*)();
inline constexpr char kMakeCuePlayer[] = "dorvana_make_cue_player";
inline constexpr char kSoundModule[] = "dorvana_sound";
