// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: the only code that links Qt Multimedia.
#include "SoundModule.h"

#include "CueWave.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
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
    bool regular = false;
    bool operator==(const FileMark&) const = default;
};

FileMark markOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
    const auto ns = [](const timespec& at) { return qint64{at.tv_sec} * 1'000'000'000 + at.tv_nsec; };
    return {info.st_dev,      info.st_ino,      info.st_size,
            ns(info.st_mtim), ns(info.st_ctim), S_ISREG(info.st_mode)};
}

// How much the stream holds ahead. Qt 6.4 hands the server whole 20 ms pieces, and the server starts a stream
// only once about two thirds of its buffer are full: at 50 ms one piece fitted, short of that, and the stream
// never started. At 80 ms the server holds at most 60 ms: what still sounds of a cue a new one cuts off.
constexpr int kStreamBufferMs = 80;
// The cues are a second or so: a file far larger is not one, and is not read into memory.
constexpr qint64 kLargestFile = qint64{16} * 1024 * 1024;

// The stream is opened once, in the one format every cue is converted to: Qt 6.4's PulseAudio back end goes
// silent, or aborts, when its streams are stopped and started in quick succession.
QAudioFormat streamFormat() {
    QAudioFormat format;
    format.setSampleRate(kCueRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// A cue file's frames, in the stream's format; nothing for a file that does not play. The file is read in one
// go, so nothing waits for a file still being written: the next cue after it is complete plays it whole.
std::optional<QByteArray> readWave(const QString& path, const FileMark& mark) {
    if (!mark.regular || mark.size > kLargestFile) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return cueStreamFrames(file.read(kLargestFile));
}

// What the stream pulls: the frames of the cue sounding now, and nothing once they are out. A new cue
// replaces what remains of the old one.
class CueFeed : public QIODevice {
  public:
    CueFeed() { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    void cue(const QByteArray& frames) {
        frames_ = frames;
        at_ = 0;
        // A stream that found nothing to pull waits for this before it pulls again.
        if (sounding()) emit readyRead();
    }
    bool sounding() const { return at_ < frames_.size(); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return frames_.size() - at_; }

  protected:
    qint64 readData(char* data, qint64 most) override {
        const qint64 count = std::min(most, frames_.size() - at_);
        std::memcpy(data, frames_.constData() + at_, static_cast<size_t>(count));
        at_ += count;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QByteArray frames_;
    qint64 at_ = 0;
};

// Each cue's file is read once and kept while it stays the same; a file that has changed since, or has come
// since, is read afresh. One stream, opened at the first cue and never stopped, plays whichever cue sounds.
// Qt's QSoundEffect is not used: each one keeps a sample in Qt's cache under its file's address, and
// letting one go waits for a cut-off wave that never finishes loading.
class StreamPlayer : public CuePlayer {
  public:
    void play(const QString& path) override {
        Cue& cue = cues_[path];
        const FileMark mark = markOf(path);
        // A new cue starts as a missing file read: no mark, no wave.
        if (cue.mark != mark) {
            cue.wave = readWave(path, mark);
            cue.mark = mark;
        }
        sounding_ = path;
        // A missing or unplayable file stays silent, and still cuts off the cue sounding.
        feed_.cue(cue.wave.value_or(QByteArray()));
        if (!cue.wave || sink_ != nullptr) return;
        // Without an audio device the stream fails to start, says so once, and the game goes on silent.
        sink_ = std::make_unique<QAudioSink>(streamFormat());
        sink_->setBufferSize(streamFormat().bytesForDuration(qint64{kStreamBufferMs} * 1000));
        sink_->start(&feed_);
    }

    bool isPlaying(const QString& path) const override { return path == sounding_ && feed_.sounding(); }

    CueStatus status(const QString& path) const override {
        const auto cue = cues_.constFind(path);
        if (cue == cues_.cend()) return CueStatus::Unplayed;
        return cue->wave ? CueStatus::Ready : CueStatus::Error;
    }

  private:
    struct Cue {
        FileMark mark;
        std::optional<QByteArray> wave;
    };
    QHash<QString, Cue> cues_;
    QString sounding_;
    // Declared after the feed it reads, so it goes first.
    CueFeed feed_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer* dorvana_make_cue_player() {
    return new StreamPlayer;
}
