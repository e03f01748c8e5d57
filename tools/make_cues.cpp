// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes laser.wav, sparo.wav and esplosi.wav: 16-bit mono PCM, synthesised from scratch.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

void put16(std::ofstream& out, std::uint16_t v) {
    out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8));
}
void put32(std::ofstream& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

bool writeWav(const std::filesystem::path& path, const std::vector<float>& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, bytes);
    for (const float s : samples) {
        const float clipped = std::fmax(-1.0F, std::fmin(1.0F, s));
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(clipped * 32000)));
    }
    return static_cast<bool>(out);
}

std::vector<float> render(double seconds, const std::function<double(double t, double progress)>& voice) {
    const auto count = static_cast<std::size_t>(seconds * kRate);
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        samples[i] = static_cast<float>(voice(t, t / seconds));
    }
    return samples;
}

// Scales a cue so its loudest sample peaks just under full scale, whatever its voices added up to.
std::vector<float> normalised(std::vector<float> samples) {
    float peak = 0;
    for (const float s : samples)
        peak = std::fmax(peak, std::fabs(s));
    if (peak > 0)
        for (float& s : samples)
            s *= 0.89F / peak;
    return samples;
}

// Rises over the first few milliseconds so the cue starts without a click.
double attack(double t, double seconds) {
    return std::min(1.0, t / seconds);
}

// A two-pole low-pass for shaping noise; its cutoff may move from sample to sample.
class LowPass {
  public:
    double operator()(double in, double cutoff) {
        const double a = 1 - std::exp(-2 * std::numbers::pi * cutoff / kRate);
        first_ += a * (in - first_);
        second_ += a * (first_ - second_);
        return second_;
    }

  private:
    double first_ = 0;
    double second_ = 0;
};

// A falling "pew": the pitch drops exponentially from 2800 Hz to 220 Hz with a fast wobble, and a few
// soft harmonics give it a buzzy edge without aliasing.
std::vector<float> laser() {
    constexpr double seconds = 0.4;
    double phase = 0;
    return normalised(render(seconds, [&phase](double t, double p) {
        const double frequency =
            2800 * std::pow(220.0 / 2800.0, p) * (1 + 0.03 * std::sin(2 * std::numbers::pi * 32 * t));
        phase += 2 * std::numbers::pi * frequency / kRate;
        const double tone = std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.2 * std::sin(3 * phase);
        return tone * attack(t, 0.004) * std::pow(1 - p, 1.5);
    }));
}

// A short shot: a crack of noise whose brightness closes quickly, over a thump that drops in pitch.
std::vector<float> shot() {
    constexpr double seconds = 0.25;
    std::mt19937 noise(6);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    LowPass crackFilter;
    double thumpPhase = 0;
    return normalised(render(seconds, [&](double t, double p) {
        const double crack =
            crackFilter(white(noise), 1000 + 6000 * std::exp(-t / 0.02)) * std::exp(-t / 0.035);
        thumpPhase += 2 * std::numbers::pi * (45 + 115 * std::exp(-t / 0.03)) / kRate;
        const double thump = std::sin(thumpPhase) * std::exp(-t / 0.06);
        return (2.2 * crack + 0.8 * thump) * attack(t, 0.0005) * (1 - std::pow(p, 4));
    }));
}

// A longer explosion: a bright crack, then a rumble whose noise darkens as it dies away, a low boom
// beneath it and scattered crackles of debris.
std::vector<float> explosion() {
    constexpr double seconds = 1.2;
    std::mt19937 noise(12);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    LowPass rumbleFilter;
    LowPass crackleFilter;
    double boomPhase = 0;
    return normalised(render(seconds, [&](double t, double p) {
        const double crack = white(noise) * std::exp(-t / 0.03);
        const double rumble = rumbleFilter(white(noise), 120 + 1800 * std::exp(-3 * p)) * std::exp(-t / 0.35);
        boomPhase += 2 * std::numbers::pi * (30 + 45 * std::exp(-t / 0.15)) / kRate;
        const double boom = std::sin(boomPhase) * std::exp(-t / 0.3);
        const double spark = white(noise) > 0.992 + 0.007 * p ? white(noise) : 0.0;
        const double crackle = crackleFilter(spark, 1500) * std::exp(-t / 0.3);
        const double fadeOut = std::min(1.0, (1 - p) / 0.15);
        return (0.25 * crack + 3.0 * rumble + 0.6 * boom + 3.0 * crackle) * attack(t, 0.008) * fadeOut;
    }));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cues FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const bool ok = writeWav(folder / "laser.wav", laser()) && writeWav(folder / "sparo.wav", shot()) &&
                    writeWav(folder / "esplosi.wav", explosion());
    return ok ? 0 : 1;
}
