// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProgramEnd.h"

class ProgramExit : public ProgramEnd {
  public:
    [[noreturn]] void endNow() override;
};
