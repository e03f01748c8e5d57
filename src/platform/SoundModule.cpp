// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: the only code that links Qt Multimedia.
#include "SoundModule.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QSoundEffect>
#include <QUrl>
#include <sys/stat.h>

namespace {

// A cue file as it lies on disk: one that appears, is rewritten or is replaced reads differently. A missing
// file reads as the default.
struct FileMark {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const FileMark&) const = default;
};

FileMark markOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
    const auto ns = [](const timespec& at) { return qint64{at.tv_sec} * 1'000'000'000 + at.tv_nsec; };
    return {info.st_dev, info.st_ino, info.st_size, ns(info.st_mtim), ns(info.st_ctim)};
}

// One loaded effect per cue file, so a repeated cue starts without decoding again; a file that has changed
// since it was loaded, or has come since, is loaded afresh.
class EffectPlayer : public CuePlayer {
  public:
    ~EffectPlayer() override {
        for (const Cue& cue : std::as_const(cues_))
            delete cue.effect;
        qDeleteAll(retired_);
    }

    void play(const QString& path) override {
        if (sounding_ != nullptr) sounding_->stop();
        Cue& cue = cues_[path];
        const FileMark mark = markOf(path);
        if (cue.effect == nullptr || cue.mark != mark) {
            // Kept, not deleted: Qt Multimedia waits for every sample still loading before it lets one go,
            // and a cut-off wave file is loading for ever. Files change seldom; the few old effects are
            // small.
            if (cue.effect != nullptr) retired_.append(cue.effect);
            cue.effect = new QSoundEffect;
            // Qt's sample cache keeps what it read under the file's address, an unplayable file included:
            // each load gets an address of its own, the same file with a new fragment.
            QUrl source = QUrl::fromLocalFile(path);
            source.setFragment(QString::number(++loads_));
            cue.effect->setSource(source);
            cue.mark = mark;
        }
        // A file that failed to load stays in Error status and play() does nothing: silence, as wanted.
        cue.effect->play();
        sounding_ = cue.effect;
    }

    bool isPlaying(const QString& path) const override {
        const QSoundEffect* effect = cues_.value(path).effect;
        return effect != nullptr && effect->isPlaying();
    }

    CueStatus status(const QString& path) const override {
        const QSoundEffect* effect = cues_.value(path).effect;
        if (effect == nullptr) return CueStatus::Unplayed;
        switch (effect->status()) {
        case QSoundEffect::Ready:
            return CueStatus::Ready;
        case QSoundEffect::Error:
            return CueStatus::Error;
        case QSoundEffect::Null:
        case QSoundEffect::Loading:
            break;
        }
        return CueStatus::Loading;
    }

  private:
    struct Cue {
        QSoundEffect* effect = nullptr;
        FileMark mark;
    };
    QHash<QString, Cue> cues_;
    QList<QSoundEffect*> retired_;
    QSoundEffect* sounding_ = nullptr;
    int loads_ = 0;
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer* dorvana_make_cue_player() {
    return new EffectPlayer;
}
