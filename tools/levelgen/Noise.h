// Seeded noise for the level generator: a small deterministic generator, gradient noise and its fractal sums.
#pragma once

#include <cstdint>
#include <vector>

// SplitMix64: the same numbers on every platform and compiler for a seed.
class SeededRandom {
   public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform();  // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(uniform() * n); }

   private:
    uint64_t state_;
};

class Noise {
   public:
    explicit Noise(uint64_t seed);
    // Gradient noise in about [-1, 1], smooth, with a period of 256 along each axis.
    double at(double x, double y) const;
    // Sum of octaves, each twice the frequency and half the amplitude; about [-1, 1].
    double fractal(double x, double y, int octaves) const;
    // Ridged sum: sharp crests where the noise crosses zero; [0, 1].
    double ridged(double x, double y, int octaves) const;

   private:
    std::vector<int> permutation_;
};
