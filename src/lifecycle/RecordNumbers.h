// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The record file's number: blanks, tabs and line feeds are skipped, then the leading number
// (sign, digits, a decimal point, an exponent) is read as far as it goes; no number reads as 0.
double lenientNumber(const QString& text);

// The score caption's number: surrounding spaces allowed, anything else makes it 0.
double strictNumber(const QString& text);
