// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Plays one wave file asynchronously. A file that cannot be played is silently skipped,
// and a new cue cuts off the one still sounding.
class Sound {
  public:
    virtual ~Sound() = default;
    virtual void play(const QString& path) = 0;
};
