// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Folders {
  public:
    virtual ~Folders() = default;
    // The folder that holds the program, without a trailing separator.
    virtual QString programFolder() = 0;
    // The per-user folder that keeps the records, created if missing, without a trailing separator.
    virtual QString recordFolder() = 0;
};
