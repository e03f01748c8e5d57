// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cmath>

// Dealt numbers and positions come from single-precision draws, rounded down exactly as written
// in each formula: floorOf(r * 100 + 1) * 6 computes r * 100 + 1 in float before the floor.
inline int floorOf(float x) {
    return static_cast<int>(std::floor(x));
}

// Plain decimal text: a leading "-" for negatives, nothing else.
inline QString decimal(int n) {
    return QString::number(n);
}
