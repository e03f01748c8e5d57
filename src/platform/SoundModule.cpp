// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: the only code that links Qt Multimedia.
#include "SoundModule.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

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

// Every cue is converted to the one format the stream was opened in, so the stream never has to be opened
// again: Qt 6.4's PulseAudio back end goes silent, or aborts, when its streams are stopped and started in
// quick succession.
constexpr int kStreamRate = 44100;
// How much the stream holds ahead. Qt 6.4 hands the server whole 20 ms pieces, and the server starts a stream
// only once about two thirds of its buffer are full: at 50 ms one piece fitted, short of that, and the stream
// never started. At 80 ms the server holds at most 60 ms: what still sounds of a cue a new one cuts off.
constexpr int kStreamBufferMs = 80;
// The cues are a second or so: a file far larger is not one, and is not read into memory.
constexpr qint64 kLargestFile = qint64{16} * 1024 * 1024;
constexpr qint64 kLongestCueFrames = qint64{kStreamRate} * 30;

QAudioFormat streamFormat() {
    QAudioFormat format;
    format.setSampleRate(kStreamRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// One sample of a PCM or float frame as a value in [-1, 1].
float sampleAt(const char* at, QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8:
        return (static_cast<float>(static_cast<quint8>(*at)) - 128) / 128;
    case QAudioFormat::Int16:
        return static_cast<float>(qFromLittleEndian<qint16>(at)) / 32768;
    case QAudioFormat::Int32:
        return static_cast<float>(qFromLittleEndian<qint32>(at)) / 2147483648.0F;
    case QAudioFormat::Float: {
        const float value = qFromLittleEndian<float>(at);
        return std::isnan(value) ? 0 : std::clamp(value, -1.0F, 1.0F);
    }
    case QAudioFormat::Unknown:
    case QAudioFormat::NSampleFormats:
        break;
    }
    return 0;
}

// The frames in the stream's format: channels mixed down, the rate converted by linear interpolation.
QByteArray toStream(const QByteArray& frames, const QAudioFormat& format) {
    const int channels = format.channelCount();
    const int sampleBytes = format.bytesPerSample();
    const qint64 count = frames.size() / format.bytesPerFrame();
    std::vector<float> mono(static_cast<size_t>(count));
    for (qint64 frame = 0; frame < count; ++frame) {
        const char* at = frames.constData() + frame * format.bytesPerFrame();
        float sum = 0;
        for (int channel = 0; channel < channels; ++channel)
            sum += sampleAt(at + qint64{channel} * sampleBytes, format.sampleFormat());
        mono[static_cast<size_t>(frame)] = sum / static_cast<float>(channels);
    }
    const double step = static_cast<double>(format.sampleRate()) / kStreamRate;
    const qint64 out = std::min(static_cast<qint64>(static_cast<double>(count) / step), kLongestCueFrames);
    QByteArray converted(out * 2, Qt::Uninitialized);
    for (qint64 i = 0; i < out; ++i) {
        const double position = static_cast<double>(i) * step;
        const auto left = static_cast<size_t>(position);
        const size_t right = std::min(left + 1, mono.size() - 1);
        const auto weight = static_cast<float>(position - static_cast<double>(left));
        const float value = mono[left] + (mono[right] - mono[left]) * weight;
        qToLittleEndian(static_cast<qint16>(std::lround(value * 32767)), converted.data() + i * 2);
    }
    return converted;
}

// A PCM or float wave file's frames, in the stream's format; nothing for anything else. A file cut off
// inside its data (a copy or a sync still writing it) plays the whole frames it has: read here in one go,
// nothing waits for the rest, and the next cue after the file is complete plays it whole.
std::optional<QByteArray> readWave(const QString& path, const FileMark& mark) {
    if (!mark.regular || mark.size > kLargestFile) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.read(kLargestFile);
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return std::nullopt;
    const auto u16 = [&bytes](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&bytes](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    QAudioFormat format;
    QByteArray frames;
    int tag = 0;
    int bits = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = std::min<qsizetype>(u32(at + 4), bytes.size() - at - 8);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16) {
            tag = u16(body);
            format.setChannelCount(u16(body + 2));
            format.setSampleRate(static_cast<int>(u32(body + 4)));
            bits = u16(body + 14);
            // WAVE_FORMAT_EXTENSIBLE names the real format in the first two bytes of its subformat.
            if (tag == 0xFFFE && size >= 26) tag = u16(body + 24);
        } else if (id == "data") {
            frames = bytes.mid(body, size);
        }
        at = body + size + size % 2;
    }
    if (tag == 1 && bits == 8) format.setSampleFormat(QAudioFormat::UInt8);
    if (tag == 1 && bits == 16) format.setSampleFormat(QAudioFormat::Int16);
    if (tag == 1 && bits == 32) format.setSampleFormat(QAudioFormat::Int32);
    if (tag == 3 && bits == 32) format.setSampleFormat(QAudioFormat::Float);
    if (!format.isValid() || frames.size() < format.bytesPerFrame()) return std::nullopt;
    QByteArray converted = toStream(frames, format);
    if (converted.isEmpty()) return std::nullopt;
    return converted;
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
