// Sound synthesis: each sound is a sum of a few voices (a swept tone, filtered noise) shaped by an envelope;
// the loops (the engine, the sizzle) hold whole periods so they repeat without a seam.
#include "SoundGenerator.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "LevelGenerator.h"
#include "Noise.h"
#include "TgaWriter.h"
#include "app/DataFolder.h"
#include "app/SoundTable.h"
#include "audio/Mixer.h"
#include "audio/Wav.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double peak = 0.7;  // of full scale: room for voices that add up in the mix

// Samples of seconds of sound, each from the time t in seconds.
std::vector<double> render(double seconds, const std::function<double(double t)>& at) {
    std::vector<double> out(size_t(seconds * mixRate));
    for (size_t i = 0; i < out.size(); ++i) out[i] = at(double(i) / mixRate);
    return out;
}

// White noise through a one-pole low-pass: smoothing near 1 keeps only the low rumble.
std::function<double()> filteredNoise(SeededRandom& random, double smoothing) {
    return [&random, smoothing, last = 0.0]() mutable {
        last = smoothing * last + (1 - smoothing) * (2 * random.uniform() - 1);
        return last;
    };
}

bool save(const std::string& dataDir, const char* file, std::vector<double> samples) {
    double loudest = 0;
    for (double s : samples) loudest = std::max(loudest, std::fabs(s));
    const double scale = loudest > 0 ? peak * 32767 / loudest : 0;
    std::vector<unsigned char> bytes = wavHeader(mixRate, 1, samples.size() * 2);
    for (double s : samples) {
        const auto v = int16_t(std::lround(s * scale));
        bytes.push_back(static_cast<unsigned char>(v & 0xFF));
        bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    }
    return writeFileBytes(inDataFolder(dataDir, file), bytes);
}

// One sound's samples. The noise of every sound comes from one generator, in the table's order.
std::vector<double> synthesize(SoundId id, SeededRandom& random) {
    switch (id) {
        case SoundId::volley: {  // a launch: a low thump falling from 140 to 50 Hz over a puff of noise
            auto puff = filteredNoise(random, 0.9);
            return render(0.45, [&](double t) {
                const double phase = 2 * pi * (50 * t + 90 * (1 - std::exp(-t * 12)) / 12);
                return std::exp(-t * 9) * std::sin(phase) + 0.5 * std::exp(-t * 25) * puff();
            });
        }
        case SoundId::burst: {  // a crack of bright noise into a long low rumble
            auto crack = filteredNoise(random, 0.3), rumble = filteredNoise(random, 0.985);
            return render(
                0.9, [&](double t) { return 0.6 * std::exp(-t * 30) * crack() + 6 * std::exp(-t * 4.5) * rumble(); });
        }
        case SoundId::hit: {  // inharmonic metal ringing over a sharp click, short and bright, unlike the rest
            auto click = filteredNoise(random, 0.0);
            return render(0.35, [&](double t) {
                const double ring =
                    std::sin(2 * pi * 1230 * t) + 0.8 * std::sin(2 * pi * 1897 * t) + 0.6 * std::sin(2 * pi * 2711 * t);
                return std::exp(-t * 14) * ring + std::exp(-t * 120) * 2 * click();
            });
        }
        case SoundId::sizzle: {  // hissing noise fluttering 8 times a second, a whole second looping on itself
            auto hiss = filteredNoise(random, 0.05);
            return render(1.0, [&](double t) { return (0.7 + 0.3 * std::sin(2 * pi * 8 * t)) * hiss(); });
        }
        case SoundId::engine:  // a 60 Hz hum with its harmonics, swelling 4 times a second; whole periods
            return render(1.0, [](double t) {
                const double hum = std::sin(2 * pi * 60 * t) + 0.5 * std::sin(2 * pi * 120 * t) +
                                   0.3 * std::sin(2 * pi * 180 * t) + 0.15 * std::sin(2 * pi * 300 * t);
                return (0.85 + 0.15 * std::sin(2 * pi * 4 * t)) * hum;
            });
        case SoundId::leftWorld:  // two falling chimes
            return render(0.7, [](double t) {
                const double f = t < 0.25 ? 880 : 587;
                return std::exp(-std::fmod(t, 0.25) * 8) * std::sin(2 * pi * f * t);
            });
        case SoundId::returned:  // a rising sweep
            return render(0.6, [](double t) {
                return std::sin(pi * t / 0.6) * std::sin(2 * pi * (440 * t + 440 * t * t / 1.2));
            });
        case SoundId::distantBattle: {  // far-off thunder: low partials of random phase, a 2-second loop
            // Every partial is a whole number of periods in the loop (steps of 1.5 Hz from 24 to 138 Hz, weaker
            // as they rise), swelling twice in the loop: it repeats without a seam, and nothing reaches 1 kHz.
            std::vector<std::pair<double, double>> partials;  // frequency, phase
            for (double f = 24; f <= 138; f += 1.5) partials.emplace_back(f, 2 * pi * random.uniform());
            return render(2.0, [partials](double t) {
                double sum = 0;
                for (const auto& [f, phase] : partials) sum += std::sin(2 * pi * f * t + phase) * 24 / f;
                return (0.75 + 0.25 * std::sin(2 * pi * t)) * sum;
            });
        }
    }
    return {};
}

}  // namespace

bool writeSounds(const std::string& dataDir, uint64_t seed) {
    SeededRandom random(seed * 17 + 5);
    bool ok = true;
    for (const SoundRow& row : soundTable) ok = save(dataDir, row.file, synthesize(row.id, random)) && ok;
    return ok;
}
