// The level generator: a long meandering valley through ridged mountains, side valleys, plateaus and cliffs;
// ground coloured by height and slope; forests, rocks, meadows, towers and their target points.
#include "LevelGenerator.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "Canvas.h"
#include "HeightPicture.h"
#include "LevelFolder.h"
#include "ModelGenerator.h"
#include "Noise.h"
#include "SoundGenerator.h"
#include "TgaWriter.h"
#include "app/DataFolder.h"
#include "common/Report.h"
#include "common/Termination.h"
#include "objects/EntityKinds.h"

namespace {

// Heights as the terrain picture's alpha holds them (half the height in world units). Valley floors, and the
// highest crest a height picture is scaled to: under the chase camera's lowest eye (195) with the ship's 20.
constexpr double floorAlpha = 30;
constexpr double highestAlpha = 80;
constexpr double straightBehindStart = 30;  // pixels: past the chase eye's place, 500 units (21 pixels) behind

double smoothstep(double a, double b, double x) {
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A valley: its floor runs along a curve given as z = f(x) (main) or x = f(z) (side valleys).
struct Valley {
    bool alongX;
    double base, amplitude1, wavelength1, amplitude2, wavelength2, phase, halfWidth;
    double slant = 0;  // drift across per pixel along, so side valleys run at an angle
    double straightFrom = std::numeric_limits<double>::infinity();  // where the floor stops winding
    double centre(double t) const {
        t = std::min(t, straightFrom);
        return base + slant * (t - phase) + amplitude1 * (std::cos((t - phase) / wavelength1) - 1) +
               amplitude2 * (std::cos((t - phase) / wavelength2) - 1);
    }
    // Distance across the valley from its floor line, in pixels.
    double distance(double c, double r) const { return alongX ? std::fabs(r - centre(c)) : std::fabs(c - centre(r)); }
};

struct Terrain {
    int width, height;
    std::vector<double> alpha;  // 0..255
    double at(int c, int r) const {
        c = std::clamp(c, 0, width - 1);
        r = std::clamp(r, 0, height - 1);
        return alpha[size_t(r) * size_t(width) + size_t(c)];
    }
    // Rise in world units per world unit of distance, steepest of the two axes.
    double slope(int c, int r) const {
        const double dx = (at(c + 1, r) - at(c - 1, r)) * 2 / 48;
        const double dz = (at(c, r + 1) - at(c, r - 1)) * 2 / 48;
        return std::hypot(dx, dz);
    }
};

std::vector<Valley> makeValleys(const LevelOptions& o, SeededRandom& random) {
    std::vector<Valley> valleys;
    // The main valley, level with the start at the middle, meandering away behind it and running straight
    // ahead of it to the world's edge: a player who has not touched the mouse flies straight on with the
    // camera at its lowest, its eye 75 up, and from the eye's place behind the start to the edge the floor
    // stays under it.
    valleys.push_back({true, o.height / 2.0, random.range(25, 45), random.range(140, 200), random.range(10, 20),
                       random.range(50, 80), o.width / 2.0, 30, 0, o.width / 2.0 - straightBehindStart});
    // Side valleys across it, and a second long one further out.
    for (int i = 0; i < 5; ++i) {
        const double x = o.width * (0.12 + 0.19 * i) + random.range(-40, 40);
        const double phase = random.range(0, o.height);
        valleys.push_back({false, x, random.range(20, 60), random.range(90, 160), random.range(8, 20),
                           random.range(40, 70), phase, random.range(22, 34), random.range(-0.6, 0.6)});
    }
    valleys.push_back({true, o.height * 0.2, random.range(20, 40), random.range(120, 180), 10, 60, o.width * 0.3, 30,
                       random.range(-0.1, 0.1)});
    valleys.push_back({true, o.height * 0.8, random.range(20, 40), random.range(120, 180), 10, 60, o.width * 0.7, 30,
                       random.range(-0.1, 0.1)});
    return valleys;
}

Terrain makeTerrain(const LevelOptions& o, const std::vector<Valley>& valleys, const Noise& noise) {
    Terrain t{o.width, o.height, std::vector<double>(size_t(o.width) * size_t(o.height))};
    for (int r = 0; r < o.height; ++r) {
        for (int c = 0; c < o.width; ++c) {
            const double x = c / 220.0, z = r / 220.0;
            // Hills: ridged crests over rolling ground, a little higher towards the world's rim. Kept under
            // the chase camera, whose eye is 195 to 342 units up whatever the ground does: the ship (drawn 20
            // over the ground) stays below it, and so does the ground 500 units behind.
            const double ridges = noise.ridged(x + 3.1, z + 7.7, 6);
            const double hills = 0.5 + 0.5 * noise.fractal(x * 1.7 + 11, z * 1.7 + 2, 5);
            const double rim = smoothstep(0.12, 0.0,
                                          std::min({c / double(o.width), r / double(o.height), 1 - c / double(o.width),
                                                    1 - r / double(o.height)}));
            double mountain = floorAlpha + 6 + 34 * ridges * ridges + 10 * hills + 4 * rim;
            // Plateaus: in some regions the land is cut into terraces with steep faces between them.
            const double plateau = smoothstep(0.25, 0.45, noise.fractal(x * 0.6 + 50, z * 0.6 + 50, 3));
            if (plateau > 0) {
                const double step = 14, level = std::floor(mountain / step) * step;
                const double f = mountain / step - std::floor(mountain / step);
                mountain = mountain * (1 - plateau) + (level + step * smoothstep(0.75, 0.95, f)) * plateau;
            }
            // Valleys: low floors where the ship can fly, with gentle banks rising into the mountains.
            double openness = 1;
            for (const Valley& v : valleys) {
                const double d = v.distance(c, r) + 8 * noise.at(x * 6 + 70, z * 6);
                openness = std::min(openness, smoothstep(v.halfWidth * 0.55, v.halfWidth * 1.9, d));
            }
            const double floor = floorAlpha + 5 * (0.5 + 0.5 * noise.fractal(x * 4 + 30, z * 4, 3));
            const double h = floor + (mountain - floor) * openness;
            t.alpha[size_t(r) * size_t(o.width) + size_t(c)] = std::clamp(h, 0.0, 255.0);
        }
    }
    return t;
}

enum Ground { sand, grass, meadow, forestFloor, rock, snow };

Ground groundAt(const Terrain& t, const Noise& noise, int c, int r, double forest) {
    const double a = t.at(c, r), s = t.slope(c, r);
    // The land is low (under the camera), so rock and snow come from slope and the highest crests.
    const double wobble = 4 * noise.at(c / 30.0 + 5, r / 30.0 + 9);
    if (a > 74 + wobble && s < 0.45) return snow;
    if (s > 0.25) return rock;
    if (a < 33 && noise.at(c / 25.0 + 40, r / 25.0 + 40) > 0.25) return sand;  // dry riverbeds
    if (forest > 0.15) return forestFloor;
    if (a > 64 + wobble) return rock;
    return noise.at(c / 45.0 + 20, r / 45.0) > 0.2 ? meadow : grass;
}

Colour groundColour(Ground g, double n) {
    // Bright: the ground is lit by ambient light only, so these show at about half strength.
    switch (g) {
        case sand: return mix(Colour{240, 220, 160}, Colour{255, 240, 190}, n);
        case grass: return mix(Colour{130, 235, 80}, Colour{175, 255, 105}, n);
        case meadow: return mix(Colour{190, 250, 95}, Colour{230, 255, 130}, n);
        case forestFloor: return mix(Colour{80, 170, 60}, Colour{125, 190, 75}, n);
        case rock: return mix(Colour{180, 165, 150}, Colour{225, 215, 200}, n);
        case snow: return mix(Colour{235, 240, 250}, Colour{255, 255, 255}, n);
    }
    return Colour{255, 0, 255};
}

struct ObjectPainter {
    int width;
    std::vector<unsigned char>& pixels;
    unsigned char* at(int c, int r) {
        return &pixels[(size_t(r) * size_t(width) + size_t(c)) * objectMapBytesPerPixel];
    }
};

// Forests grow in clusters where a density field is high.
double forestAt(const Noise& noise, int c, int r) { return noise.fractal(c / 70.0 + 100, r / 70.0 + 100, 4); }

// The terrain picture: ground colour by height, slope and forest density, height in alpha. Returns the ground
// kind of every pixel.
std::vector<Ground> paintGround(const Terrain& terrain, const Noise& noise, SeededRandom& random,
                                GeneratedLevel& level) {
    std::vector<Ground> ground(size_t(level.width) * size_t(level.height));
    for (int r = 0; r < level.height; ++r) {
        for (int c = 0; c < level.width; ++c) {
            const size_t i = size_t(r) * size_t(level.width) + size_t(c);
            const Ground g = groundAt(terrain, noise, c, r, forestAt(noise, c, r));
            ground[i] = g;
            const double n =
                0.5 + 0.5 * noise.fractal(c / 9.0 + 3, r / 9.0 + 1, 3) * 0.8 + 0.2 * (random.uniform() - 0.5);
            const Colour colour = groundColour(g, n);
            unsigned char* p = &level.terrain[i * 4];
            p[0] = static_cast<unsigned char>(std::clamp(colour.b, 0.0, 255.0));
            p[1] = static_cast<unsigned char>(std::clamp(colour.g, 0.0, 255.0));
            p[2] = static_cast<unsigned char>(std::clamp(colour.r, 0.0, 255.0));
            p[3] = static_cast<unsigned char>(std::lround(terrain.alpha[i]));
        }
    }
    return ground;
}

// Forests on gentle ground, rocks on slopes, mushrooms and plants in meadows, small rocks anywhere; then the
// start pixel, looking along +x (parameter 64 is just over 90 degrees), with a little room kept around it.
void plantScenery(const std::vector<Ground>& ground, const Noise& noise, SeededRandom& random, bool scenery,
                  GeneratedLevel& level) {
    ObjectPainter objects{level.width, level.objects};
    for (int r = 1; r < level.height - 1 && scenery; ++r) {
        for (int c = 1; c < level.width - 1; ++c) {
            if (std::abs(c - level.startColumn) < 4 && std::abs(r - level.startRow) < 3) continue;
            const Ground g = ground[size_t(r) * size_t(level.width) + size_t(c)];
            const double roll = random.uniform();
            int code = 0;
            if (g == forestFloor && roll < 0.003 + 0.016 * std::max(0.0, forestAt(noise, c, r)))
                code = objectCodeOf(typeIds::tree);
            else if (g == rock && roll < 0.004)
                code = objectCodeOf(typeIds::rock);
            else if (g == meadow && roll < 0.0025)
                code = objectCodeOf(typeIds::plant);
            else if (g == grass && roll < 0.0012)
                code = objectCodeOf(typeIds::tree);  // lone trees and small groves in the open
            else if (g != snow && roll > 0.9994)
                code = objectCodeOf(typeIds::smallRock);  // small rocks anywhere
            if (code) objects.at(c, r)[objectCodeByte] = static_cast<unsigned char>(code);
        }
    }
    unsigned char* start = objects.at(level.startColumn, level.startRow);
    start[objectCodeByte] = objectCodeOf(typeIds::ship);
    start[parameterByte] = 64;
}

// Whether a tower at (c, r) would stand too close to the start: the first seconds are calm.
bool nearStartArea(const GeneratedLevel& level, int c, int r) {
    return std::abs(c - level.startColumn) < std::min(90, level.width / 8) &&
           std::abs(r - level.startRow) < std::min(60, level.height / 8);
}

// The next tower code: neighbouring towers sometimes share one and so fire together.
int nextTowerCode(int code, SeededRandom& random) {
    return code == 0 || random.uniform() > 0.3 ? code % 250 + 1 : code;
}

void placeTower(GeneratedLevel& level, int c, int r, int code, SeededRandom& random) {
    unsigned char* p = ObjectPainter{level.width, level.objects}.at(c, r);
    p[towerCodeByte] = static_cast<unsigned char>(code);
    p[parameterByte] = static_cast<unsigned char>(4 + random.below(13));  // a volley every 1 to 4 seconds
}

void placeTarget(GeneratedLevel& level, int c, int r, int code) {
    if (c < 0 || r < 0 || c >= level.width || r >= level.height) return;
    ObjectPainter{level.width, level.objects}.at(c, r)[targetCodeByte] = static_cast<unsigned char>(code);
}

}  // namespace

GeneratedLevel generateLevel(const LevelOptions& o) {
    SeededRandom random(o.seed);
    const Noise noise(o.seed * 2654435761ull + 17);
    const std::vector<Valley> valleys = makeValleys(o, random);
    const Terrain terrain = makeTerrain(o, valleys, noise);

    GeneratedLevel level;
    level.width = o.width;
    level.height = o.height;
    level.terrain.resize(size_t(o.width) * size_t(o.height) * 4);
    level.objects.assign(level.terrain.size(), 0);
    const std::vector<Ground> ground = paintGround(terrain, noise, random, level);
    // The start: the middle of the main valley, looking down it.
    level.startColumn = o.width / 2;
    level.startRow = int(std::lround(valleys.front().centre(level.startColumn)));
    plantScenery(ground, noise, random, o.scenery, level);

    // Towers: on the banks beside the valleys, each with targets on the valley floor in front of it and
    // across the route.
    int code = 0;
    for (const Valley& v : valleys) {
        const int length = v.alongX ? o.width : o.height;
        for (int t = 30 + random.below(60); t < length - 20; t += 100 + random.below(110)) {
            const double side = random.uniform() < 0.5 ? -1 : 1;
            const double floorLine = v.centre(t);
            const double bank = floorLine + side * (v.halfWidth * 1.1 + random.range(0, 12));
            const int tc = v.alongX ? t : int(bank), tr = v.alongX ? int(bank) : t;
            if (tc < 2 || tr < 2 || tc >= o.width - 2 || tr >= o.height - 2 || nearStartArea(level, tc, tr)) continue;
            code = nextTowerCode(code, random);
            placeTower(level, tc, tr, code, random);
            const int targets = 2 + random.below(4);
            for (int k = 0; k < targets; ++k) {
                // Along the route ahead and behind, and across it towards the far bank.
                const double along = t + random.range(-45, 45);
                const double across = v.centre(along) + random.range(-0.9, 0.9) * v.halfWidth;
                placeTarget(level, v.alongX ? int(along) : int(across), v.alongX ? int(across) : int(along), code);
            }
        }
    }
    return level;
}

GeneratedLevel generateLevelFromHeights(const HeightPicture& picture, const LevelOptions& o) {
    SeededRandom random(o.seed);
    const Noise noise(o.seed * 2654435761ull + 17);
    GeneratedLevel level;
    level.width = picture.width;
    level.height = picture.height;
    level.terrain.resize(size_t(level.width) * size_t(level.height) * 4);
    level.objects.assign(level.terrain.size(), 0);

    // The picture's lowest value is a valley floor, its highest the highest crest the camera allows.
    const auto [lowest, highest] = std::minmax_element(picture.values.begin(), picture.values.end());
    const double range = std::max(1, int(*highest) - int(*lowest));
    Terrain terrain{level.width, level.height, std::vector<double>(picture.values.size())};
    // The picture's top row is the level's last: the terrain picture, stored bottom row first, then looks
    // like it in any image viewer.
    for (int r = 0; r < level.height; ++r)
        for (int c = 0; c < level.width; ++c) {
            const uint16_t value = picture.values[size_t(level.height - 1 - r) * size_t(level.width) + size_t(c)];
            terrain.alpha[size_t(r) * size_t(level.width) + size_t(c)] =
                floorAlpha + (highestAlpha - floorAlpha) * (value - *lowest) / range;
        }
    const std::vector<Ground> ground = paintGround(terrain, noise, random, level);

    // The start: near the middle, in the lowest row of a band across it, looking along +x.
    level.startColumn = level.width / 2;
    level.startRow = level.height / 2;
    double lowestRun = 1e9;
    for (int r = level.height / 4; r < level.height * 3 / 4; ++r) {
        double run = 0;
        for (int c = level.startColumn; c < std::min(level.width, level.startColumn + 100); ++c)
            run += terrain.at(c, r);
        if (run < lowestRun) lowestRun = run, level.startRow = r;
    }
    plantScenery(ground, noise, random, o.scenery, level);

    // Towers on hills: the highest point of each block of the picture, firing at lower ground around it.
    constexpr int block = 110;
    int code = 0;
    for (int br = 0; br + block / 2 <= level.height; br += block)
        for (int bc = 0; bc + block / 2 <= level.width; bc += block) {
            int tc = -1, tr = -1;
            for (int r = std::max(br, 2); r < std::min(br + block, level.height - 2); ++r)
                for (int c = std::max(bc, 2); c < std::min(bc + block, level.width - 2); ++c)
                    if (!nearStartArea(level, c, r) && (tc < 0 || terrain.at(c, r) > terrain.at(tc, tr)))
                        tc = c, tr = r;
            if (tc < 0) continue;
            code = nextTowerCode(code, random);
            placeTower(level, tc, tr, code, random);
            for (int k = 2 + random.below(4); k > 0; --k)
                placeTarget(level, tc + int(random.range(-45, 45)), tr + int(random.range(-45, 45)), code);
        }
    return level;
}

GeneratedLevel generateStressLevel(const LevelOptions& o) {
    SeededRandom random(o.seed);
    const Noise noise(o.seed + 99);
    GeneratedLevel level;
    level.width = o.width;
    level.height = o.height;
    level.terrain.resize(size_t(o.width) * size_t(o.height) * 4);
    level.objects.assign(level.terrain.size(), 0);
    for (int r = 0; r < o.height; ++r)
        for (int c = 0; c < o.width; ++c) {
            unsigned char* p = &level.terrain[(size_t(r) * size_t(o.width) + size_t(c)) * 4];
            const double n = 0.5 + 0.5 * noise.fractal(c / 60.0, r / 60.0, 3);
            p[0] = 90;
            p[1] = static_cast<unsigned char>(180 + 60 * n);
            p[2] = 120;
            p[3] = static_cast<unsigned char>(5 + 20 * n);  // low hills: the camera stays above them
        }
    ObjectPainter objects{o.width, level.objects};
    level.startColumn = o.width / 2;
    level.startRow = o.height / 2;
    objects.at(level.startColumn, level.startRow)[objectCodeByte] = objectCodeOf(typeIds::ship);
    objects.at(level.startColumn, level.startRow)[parameterByte] = 64;
    for (int i = 0; i < o.stressTowers; ++i) {
        const int code = 1 + i % 250;
        const int c = 4 + random.below(o.width - 8), r = 4 + random.below(o.height - 8);
        objects.at(c, r)[towerCodeByte] = static_cast<unsigned char>(code);
        objects.at(c, r)[parameterByte] = 0;  // firing every frame
    }
    for (int code = 1; code <= std::min(250, o.stressTowers); ++code)
        for (int k = 0; k < o.stressTargets; ++k) {
            const int c = std::clamp(level.startColumn + random.below(81) - 40, 0, o.width - 1);
            const int r = std::clamp(level.startRow + random.below(41) - 20, 0, o.height - 1);
            objects.at(c, r)[targetCodeByte] = static_cast<unsigned char>(code);
        }
    return level;
}

int writeLevelData(const std::string& dataDir, const LevelOptions& options, const GeneratedLevel* given,
                   std::string& problem) {
    namespace fs = std::filesystem;
    const fs::path target(dataDir);
    const std::string keptAsItWas = "the level in " + shortPath(dataDir) + " is left as it was";
    // One run at a time on a folder; what a stopped run left is put right before anything else.
    const LevelFolderLock lock(target);
    if (!lock.held(problem)) return terminationSignal() ? signalExitCode(terminationSignal()) : exitUsage;
    recoverStoppedRuns(target);
    problem = cannotReplace(target);
    if (!problem.empty()) return exitUsage;
    // Made in memory first: a signal meanwhile ends the run at once, with nothing on the disk to put right.
    endAtOnceOnSignal(std::string(programName()) + ": stopped by %s; " + keptAsItWas + "\n");
    const GeneratedLevel level = given                      ? *given
                                 : options.stressTowers > 0 ? generateStressLevel(options)
                                                            : generateLevel(options);
    endAtOnceOnSignal("");
    // The new level is built beside the old one and swapped in whole: a run that fails leaves the old level
    // as it was, and nothing is written through a link the old folder holds.
    const fs::path fresh = besideLevel(target, "new");
    std::error_code error;
    fs::remove_all(fresh, error);
    for (const fs::path& dir : {fresh / "textures", fresh / "models", fresh / "sounds"}) {
        if (!fs::create_directories(dir, error) && error) {
            problem = "cannot make " + shortPath(dir.string()) + ": " + error.message() + "; " + keptAsItWas;
            fs::remove_all(fresh, error);
            return exitFailure;
        }
    }
    const std::string dir = fresh.string();
    std::string firstFailure;
    collectWriteFailures(&firstFailure);
    // A signal is looked for between the steps: a stopped run removes what it built.
    const auto going = [] { return terminationSignal() == 0; };
    const bool written =
        going() && writeTga(inDataFolder(dir, terrainFile), level.width, level.height, 4, level.terrain) && going() &&
        writeTga(inDataFolder(dir, objectMapFile), level.width, level.height, objectMapBytesPerPixel, level.objects) &&
        going() && writeTextures(dir, options.seed) && going() && writeModels(dir, options.seed) && going() &&
        writeSounds(dir, options.seed) && going();
    collectWriteFailures(nullptr);
    std::string why;
    if (written && swapInLevel(fresh, target, why)) return exitSuccess;
    fs::remove_all(fresh, error);  // links inside are removed, never followed
    if (const int signal = terminationSignal()) {
        problem = "stopped by " + signalName(signal) + "; " + keptAsItWas;
        return signalExitCode(signal);
    }
    problem = (written ? "cannot put the new level in " + shortPath(dataDir) + ": " + why : firstFailure) + "; " +
              keptAsItWas;
    return exitFailure;
}
