// vanturo-levelgen: writes the game's whole data tree, the same bytes for the same seed.
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>

#include "HeightPicture.h"
#include "LevelGenerator.h"
#include "common/CommandLine.h"
#include "common/Report.h"
#include "common/Termination.h"

namespace {

// The game plays DIR/data: --out DIR writes there, and a DIR that is itself named data is taken as it is.
std::string dataFolderFor(const std::string& out) {
    std::filesystem::path path(out);
    if (!path.has_filename()) path = path.parent_path();  // "dir/" and "dir" alike
    return path.filename() == "data" ? path.string() : (path / "data").string();
}

}  // namespace

int main(int argc, char** argv) {
    setProgramName("vanturo-levelgen");
    catchTerminationSignals();
    std::string out = ".";
    LevelOptions options;
    CommandLine line("Write a level and everything the game reads with it into DIR/data.");
    line.value("--out", "DIR", "the game's folder: writes DIR/data (or DIR, when it is named data)",
               [&out](const std::string& dir) {
                   out = dir;
                   return std::string(dir.empty() ? "needs a folder" : "");
               });
    line.number("--seed", "N", "the seed: the same seed gives the same bytes", 0, std::numeric_limits<long long>::max(),
                [&](long long v) { options.seed = uint64_t(v); });
    line.number("--width", "PIXELS", "the level's size along x (default 2048)", 16, maxLevelSide,
                [&](long long v) { options.width = int(v); });
    line.number("--height", "PIXELS", "the level's size along z (default 768)", 16, maxLevelSide,
                [&](long long v) { options.height = int(v); });
    std::string heightmap;
    line.value("--heightmap", "PICTURE", "a level on the heights of a grey PNG (8 or 16 bits, up to 8192 on a side)",
               [&heightmap](const std::string& path) {
                   heightmap = path;
                   return std::string(path.empty() ? "needs a picture" : "");
               });
    line.flag("--no-scenery", "no trees, rocks or plants", [&] { options.scenery = false; });
    line.number("--stress", "TOWERS", "a stress level instead: towers firing every frame", 1, 100000,
                [&](long long v) { options.stressTowers = int(v); });
    line.number("--targets", "N", "target points of each stress tower (default 8)", 0, 1000,
                [&](long long v) { options.stressTargets = int(v); });
    const CommandLine::Outcome outcome = line.parse(argc, argv);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    const std::string dataFolder = dataFolderFor(out);
    GeneratedLevel fromPicture;
    if (!heightmap.empty()) {
        HeightPicture picture;
        std::string error;
        if (!readHeightPicture(heightmap, picture, error)) {
            return reportFailure(error, exitUsage);
        }
        if (!shrinkToFit(picture, maxLevelSide, error)) {
            return reportFailure(heightmap + ": " + error, exitUsage);
        }
        fromPicture = generateLevelFromHeights(picture, options);
    }
    std::string problem;
    if (const int code = writeLevelData(dataFolder, options, heightmap.empty() ? nullptr : &fromPicture, problem))
        return reportFailure(problem, code);
    std::printf("%s: wrote the level into %s\n", programName(), dataFolder.c_str());
    return exitSuccess;
}
