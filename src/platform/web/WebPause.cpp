// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebPause.h"

#include <emscripten.h>

namespace {

// The page keeps the held input and hands it back in order.
// clang-format off
EM_JS(void, dorvana_hold_input, (int on), { Module.dorvanaInput.hold(on !== 0); });
// clang-format on

} // namespace

WebPause& WebPause::instance() {
    static WebPause pause;
    return pause;
}

WebPause::Scope::Scope(bool holdsInput) : holdsInput_(holdsInput) {
    ++instance().depth_;
    if (holdsInput_) dorvana_hold_input(1);
}

WebPause::Scope::~Scope() {
    if (holdsInput_) dorvana_hold_input(0);
    if (--instance().depth_ == 0) emit instance().ended();
}
