// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RandomSource.h"

#include <cstdint>

// A SplitMix64 stream whose reseeds mix into the running state instead of restarting it.
class FoldingRandom : public RandomSource {
  public:
    explicit FoldingRandom(std::uint64_t state = 0x9E3779B97F4A7C15ULL) : state_(state) {}
    float draw() override;
    void reseedFromClock() override;
    void reseed(double n) override;

  private:
    void fold(std::uint64_t value);
    std::uint64_t state_;
};
