// The demo's level digest is FNV-1a 64, which other tools must be able to compute: the published vectors.
#include "app/DemoFormat.h"
#include "Fixtures.h"

TEST(DemoFormat, LevelDigestsAreFnv1a64) {
    const unsigned char a[] = {'a'}, foobar[] = {'f', 'o', 'o', 'b', 'a', 'r'};
    EXPECT_EQ(digestBytes(nullptr, 0), 0xcbf29ce484222325ull);
    EXPECT_EQ(digestBytes(a, 1), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(digestBytes(foobar, 6), 0x85944171f73967e8ull);
}
