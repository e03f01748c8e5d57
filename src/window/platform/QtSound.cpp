#include "QtSound.h"

#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound() = default;

QtSound::~QtSound() {
    qDeleteAll(effects_);
}

void QtSound::play(const QString& path) {
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

bool QtSound::isPlaying(const QString& path) const {
    const QSoundEffect* effect = effects_.value(path);
    return effect != nullptr && effect->isPlaying();
}
