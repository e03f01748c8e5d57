// Writes laser.wav, sparo.wav and esplosi.wav: 16-bit mono PCM, synthesised from scratch.
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

void put16(std::ofstream& out, std::uint16_t v) { out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8)); }
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

std::vector<float> render(double seconds, const std::function<float(double t, double progress)>& voice) {
    const auto count = static_cast<std::size_t>(seconds * kRate);
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        samples[i] = voice(t, t / seconds);
    }
    return samples;
}

// A falling chirp: the frequency sweeps from 2400 Hz down to 300 Hz.
std::vector<float> laser() {
    double phase = 0;
    return render(0.45, [&phase](double, double p) {
        phase += 2 * std::numbers::pi * (2400 - 2100 * p) / kRate;
        return static_cast<float>(0.6 * std::sin(phase) * (1 - p));
    });
}

// A short shot: a burst of noise with a fast decay over a low thump.
std::vector<float> shot() {
    std::mt19937 noise(6);
    std::uniform_real_distribution<float> white(-1.0F, 1.0F);
    return render(0.18, [&](double t, double p) {
        const double decay = std::exp(-p * 9);
        return static_cast<float>((0.7 * white(noise) + 0.5 * std::sin(2 * std::numbers::pi * 110 * t)) * decay);
    });
}

// A longer explosion: low-passed noise that swells and rumbles away.
std::vector<float> explosion() {
    std::mt19937 noise(12);
    std::uniform_real_distribution<float> white(-1.0F, 1.0F);
    float low = 0;
    return render(1.1, [&](double t, double p) {
        low += 0.08F * (white(noise) - low);
        const double envelope = std::min(1.0, t * 40) * std::exp(-p * 4);
        return static_cast<float>(2.5 * low * envelope);
    });
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
