// Seeded noise: gradient noise on a permuted lattice, fractal and ridged sums.
#include "Noise.h"

#include <algorithm>
#include <cmath>
#include <numeric>

uint64_t SeededRandom::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double SeededRandom::uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

Noise::Noise(uint64_t seed) : permutation_(512) {
    std::vector<int> p(256);
    std::iota(p.begin(), p.end(), 0);
    SeededRandom random(seed);
    for (int i = 255; i > 0; --i) std::swap(p[size_t(i)], p[size_t(random.below(i + 1))]);
    for (int i = 0; i < 512; ++i) permutation_[size_t(i)] = p[size_t(i & 255)];
}

namespace {
double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double gradient(int hash, double x, double y) {
    // Eight directions around the circle.
    static const double gx[8] = {1, -1, 0, 0, 0.7071, -0.7071, 0.7071, -0.7071};
    static const double gy[8] = {0, 0, 1, -1, 0.7071, 0.7071, -0.7071, -0.7071};
    return gx[hash & 7] * x + gy[hash & 7] * y;
}
}  // namespace

double Noise::at(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int xi = int(fx) & 255, yi = int(fy) & 255;
    const double dx = x - fx, dy = y - fy;
    const auto& p = permutation_;
    const int aa = p[size_t(p[size_t(xi)] + yi)], ab = p[size_t(p[size_t(xi)] + yi + 1)];
    const int ba = p[size_t(p[size_t(xi + 1)] + yi)], bb = p[size_t(p[size_t(xi + 1)] + yi + 1)];
    const double u = fade(dx), v = fade(dy);
    const double x1 = gradient(aa, dx, dy) + u * (gradient(ba, dx - 1, dy) - gradient(aa, dx, dy));
    const double x2 = gradient(ab, dx, dy - 1) + u * (gradient(bb, dx - 1, dy - 1) - gradient(ab, dx, dy - 1));
    return 1.41 * (x1 + v * (x2 - x1));
}

double Noise::fractal(double x, double y, int octaves) const {
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * at(x, y);
        total += amplitude;
        x = x * 2 + 17.3;
        y = y * 2 + 5.1;
        amplitude *= 0.5;
    }
    return sum / total;
}

double Noise::ridged(double x, double y, int octaves) const {
    double sum = 0, amplitude = 1, total = 0, weight = 1;
    for (int i = 0; i < octaves; ++i) {
        double r = 1 - std::fabs(at(x, y));
        r *= r * weight;
        weight = std::min(1.0, r * 2);
        sum += amplitude * r;
        total += amplitude;
        x = x * 2 + 31.7;
        y = y * 2 + 11.9;
        amplitude *= 0.5;
    }
    return sum / total;
}
