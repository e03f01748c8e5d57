// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the game relies on from its random source, text files and sound, on the real implementations.
#include "platform/CueWave.h"
#include "platform/FoldingRandom.h"
#include "platform/QtSound.h"
#include "platform/QtTextFiles.h"
#include "platform/QtTimers.h"
#include "platform/RecordText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QtEndian>
#include <array>
#include <cmath>
#include <limits>
#include <sndfile.h>
#include <vector>

namespace {

using Mode = TextFiles::Mode;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::vector<float> drawsOf(RandomSource& random, int count) {
    std::vector<float> draws;
    draws.reserve(count);
    for (int i = 0; i < count; ++i)
        draws.push_back(random.draw());
    return draws;
}

// A different tone in each of the first two channels, so the mix shows both; a third channel is NaN, as a
// float wave may hold.
float tone(int channel, double t) {
    const double tones[] = {0.5 * std::sin(2000 * t), 0.3 * std::sin(3500 * t + 1), std::nan("")};
    return static_cast<float>(tones[std::min(channel, 2)]);
}

// The tone as libsndfile writes it in the encoding given, and the frames it then says the wave holds (whole
// blocks, for the encodings that have them).
std::pair<QByteArray, qint64> toneWave(int format, int channels, int rate, double seconds) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("w.wav"));
    SF_INFO info{0, rate, channels, SF_FORMAT_WAV | format, 0, 0};
    std::vector<float> samples(static_cast<size_t>(rate * seconds) * channels);
    for (size_t i = 0; i < samples.size(); ++i) {
        const size_t frame = i / channels;
        samples[i] = tone(static_cast<int>(i % channels), static_cast<double>(frame) / rate);
    }
    SNDFILE* file = sf_open(path, SFM_WRITE, &info);
    sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    sf_close(sf_open(path, SFM_READ, &info));
    return {contents(path), info.frames};
}

// Long enough to be still sounding when a check looks.
QByteArray longWave(int format = SF_FORMAT_PCM_16, int channels = 1) {
    return toneWave(format, channels, 8000, 5).first;
}

// The streams the suite's sound server plays, by number.
QByteArrayList soundServerStreams() {
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished();
    QByteArrayList streams;
    for (const QByteArray& line : pactl.readAllStandardOutput().split('\n'))
        if (!line.isEmpty()) streams << line.split('\t').first();
    return streams;
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT
    QTemporaryDir soundServerRun_;

  private slots:
    // Qt 6.8 gives a cue Error status when no audio device answers, Qt 6.4 Ready: a sound server of the
    // suite's own, with a null sink, makes one status right everywhere.
    void initTestCase() {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(soundServerRun_.path()));
        QProcess::execute("pulseaudio",
                          {"--daemonize=yes", "--exit-idle-time=-1", "-n",
                           "--load=module-null-sink sink_name=out", "--load=module-native-protocol-unix"});
    }
    void cleanupTestCase() { QProcess::execute("pulseaudio", {"--kill"}); }

    // The deal multiplies draws by up to 900 and floors them: a single 1.0 would deal out of range.
    void drawsStayInTheHalfOpenUnitRange() {
        FoldingRandom random;
        constexpr float largestBelowOne = 1.0F - std::numeric_limits<float>::epsilon() / 2;
        float lowest = 1;
        bool reachedLargest = false;
        constexpr long kDraws = 1L << 27;
        for (long i = 0; i < kDraws; ++i) {
            const float r = random.draw();
            if (!(r >= 0.0F && r < 1.0F)) QFAIL(qPrintable(QString("draw %1 gave %2").arg(i).arg(r)));
            lowest = std::min(lowest, r);
            reachedLargest = reachedLargest || r == largestBelowOne;
        }
        QCOMPARE(lowest, 0.0F);
        QVERIFY2(reachedLargest, "the largest float below 1 was never drawn");
    }

    void drawsAreSpreadEvenly() {
        FoldingRandom random;
        random.reseedFromClock();
        std::array<int, 10> bins{};
        constexpr int kDraws = 1'000'000;
        for (int i = 0; i < kDraws; ++i)
            ++bins[static_cast<std::size_t>(std::floor(10 * random.draw()))];
        for (const int count : bins)
            QVERIFY2(std::abs(count - kDraws / 10) < kDraws / 200, qPrintable(QString::number(count)));
    }

    void reseedFoldsIntoTheState() {
        FoldingRandom random;
        random.reseed(5);
        const std::vector<float> first = drawsOf(random, 8);
        random.reseed(5);
        QVERIFY(drawsOf(random, 8) != first);

        // The same state reseeded alike goes on alike.
        FoldingRandom one(1234);
        FoldingRandom other(1234);
        for (const double n : {5.0, 0.0, -4.0, 32767.0}) {
            one.reseed(n);
            other.reseed(n);
            QCOMPARE(drawsOf(one, 4), drawsOf(other, 4));
        }

        // Numbers close together lead to unrelated draws.
        FoldingRandom plus(99);
        FoldingRandom minus(99);
        plus.reseed(4);
        minus.reseed(-4);
        QVERIFY(drawsOf(plus, 4) != drawsOf(minus, 4));
    }

    void reseedFromTheClockDependsOnTheMoment() {
        FoldingRandom one(7);
        FoldingRandom other(7);
        one.reseedFromClock();
        QTest::qSleep(2);
        other.reseedFromClock();
        QVERIFY(drawsOf(one, 4) != drawsOf(other, 4));
    }

    void writtenLinesEndInCrLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath("atarvisk.txt");
        QtTextFiles files;
        const qint16 number = files.freeFile();
        QVERIFY(files.open(number, path, Mode::Output));
        QVERIFY(files.writeLine(number, "Zoë"));
        QVERIFY(files.writeLine(number, "12"));
        QVERIFY(files.close(number));
        QCOMPARE(contents(path), QByteArray("Zo\xC3\xAB\r\n12\r\n"));
    }

    void appendCreatesAndNeverTruncates() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tarvisk.txt");
        QtTextFiles files;
        QVERIFY(files.open(1, path, Mode::Append));
        QVERIFY(files.close(1));
        QVERIFY(QFile::exists(path));
        QCOMPARE(contents(path), QByteArray());

        put(path, "Mario\r\n");
        QVERIFY(files.open(1, path, Mode::Append));
        QCOMPARE(files.length(1), 7);
        QVERIFY(files.close(1));
        QCOMPARE(contents(path), QByteArray("Mario\r\n"));
        QVERIFY(files.open(1, path, Mode::Append));
        QVERIFY(files.writeLine(1, "Luigi"));
        QVERIFY(files.close(1));
        QCOMPARE(contents(path), QByteArray("Mario\r\nLuigi\r\n"));
    }

    // A record is never half written: the old file stays whole until the new one is complete.
    void outputReplacesOnlyOnClose() {
        QTemporaryDir dir;
        const QString path = dir.filePath("atarvisk.txt");
        put(path, "40\r\n");
        {
            QtTextFiles files;
            QVERIFY(files.open(1, path, Mode::Output));
            QVERIFY(files.writeLine(1, "41"));
            QCOMPARE(contents(path), QByteArray("40\r\n"));
            QVERIFY(files.close(1));
            QCOMPARE(contents(path), QByteArray("41\r\n"));
        }
        {
            QtTextFiles abandoned;
            QVERIFY(abandoned.open(1, path, Mode::Output));
            QVERIFY(abandoned.writeLine(1, "99"));
        }
        QCOMPARE(contents(path), QByteArray("41\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"atarvisk.txt"});
    }

    void readsOnlyTheBoundedPrefix() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tarvisk.txt");
        put(path, QByteArray(100'000, 'a'));
        QtTextFiles files;
        QVERIFY(files.open(1, path, Mode::Input));
        QCOMPARE(files.length(1), 100'000);
        QCOMPARE(files.read(1, 255), QString(255, 'a'));
        QVERIFY(files.close(1));
    }

    void failuresAreReportedNotThrown() {
        QTemporaryDir dir;
        QtTextFiles files;
        QVERIFY(!files.open(1, dir.filePath("missing.txt"), Mode::Input));
        QVERIFY(!files.open(1, dir.filePath("no/such/folder/atarvisk.txt"), Mode::Output));
        QVERIFY(!files.open(1, dir.filePath("no/such/folder/atarvisk.txt"), Mode::Append));
        QCOMPARE(files.freeFile(), qint16(1));
        QVERIFY(!files.writeLine(1, "x"));
        QVERIFY(!files.close(1));
        QCOMPARE(files.length(1), -1);
        QCOMPARE(files.read(1, 10), QString());

        QVERIFY(files.open(1, dir.filePath("a.txt"), Mode::Append));
        QVERIFY(!files.open(1, dir.filePath("b.txt"), Mode::Append));
        QCOMPARE(files.freeFile(), qint16(2));
        QVERIFY(files.close(1));
        QVERIFY(!files.close(1));
    }

    void recordTextDecodes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8 Łucja") << QByteArray("\xC5\x81ucja") << QString("Łucja");
        QTest::newRow("UTF-8 Zoë") << QByteArray("Zo\xC3\xAB") << QString("Zoë");
        QTest::newRow("Windows-1252 euro") << QByteArray("\x80") << QString("€");
        QTest::newRow("Windows-1252 è") << QByteArray("Andr\xE8") << QString("Andrè");
        QTest::newRow("Windows-1252 Zoë") << QByteArray("Zo\xEB") << QString("Zoë");
        QTest::newRow("Windows-1252 quotes") << QByteArray("\x93"
                                                           "ciao\x94")
                                             << QString("“ciao”");
        QTest::newRow("ASCII with line end") << QByteArray("Mario\r\n") << QString("Mario\r\n");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void recordTextDecodes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeRecordText(bytes), text);
    }

    void recordTextRoundTrips() {
        for (const QString& text : {QString("Łucja"), QString("Zoë"), QString("€ 100"), QString("  x  ")})
            QCOMPARE(decodeRecordText(encodeRecordText(text)), text);
    }

    // The module keeps two dozen libraries out of the start-up: nothing of Qt Multimedia before the first
    // cue.
    void soundLibraryLoadsAtTheFirstCue() {
        QTemporaryDir dir;
        const QString wave = dir.filePath("laser.wav");
        put(wave, longWave());
        const auto multimediaMapped = [] { return contents("/proc/self/maps").contains("libQt6Multimedia"); };
        QtSound sound(DORVANA_SOUND_FOLDER);
        QVERIFY(!multimediaMapped());
        sound.play(wave);
        QVERIFY(multimediaMapped());
        QTRY_COMPARE(sound.status(wave), CueStatus::Ready);
    }

    void withoutItsModuleTheGameIsSilent_data() {
        QTest::addColumn<QByteArray>("module");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a library") << QByteArray("RIFF");
        QTest::newRow("empty") << QByteArray("");
    }
    void withoutItsModuleTheGameIsSilent() {
        QFETCH(QByteArray, module);
        QTemporaryDir dir;
        if (!module.isNull()) put(dir.filePath("libdorvana_sound.so"), module);
        const QString wave = dir.filePath("laser.wav");
        put(wave, longWave());
        QtSound sound(dir.path());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Dorvana plays no sound: "));
        sound.play(wave);
        sound.play(wave);
        QVERIFY(!sound.isPlaying(wave));
    }

    void aNewCueCutsTheOld() {
        QTemporaryDir dir;
        const QString shot = dir.filePath("sparo.wav");
        const QString laser = dir.filePath("laser.wav");
        put(shot, longWave(SF_FORMAT_ULAW, 2));
        put(laser, longWave());
        // One stream, always the same, serves every cue; the sound server sees it.
        QTRY_VERIFY(soundServerStreams().isEmpty());
        QtSound sound(DORVANA_SOUND_FOLDER);
        sound.play(shot);
        QTRY_COMPARE(sound.status(shot), CueStatus::Ready);
        QVERIFY(sound.isPlaying(shot));
        QTRY_COMPARE(soundServerStreams().size(), 1);
        const QByteArrayList stream = soundServerStreams();
        sound.play(laser);
        QVERIFY(!sound.isPlaying(shot));
        QTRY_COMPARE(sound.status(laser), CueStatus::Ready);
        QVERIFY(sound.isPlaying(laser));
        sound.play(dir.filePath("missing.wav"));
        QVERIFY(!sound.isPlaying(laser));
        sound.play(shot);
        QCOMPARE(soundServerStreams(), stream);
    }

    // A cue plays its file as it is at that cue: missing, then come, then cut off, then 8-bit stereo (all
    // cues are converted to the one stream's format), then 64 bytes of no wave.
    void aCueFollowsItsFile() {
        QTemporaryDir dir;
        const QString wave = dir.filePath("sparo.wav");
        const QByteArray stereo = longWave(SF_FORMAT_PCM_U8, 2).left(20001);
        QtSound sound(DORVANA_SOUND_FOLDER);
        for (const QByteArray& file :
             {QByteArray(), longWave(), longWave().left(1001), stereo, QByteArray(64, 'x')}) {
            if (!file.isNull()) put(wave, file);
            sound.play(wave);
            QCOMPARE(sound.status(wave), file.startsWith("RIFF") ? CueStatus::Ready : CueStatus::Error);
            QCOMPARE(sound.isPlaying(wave), file.startsWith("RIFF"));
        }
    }

    // Each encoding, mono and stereo, at several rates, reaches the stream as the tone written, mixed down
    // and at the stream's rate, within what the encoding loses (a root mean square, full scale 1). Named by
    // libsndfile's format number.
    void wavesReachTheStreamAsWritten_data() {
        QTest::addColumn<QByteArray>("wave");
        QTest::addColumn<QList<float>>("expected");
        QTest::addColumn<double>("tolerance");
        // skipped: the bytes of a chunk of no interest put before the samples, which a reader seeks past.
        const auto row = [](int format, int channels, int rate, double tolerance, qsizetype cut = 0,
                            qsizetype skipped = 0) {
            auto [wave, frames] = toneWave(format, channels, rate, 0.1);
            wave.chop(cut);
            if (skipped > 0) {
                QByteArray junk = "JUNK" + QByteArray(4, '\0') + QByteArray(skipped, '\x55');
                qToLittleEndian<quint32>(skipped, junk.data() + 4);
                wave.insert(wave.indexOf("data"), junk);
                qToLittleEndian<quint32>(wave.size() - 8, wave.data() + 4);
            }
            frames -= (cut + qsizetype{2} * channels - 1) / (qsizetype{2} * channels);
            // Past the tone, an encoding may pad its last block with anything: NaN, not compared.
            QList<float> expected(frames * kCueRate / rate, std::nanf(""));
            for (qsizetype i = 0; i < std::min<qsizetype>(expected.size(), kCueRate / 10); ++i) {
                expected[i] = 0;
                for (int channel = 0; channel < channels; ++channel) {
                    const float sample = tone(channel, static_cast<double>(i) / kCueRate);
                    expected[i] += std::isnan(sample) ? 0 : sample / static_cast<float>(channels);
                }
            }
            QTest::addRow("format %x, %d channels, %d Hz, %lld bytes cut", format, channels, rate, cut)
                << wave << expected << tolerance;
        };
        int rates = 0;
        for (const int format : std::initializer_list<int>{
                 SF_FORMAT_PCM_U8, SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_PCM_32, SF_FORMAT_FLOAT,
                 SF_FORMAT_DOUBLE, SF_FORMAT_ULAW, SF_FORMAT_ALAW, SF_FORMAT_IMA_ADPCM, SF_FORMAT_MS_ADPCM,
                 SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, SF_FORMAT_WAVEX | SF_FORMAT_FLOAT})
            for (const int channels : {1, 2})
                row(format, channels, std::array{8000, 11025, 22050, 44100, 48000}[rates++ % 5], 0.05);
        row(SF_FORMAT_GSM610, 1, 8000, 0.15);
        row(SF_FORMAT_PCM_16, 2, 22050, 0.02, 4001);
        row(SF_FORMAT_PCM_16, 1, 44100, 0.02, 0, 70000);
        row(SF_FORMAT_FLOAT, 3, 44100, 0.02);
    }
    void wavesReachTheStreamAsWritten() {
        QFETCH(QByteArray, wave);
        QFETCH(QList<float>, expected);
        QFETCH(double, tolerance);
        const QByteArray stream = cueStreamFrames(wave).value_or(QByteArray());
        QCOMPARE(stream.size(), expected.size() * 2);
        double squares = 0;
        for (qsizetype i = 0; i < expected.size(); ++i)
            if (!std::isnan(expected[i]))
                squares += std::pow(
                    qFromLittleEndian<qint16>(stream.constData() + i * 2) / 32767.0 - expected[i], 2);
        const double error =
            std::sqrt(squares / std::min(static_cast<double>(expected.size()), kCueRate / 10.0));
        QVERIFY2(error <= tolerance, qPrintable(QString::number(error)));
    }

    void soundNeverBlocksNorFails() {
        QTemporaryDir dir;
        const QString wave = dir.filePath("laser.wav");
        put(wave, longWave());
        const QString missing = dir.filePath("suoni/sparo.wav");
        const QString cutOff = dir.filePath("esplosi.wav");
        put(cutOff, longWave().left(1001));
        QElapsedTimer clock;
        clock.start();
        {
            QtSound sound(DORVANA_SOUND_FOLDER);
            for (int i = 0; i < 3; ++i) {
                sound.play(missing);
                sound.play(wave);
                sound.play(wave);
            }
            sound.play(cutOff);
            QTest::qWait(200);
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    // Ticks that fall due while the screen is held wait for the hold to end, and then come.
    void screenHoldHandlesNothingAndLosesNothing() {
        QtTimers timers;
        QWidget shown;
        int ticks = 0;
        const std::unique_ptr<Timer> timer = timers.create("Timer1", [&ticks] { ++ticks; });
        timer->setEnabled(true);
        QElapsedTimer clock;
        clock.start();
        timers.holdScreenFor(shown, 120);
        QVERIFY(clock.elapsed() >= 120);
        QCOMPARE(ticks, 0);
        QTRY_VERIFY(ticks > 0);
    }
};

QTEST_MAIN(PlatformTest)
#include "test_platform.moc"
