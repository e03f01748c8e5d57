// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sound.h"

#include <QString>
#include <memory>

// This system's own sound, for a program kept in the given folder; each system's implementation defines it.
std::unique_ptr<Sound> makeSystemSound(const QString& programFolder);
