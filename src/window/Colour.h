// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// Colours are kept as the game stores them: 0x00BBGGRR, red in the low byte.
using BgrColour = quint32;

namespace colour {
constexpr BgrColour green = 0x00FF00;
constexpr BgrColour red = 0x0000FF;
constexpr BgrColour cyan = 0xFFFF00;
} // namespace colour

constexpr BgrColour bgr(int red, int green, int blue) {
    return static_cast<BgrColour>(red) | (static_cast<BgrColour>(green) << 8U) |
           (static_cast<BgrColour>(blue) << 16U);
}

inline QColor toQColor(BgrColour value) {
    return {static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8U) & 0xFFU),
            static_cast<int>((value >> 16U) & 0xFFU)};
}
