// levelgen: writes the game's whole data tree, the same bytes for the same seed.
//   levelgen [--out DIR] [--seed N] [--width PIXELS] [--height PIXELS] [--no-scenery] [--stress TOWERS [--targets N]]
#include <climits>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <string>

#include "LevelGenerator.h"

namespace {

// Reads a whole number from lo to hi; false for anything else.
bool wholeNumber(const char* text, long long lo, long long hi, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value >= lo && value <= hi;
}

const char* const usage =
    "usage: levelgen [--out DIR] [--seed N] [--width PIXELS] [--height PIXELS] [--no-scenery] "
    "[--stress TOWERS [--targets N]]\n";

}  // namespace

int main(int argc, char** argv) {
    std::string out = "data";
    LevelOptions options;
    struct NumberOption {
        const char* name;
        long long lo, hi;
        std::function<void(long long)> set;
    };
    const NumberOption numbers[] = {
        {"--seed", 0, LLONG_MAX, [&](long long v) { options.seed = uint64_t(v); }},
        {"--width", 16, 65535, [&](long long v) { options.width = int(v); }},
        {"--height", 16, 65535, [&](long long v) { options.height = int(v); }},
        {"--stress", 1, 100000, [&](long long v) { options.stressTowers = int(v); }},
        {"--targets", 0, 1000, [&](long long v) { options.stressTargets = int(v); }},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--no-scenery") {
            options.scenery = false;
            continue;
        }
        if (i + 1 >= argc) {
            std::fputs(usage, stderr);
            return 2;
        }
        const char* value = argv[++i];
        if (option == "--out") {
            out = value;
            continue;
        }
        const NumberOption* number = nullptr;
        for (const NumberOption& n : numbers)
            if (option == n.name) number = &n;
        long long v = 0;
        if (!number) {
            std::fputs(usage, stderr);
            return 2;
        }
        if (!wholeNumber(value, number->lo, number->hi, v)) {
            std::fprintf(stderr, "levelgen: %s takes a whole number from %lld to %lld\n", number->name, number->lo,
                         number->hi);
            return 2;
        }
        number->set(v);
    }
    if (!writeLevelData(out, options)) {
        std::fprintf(stderr, "levelgen: could not write the level under %s\n", out.c_str());
        return 1;
    }
    return 0;
}
