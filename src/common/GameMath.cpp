#include "common/GameMath.h"

#include <cmath>

namespace {

// Polynomials on [-pi/4, pi/4] (fdlibm's coefficients), accurate to well under a double's last bit.
double kernelSin(double x) {
    const double z = x * x;
    const double r = 8.33333333332248946124e-03 +
                     z * (-1.98412698298579493134e-04 +
                          z * (2.75573137070700676789e-06 + z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)));
    return x + x * z * (-1.66666666666666324348e-01 + z * r);
}

double kernelCos(double x) {
    const double z = x * x;
    const double r = 4.16666666666666019037e-02 +
                     z * (-1.38888888888741095749e-03 +
                          z * (2.48015872894767294178e-05 + z * (-2.75573143513906633035e-07 +
                                                                 z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11))));
    return 1.0 - 0.5 * z + z * z * r;
}

// quarterTurns 0 gives the sine, 1 the cosine. Only exact IEEE operations, so every platform agrees.
double sine(double x, int quarterTurns) {
    constexpr double twoOverPi = 6.36619772367581382433e-01;
    // pi/2 in three parts, so that n * part is exact for any angle a game reaches.
    constexpr double halfPiHigh = 1.57079632673412561417e+00;
    constexpr double halfPiMiddle = 6.07710050650619224932e-11;
    constexpr double halfPiLow = 2.02226624879595063154e-21;
    const double n = std::nearbyint(x * twoOverPi);
    const double r = ((x - n * halfPiHigh) - n * halfPiMiddle) - n * halfPiLow;
    switch ((int(std::fmod(n, 4.0)) + 4 + quarterTurns) & 3) {
        case 0: return kernelSin(r);
        case 1: return kernelCos(r);
        case 2: return -kernelSin(r);
        default: return -kernelCos(r);
    }
}

}  // namespace

float gameSin(float radians) { return float(sine(radians, 0)); }
float gameCos(float radians) { return float(sine(radians, 1)); }
