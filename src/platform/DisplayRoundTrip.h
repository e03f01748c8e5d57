// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Returns once the display server has everything the program drew so far, without handling any event of the
// program's own.
void waitForDisplayServer();
