#pragma once

#include <QString>

// Plays one wave file asynchronously. A file that cannot be played is silently skipped,
// and a new cue cuts off the one still sounding.
class Sound {
  public:
    virtual ~Sound() = default;
    virtual void play(const QString& path) = 0;
};
