// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ends the program at once: no further handler runs and control never returns.
class ProgramEnd {
  public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void endNow() = 0;
};
