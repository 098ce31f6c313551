// The game's own sine and cosine: the correctly rounded float, on every platform (checked against the long
// double library functions, whose extra bits make their rounded result the true one).
#include "common/GameMath.h"

#include <random>
#include "Fixtures.h"

TEST(GameMath, SineAndCosineAreTheCorrectlyRoundedFloatOverEveryQuadrant) {
    std::mt19937 random(7);
    for (const float range : {0.8f, 7.0f, 400.0f, 30000.0f}) {
        std::uniform_real_distribution<float> angle(-range, range);
        int wrong = 0;
        for (int i = 0; i < 200000; ++i) {
            const float x = angle(random);
            wrong += gameSin(x) != float(std::sin(static_cast<long double>(x)));
            wrong += gameCos(x) != float(std::cos(static_cast<long double>(x)));
        }
        EXPECT_EQ(wrong, 0) << "angles within " << range;
    }
    // Where glibc's sinf rounds the other way.
    EXPECT_EQ(gameSin(0x1.ced808p-2f), 0x1.bf3e86p-2f);
}
