// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one shared source of uniform draws in [0, 1).
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Single precision, never 1.0.
    virtual float draw() = 0;
    virtual void reseedFromClock() = 0;
    // Folds n into the current state: the same n at two moments leads to different draws.
    virtual void reseed(double n) = 0;
};
