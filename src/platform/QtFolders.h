// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Folders.h"

class QtFolders : public Folders {
  public:
    QString programFolder() override;
    QString recordFolder() override;
};
