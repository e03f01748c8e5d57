// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>

// The game writes its file names the classic way, "\suoni\laser.wav"; this gives the local form.
inline QString nativeSeparators(QString path) {
    return path.replace('\\', QDir::separator());
}
