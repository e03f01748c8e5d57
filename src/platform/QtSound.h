// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sound.h"
#include "SoundModule.h"

#include <QLibrary>
#include <memory>

// Plays cues through the sound module found in the given folder, loaded on the first cue. Without the
// module, or with one that will not load, the game is silent.
class QtSound : public Sound {
  public:
    explicit QtSound(const QString& moduleFolder);
    ~QtSound() override;
    void play(const QString& path) override;
    // Whether that cue is sounding now.
    bool isPlaying(const QString& path) const;
    // How far that cue's file has got at its last play; Unplayed without the module.
    CueStatus status(const QString& path) const;

  private:
    QLibrary module_;
    bool tried_ = false;
    std::unique_ptr<CuePlayer> player_;
};
