// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a cue file rewritten again and again costs: the file is rewritten (a sync tool or a network folder
// could do it) and its cue played after each rewrite, through the real sound module. Prints the resident
// memory after the first cue and after the last; then, after a second of silence, plays the cue once more and
// prints what its file was found to be, how long it sounded and when it was played.
// Usage: cue_probe [REWRITES]   (1000 by default)
#include "platform/QtSound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Like the laser: 0.4 s of a 22,050 Hz mono 16-bit tone; each rewrite moves its pitch a little.
QByteArray toneWave(int rewrite) {
    constexpr quint32 kRate = 22050;
    constexpr quint32 kSamples = kRate * 2 / 5;
    QByteArray wave;
    const auto put = [&wave](quint32 value, int bytes) {
        const quint32 le = qToLittleEndian(value);
        wave.append(reinterpret_cast<const char*>(&le), bytes);
    };
    wave.append("RIFF");
    put(36 + kSamples * 2, 4);
    wave.append("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(kRate, 4);
    put(kRate * 2, 4);
    put(2, 2);
    put(16, 2);
    wave.append("data");
    put(kSamples * 2, 4);
    const double frequency = 440 + rewrite % 100;
    for (quint32 i = 0; i < kSamples; ++i)
        put(static_cast<quint16>(std::lround(8000 * std::sin(2 * std::numbers::pi * frequency * i / kRate))),
            2);
    return wave;
}

long residentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

const char* statusName(CueStatus status) {
    switch (status) {
    case CueStatus::Unplayed:
        return "unplayed";
    case CueStatus::Ready:
        return "ready";
    case CueStatus::Error:
        return "error";
    }
    return "?";
}

void wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Rewrites the cue and plays it; lets it sound for a moment.
void rewriteAndPlay(QtSound& sound, const QString& path, int rewrite) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(toneWave(rewrite)) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    file.close();
    sound.play(path);
    wait(5);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rewrites = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir dir;
    const QString cue = dir.filePath("laser.wav");
    QtSound sound(DORVANA_SOUND_FOLDER);
    rewriteAndPlay(sound, cue, 0);
    const long before = residentKb();
    QElapsedTimer clock;
    clock.start();
    for (int rewrite = 1; rewrite <= rewrites; ++rewrite)
        rewriteAndPlay(sound, cue, rewrite);
    const double msPerRewrite = static_cast<double>(clock.elapsed()) / rewrites;
    const long after = residentKb();
    // A second of silence, then the cue once more, left to sound to its end (0.4 s): a recorder on the sound
    // server hears whether the stream wakes again, and how soon after the time printed.
    wait(1000);
    const auto playedAt = std::chrono::system_clock::now().time_since_epoch();
    sound.play(cue);
    clock.restart();
    while (sound.isPlaying(cue) && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 sounded = clock.elapsed();
    wait(200);
    std::printf(
        "rewrites=%d\nrss_first_cue_kb=%ld\nrss_last_cue_kb=%ld\nms_per_rewrite=%.2f\nlast_status=%s\n"
        "last_cue_sounded_ms=%lld\nlast_cue_played_at_us=%lld\n",
        rewrites, before, after, msPerRewrite, statusName(sound.status(cue)), sounded,
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(playedAt).count()));
    return 0;
}
