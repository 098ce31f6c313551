// levelgen: writes the game's whole data tree, the same bytes for the same seed.
//   levelgen [--out DIR] [--seed N] [--width PIXELS] [--height PIXELS] [--no-scenery] [--stress TOWERS [--targets N]]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LevelGenerator.h"

int main(int argc, char** argv) {
    std::string out = "data";
    LevelOptions options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        char* end = nullptr;
        if (!std::strcmp(argv[i], "--out") && hasValue) {
            out = argv[++i];
        } else if (!std::strcmp(argv[i], "--seed") && hasValue) {
            options.seed = std::strtoull(argv[++i], &end, 10);
            if (*end) break;
        } else if (!std::strcmp(argv[i], "--no-scenery")) {
            options.scenery = false;
        } else if (!std::strcmp(argv[i], "--stress") && hasValue) {
            const long v = std::strtol(argv[++i], &end, 10);
            if (*end || v < 1 || v > 100000) {
                std::fprintf(stderr, "levelgen: --stress takes a number of towers from 1 to 100000\n");
                return 2;
            }
            options.stressTowers = int(v);
            end = nullptr;
        } else if (!std::strcmp(argv[i], "--targets") && hasValue) {
            const long v = std::strtol(argv[++i], &end, 10);
            if (*end || v < 0 || v > 1000) {
                std::fprintf(stderr, "levelgen: --targets takes a number from 0 to 1000\n");
                return 2;
            }
            options.stressTargets = int(v);
            end = nullptr;
        } else if ((!std::strcmp(argv[i], "--width") || !std::strcmp(argv[i], "--height")) && hasValue) {
            const long v = std::strtol(argv[i + 1], &end, 10);
            if (*end || v < 16 || v > 65535) {
                std::fprintf(stderr, "levelgen: %s takes a whole number from 16 to 65535\n", argv[i]);
                return 2;
            }
            (!std::strcmp(argv[i], "--width") ? options.width : options.height) = int(v);
            ++i;
        } else {
            std::fprintf(stderr,
                         "usage: levelgen [--out DIR] [--seed N] [--width PIXELS] [--height PIXELS] [--no-scenery] "
                         "[--stress TOWERS [--targets N]]\n");
            return 2;
        }
        if (end && *end) {
            std::fprintf(stderr, "levelgen: --seed takes a whole number\n");
            return 2;
        }
    }
    if (!writeLevelData(out, options)) {
        std::fprintf(stderr, "levelgen: could not write the level under %s\n", out.c_str());
        return 1;
    }
    return 0;
}
