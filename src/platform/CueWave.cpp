// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueWave.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <sndfile.h>
#include <vector>

namespace {

// No sound card plays faster; a file that says so would only make the decoded frames huge.
constexpr int kHighestRate = 192000;
constexpr sf_count_t kChunkFrames = 1024;

// The file's bytes, read once by the module, and how far libsndfile has got in them.
struct Bytes {
    const QByteArray& data;
    sf_count_t at = 0;
};

Bytes& bytesOf(void* user) {
    return *static_cast<Bytes*>(user);
}

// libsndfile reads the bytes as it would read a file: a seek before the start fails, one past the end reads
// nothing.
SF_VIRTUAL_IO memoryIo() {
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* user) -> sf_count_t { return bytesOf(user).data.size(); };
    io.seek = [](sf_count_t offset, int whence, void* user) -> sf_count_t {
        Bytes& bytes = bytesOf(user);
        const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? bytes.at : bytes.data.size();
        sf_count_t to = 0;
        if (__builtin_add_overflow(base, offset, &to) || to < 0) return -1;
        bytes.at = to;
        return to;
    };
    io.read = [](void* out, sf_count_t count, void* user) -> sf_count_t {
        Bytes& bytes = bytesOf(user);
        const sf_count_t left = bytes.data.size() - std::min<sf_count_t>(bytes.at, bytes.data.size());
        const sf_count_t read = std::clamp<sf_count_t>(count, 0, left);
        std::memcpy(out, bytes.data.constData() + bytes.at, static_cast<size_t>(read));
        bytes.at += read;
        return read;
    };
    io.write = [](const void*, sf_count_t, void*) -> sf_count_t { return 0; };
    io.tell = [](void* user) -> sf_count_t { return bytesOf(user).at; };
    return io;
}

struct CloseSound {
    void operator()(SNDFILE* sound) const { sf_close(sound); }
};

// The frames mixed down to one channel, each sample within [-1, 1]; a float wave's NaN sample is silence.
// Read until the decoder gives no more, so a file cut off inside its data gives the frames it has.
std::vector<float> monoFrames(SNDFILE* sound, const SF_INFO& info) {
    const auto channels = static_cast<size_t>(info.channels);
    const auto most = static_cast<size_t>(info.samplerate) * kLongestCueSeconds;
    std::vector<float> chunk(kChunkFrames * channels);
    std::vector<float> mono;
    sf_count_t read = 0;
    while (mono.size() < most && (read = sf_readf_float(sound, chunk.data(), kChunkFrames)) > 0) {
        for (size_t frame = 0; frame < static_cast<size_t>(read); ++frame) {
            float sum = 0;
            for (size_t channel = 0; channel < channels; ++channel) {
                const float sample = chunk[frame * channels + channel];
                sum += std::isnan(sample) ? 0 : std::clamp(sample, -1.0F, 1.0F);
            }
            mono.push_back(sum / static_cast<float>(channels));
        }
    }
    mono.resize(std::min(mono.size(), most));
    return mono;
}

QByteArray toStream(const std::vector<float>& mono, int rate) {
    const qint64 out = static_cast<qint64>(mono.size()) * kCueRate / rate;
    QByteArray converted(out * 2, Qt::Uninitialized);
    for (qint64 i = 0; i < out; ++i) {
        const double position = static_cast<double>(i * rate) / kCueRate;
        const auto left = static_cast<size_t>(position);
        const size_t right = std::min(left + 1, mono.size() - 1);
        const auto weight = static_cast<float>(position - static_cast<double>(left));
        const float value = mono[left] + (mono[right] - mono[left]) * weight;
        qToLittleEndian(static_cast<qint16>(std::lround(value * 32767)), converted.data() + i * 2);
    }
    return converted;
}

} // namespace

std::optional<QByteArray> cueStreamFrames(const QByteArray& file) {
    // The system players elsewhere take RIFF waves only, and so does the game, whatever else libsndfile
    // knows.
    if (!file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return std::nullopt;
    Bytes bytes{file};
    SF_VIRTUAL_IO io = memoryIo();
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, CloseSound> sound(sf_open_virtual(&io, SFM_READ, &info, &bytes));
    if (sound == nullptr || info.channels < 1 || info.samplerate < 1 || info.samplerate > kHighestRate)
        return std::nullopt;
    QByteArray converted = toStream(monoFrames(sound.get(), info), info.samplerate);
    if (converted.isEmpty()) return std::nullopt;
    return converted;
}
