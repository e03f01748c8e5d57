// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FoldingRandom.h"

#include <bit>
#include <chrono>
#include <cstring>

namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

} // namespace

float FoldingRandom::draw() {
    state_ += 0x9E3779B97F4A7C15ULL;
    // 24 bits fill a float's mantissa exactly, so the largest draw is the float just below 1.
    const auto bits = static_cast<std::uint32_t>(mix(state_) >> 40U);
    return static_cast<float>(bits) * 0x1p-24F;
}

void FoldingRandom::reseedFromClock() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    fold(static_cast<std::uint64_t>(now) ^ std::rotl(static_cast<std::uint64_t>(wall), 32));
}

void FoldingRandom::reseed(double n) {
    // The bits of the double; copied rather than bit_cast, which the browser's C++ library lacks.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &n, sizeof bits);
    fold(bits);
}

void FoldingRandom::fold(std::uint64_t value) {
    state_ = mix(state_ ^ mix(value + 0xD1B54A32D192ED03ULL));
}
