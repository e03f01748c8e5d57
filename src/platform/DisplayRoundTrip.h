// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Returns once the display server shows what the program drew so far in the widget's window, without
// handling any event of the program's own.
void waitForDisplayServer(const QWidget& shown);
