// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colour.h"

#include <memory>
#include <optional>
#include <span>

class Tavola;
class GameButton;
class GameLabel;
class QLineEdit;
class Timer;

// The window as designed: every control, timer and menu item, with geometry in twips.
namespace layout {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 9120;
constexpr int kClientHeight = 10080;
constexpr auto kTitle = "Dorvana";

struct Font {
    const char* face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

enum class Pointer { Default, FourArrows, IconPointer };
enum class Picture { None, Faces, NoEntry };
enum class Align { Left, Centre };

using Handler = void (Tavola::*)();

struct Button {
    const char* name;
    const char* caption;
    int left, top, width, height;
    std::optional<BgrColour> back;
    Font font;
    bool visible;
    bool enabled;
    int tabIndex;
    bool graphical = true;
    const char* toolTip = nullptr;
    Pointer pointer = Pointer::Default;
    Picture picture = Picture::None;
    GameButton* Tavola::*slot = nullptr;
    Handler onClick = nullptr;
};

struct Label {
    const char* name;
    const char* caption;
    int left, top, width, height;
    std::optional<BgrColour> fore;
    std::optional<BgrColour> back; // shown only when opaque
    bool opaque;
    Font font;
    bool border;
    Align align;
    bool autoSize;
    bool visible;
    int tabIndex;
    bool enabled = true;
    const char* toolTip = nullptr;
    Pointer pointer = Pointer::Default;
    GameLabel* Tavola::*slot = nullptr;
};

struct TextBox {
    const char* name;
    int left, top, width, height;
    BgrColour back;
    Font font;
    bool visible;
    bool enabled;
    int tabIndex;
    const char* toolTip;
};

struct TimerRow {
    const char* name;
    int intervalMs;
    bool enabled;
    std::unique_ptr<Timer> Tavola::*slot;
    Handler onTick;
};

struct MenuItem {
    const char* name;
    const char* parent; // nullptr for the menu bar
    const char* caption;
    Handler onClick = nullptr;
};

std::span<const Button> buttons();
std::span<const Label> labels();
const TextBox& textBox();
std::span<const TimerRow> timers();
std::span<const MenuItem> menu();

constexpr int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}

} // namespace layout
