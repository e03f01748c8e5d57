// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WinmmSound.h"

#include "SystemSound.h"

#include <QDir>

#include <windows.h>

#include <mmsystem.h>

void WinmmSound::play(const QString& path) {
    // Without SND_NODEFAULT a missing or unplayable file would sound the system's default beep.
    const QString native = QDir::toNativeSeparators(path);
    PlaySoundW(reinterpret_cast<LPCWSTR>(native.utf16()), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

std::unique_ptr<Sound> makeSystemSound(const QString& /*programFolder*/) {
    return std::make_unique<WinmmSound>();
}
