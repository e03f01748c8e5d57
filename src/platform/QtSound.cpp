// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSound.h"

#include "SoundModule.h"
#include "SystemSound.h"

#include <QDir>
#include <QtDebug>

QtSound::QtSound(const QString& moduleFolder) : module_(QDir(moduleFolder).filePath(kSoundModule)) {}

// The module stays loaded: the player's code must outlive the player, and the process ends soon after.
QtSound::~QtSound() = default;

void QtSound::play(const QString& path) {
    if (!tried_) {
        tried_ = true;
        const auto make = reinterpret_cast<MakeCuePlayer>(module_.resolve(kMakeCuePlayer));
        if (make != nullptr)
            player_.reset(make());
        else
            qWarning("Dorvana plays no sound: %s", qPrintable(module_.errorString()));
    }
    if (player_ != nullptr) player_->play(path);
}

bool QtSound::isPlaying(const QString& path) const {
    return player_ != nullptr && player_->isPlaying(path);
}

CueStatus QtSound::status(const QString& path) const {
    return player_ != nullptr ? player_->status(path) : CueStatus::Unplayed;
}

std::unique_ptr<Sound> makeSystemSound(const QString& programFolder) {
    return std::make_unique<QtSound>(programFolder);
}
