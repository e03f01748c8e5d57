#pragma once

#include "Sound.h"

#include <QHash>
#include <memory>

class QSoundEffect;

// One loaded effect per cue file, so a repeated cue starts without decoding again.
class QtSound : public Sound {
  public:
    QtSound();
    ~QtSound() override;
    void play(const QString& path) override;
    // Whether that cue is sounding now (or about to, once loaded).
    bool isPlaying(const QString& path) const;

  private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* sounding_ = nullptr;
};
