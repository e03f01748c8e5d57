// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sound.h"

// Plays cues through Windows' own PlaySound, which reads the file afresh at each call and cuts off the cue
// still sounding.
class WinmmSound : public Sound {
  public:
    void play(const QString& path) override;
};
