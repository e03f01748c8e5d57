// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: the only code that links Qt Multimedia.
#include "SoundModule.h"

#include <QHash>
#include <QSoundEffect>
#include <QUrl>

namespace {

// One loaded effect per cue file, so a repeated cue starts without decoding again.
class EffectPlayer : public CuePlayer {
  public:
    ~EffectPlayer() override { qDeleteAll(effects_); }

    void play(const QString& path) override {
        if (sounding_ != nullptr) sounding_->stop();
        auto*& effect = effects_[path];
        if (effect == nullptr) {
            effect = new QSoundEffect;
            effect->setSource(QUrl::fromLocalFile(path));
        }
        // A file that failed to load stays in Error status and play() does nothing: silence, as wanted.
        effect->play();
        sounding_ = effect;
    }

    bool isPlaying(const QString& path) const override {
        const QSoundEffect* effect = effects_.value(path);
        return effect != nullptr && effect->isPlaying();
    }

  private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* sounding_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer* dorvana_make_cue_player() {
    return new EffectPlayer;
}
