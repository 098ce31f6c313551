// The level generator: deterministic output that the game's own readers accept, and a level worth flying.
#include "LevelGenerator.h"

#include <unistd.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "Fixtures.h"
#include "HangGuard.h"
#include "SimRun.h"
#include "assets/Tga.h"
#include "audio/Wav.h"

namespace {

// Checks what every level needs: one start, at least minTowers towers, targets for every tower code, and
// land under the chase camera (its eye is never lower than 195; the ship is drawn 20 over the ground).
// Returns how many pixels hold each object code.
std::map<int, int> checkPlayable(const GeneratedLevel& level, size_t minTowers) {
    std::set<int> towerCodes, targetCodes;
    std::map<int, int> objects = {{1, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}};
    size_t towers = 0;
    for (size_t p = 0; p < level.objects.size(); p += 4) {
        if (level.objects[p]) towerCodes.insert(level.objects[p]), ++towers;
        if (level.objects[p + 2]) targetCodes.insert(level.objects[p + 2]);
        objects[level.objects[p + 1]]++;
        EXPECT_LT(2 * level.terrain[p + 3] + 20, 195) << "pixel " << p / 4;
    }
    EXPECT_EQ(objects[1], 1);
    EXPECT_GE(towers, minTowers);
    for (int code : towerCodes) EXPECT_TRUE(targetCodes.count(code)) << "tower code " << code << " has no targets";
    return objects;
}

SimRun levelgen(const std::string& arguments, const std::string& shellPrefix = "") {
    return runProgram(shellPrefix + hangGuard() + std::string(LEVELGEN) + " " + arguments);
}

// The level as written to dir/data, its pictures' rows bottom up as the TGA stores them.
GeneratedLevel readLevel(const std::string& dir) {
    TgaImage terrain, objects;
    EXPECT_TRUE(readTga((dir + "/" + terrainFile).c_str(), terrain));
    EXPECT_TRUE(readTga((dir + "/" + objectMapFile).c_str(), objects));
    GeneratedLevel level;
    level.width = terrain.width;
    level.height = terrain.height;
    level.terrain = terrain.pixels;
    level.objects = objects.pixels;
    return level;
}

}  // namespace

class LevelGenerator : public GlTest {};  // a context, for the skins the models name

TEST_F(LevelGenerator, AHeightPictureGivesItsShapeInFilesTheGamesReadersTakeAndABadOneIsRefused) {
    const std::string dir = makeTempDir();
    // 16-bit heights from 65 to 1048, rising evenly from the top row to the bottom, their low bytes varying
    // and their high bytes crossing four values: read as 8 bits the land comes out in steps, with the bytes
    // swapped jagged.
    ASSERT_EQ(
        std::system(("convert -size 200x120 gradient:'gray(0.1%)-gray(1.6%)' -depth 16 " + dir + "/rise.png").c_str()),
        0);
    // --out names the game's folder, or its data/ itself: both write DIR/data, and the same input the same bytes.
    ASSERT_EQ(levelgen("--heightmap " + dir + "/rise.png --out " + dir + "/level").exitCode, 0);
    ASSERT_EQ(levelgen("--heightmap " + dir + "/rise.png --out " + dir + "/again/data/").exitCode, 0);
    const GeneratedLevel level = readLevel(dir + "/level");
    ASSERT_TRUE(level.width == 200 && level.height == 120);
    checkPlayable(level, 2);
    auto alpha = [&](int c, int pictureRow) {
        return level.terrain[(size_t(119 - pictureRow) * 200 + size_t(c)) * 4 + 3];  // the picture's top row last
    };
    EXPECT_EQ(alpha(50, 0), 30);    // the lowest value: a valley floor
    EXPECT_EQ(alpha(50, 119), 80);  // the highest: the highest crest
    for (int r = 1; r < 120; ++r) {
        EXPECT_GE(alpha(50, r), alpha(50, r - 1)) << "row " << r;
        EXPECT_LE(alpha(50, r) - alpha(50, r - 1), 2) << "row " << r;
    }
    ScopedWorkingDirectory cwd(dir + "/level");
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("data")) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::string path = entry.path().string();
        EXPECT_EQ(bytesOf(path), bytesOf(dir + "/again/" + path)) << path;
        if (entry.path().extension() == ".tga") {
            TgaImage image;
            EXPECT_TRUE(readTga(path.c_str(), image)) << path;
            continue;
        }
        if (entry.path().extension() == ".wav") {  // mono at the mix's rate, with something to hear
            Sound sound;
            EXPECT_TRUE(loadWav(path.c_str(), sound) && sound.rate == 44100 && sound.channels == 1 &&
                        *std::max_element(sound.samples.begin(), sound.samples.end()) > 10000)
                << path;
            continue;
        }
        Ms3dModel model;  // with its skin, and unit normals to be lit as the game lights it
        ASSERT_TRUE(model.load(path.c_str()) && model.triangleCount() > 0 && model.materialCount() == 1) << path;
        EXPECT_NE(model.materials[0].texture, 0u) << path << " skin " << model.materials[0].textureFile;
        const float* n = model.triangles[0].normals[0];
        EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1, 1e-3) << path;
    }
    EXPECT_EQ(files, 36);  // two pictures, two textures, sixteen models, their eight skins, eight sounds

    const std::string valid = dir + "/rise.png";
    const struct {
        const char* name;
        std::string make;  // shell command writing dir/bad.png
        const char* said;
    } cases[] = {
        {"not a PNG", "echo hello > " + dir + "/bad.png", "not a readable PNG"},
        {"cut short", "head -c 300 " + valid + " > " + dir + "/bad.png", "not a readable PNG"},
        {"too wide", "convert -size 8193x16 xc:gray " + dir + "/bad.png", "8193 by 16 pixels"},
        {"too small", "convert -size 8x8 xc:gray " + dir + "/bad.png", "8 by 8 pixels"},
        {"missing", "rm -f " + dir + "/bad.png", "cannot be opened"},
        {"a FIFO", "rm -f " + dir + "/bad.png && mkfifo " + dir + "/bad.png", "not a regular file"},
        {"a strip that halving would make too thin", "convert -size 20x8190 xc:gray " + dir + "/bad.png",
         "would be halved to 10 by 4095"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(std::system(c.make.c_str()), 0);
        const SimRun run = levelgen("--heightmap " + dir + "/bad.png --out " + dir + "/bad");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }

    // A palette picture gives the same level with a transparency chunk as without: transparency is no height.
    ASSERT_EQ(std::system(("convert -size 40x24 gradient:gray20-gray80 -colors 8 PNG8:" + dir + "/plain.png").c_str()),
              0);
    const char* addTransparency =
        "import sys, struct, zlib; d = open(sys.argv[1], 'rb').read(); i = d.index(b'IDAT') - 4; "
        "c = b'tRNS' + bytes([0, 128, 255]); "
        "open(sys.argv[2], 'wb').write(d[:i] + struct.pack('>I', 3) + c + struct.pack('>I', zlib.crc32(c)) + d[i:])";
    ASSERT_EQ(runProgram("python3 -c \"" + std::string(addTransparency) + "\" " + dir + "/plain.png " + dir +
                         "/clear.png && grep -c tRNS " + dir + "/clear.png")
                  .out,
              "1\n");
    for (const char* name : {"plain", "clear"})
        ASSERT_EQ(levelgen("--heightmap " + dir + "/" + name + ".png --out " + dir + "/" + name).exitCode, 0);
    EXPECT_EQ(bytesOf(dir + "/clear/data/level1.tga"), bytesOf(dir + "/plain/data/level1.tga"));
}

TEST_F(LevelGenerator, ALevelIsReplacedWholeOrNotAtAllAndNeverWrittenThroughALink) {
    const std::string dir = makeTempDir(), data = dir + "/data";
    ASSERT_EQ(levelgen("--out " + dir + " --width 64 --height 32 --no-scenery").exitCode, 0);
    std::ofstream(dir + "/mine.txt") << "the player's own";
    std::filesystem::remove(data + "/models/ship.ms3d");
    std::filesystem::create_symlink(dir + "/mine.txt", data + "/models/ship.ms3d");
    const SimRun replaced = levelgen("--out " + dir + " --width 80 --height 40 --seed 2");
    ASSERT_EQ(replaced.exitCode, 0) << replaced.out;
    EXPECT_EQ(replaced.out, "vanturo-levelgen: wrote the level into " + data + "\n");
    EXPECT_EQ(runProgram("cat " + dir + "/mine.txt").out, "the player's own");
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(data + "/models/ship.ms3d")));
    EXPECT_EQ(readLevel(dir).width, 80);

    // A file that cannot be written whole (here larger than the 64 KiB a file may grow to) leaves the level
    // that was there, every byte of it, and nothing beside it.
    const auto files = [&data] {
        std::map<std::string, std::vector<unsigned char>> bytes;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data))
            if (entry.is_regular_file()) bytes[entry.path().string()] = bytesOf(entry.path().string());
        return bytes;
    };
    const auto before = files();
    const SimRun failed = levelgen("--out " + dir + " --width 512 --height 512", "trap '' XFSZ; ulimit -f 64; ");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.out.find("level1.tga: File too large; the level in " + data + " is left as it was\n"),
              std::string::npos)
        << failed.out;
    EXPECT_EQ(std::count(failed.out.begin(), failed.out.end(), '\n'), 1) << failed.out;
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);  // data/ and mine.txt

    // A run stopped between setting the old level aside and putting the new one in (by a machine without an
    // exchange of folders, or a power cut): the next run puts the old level back before anything else, so a
    // run that then fails still leaves it in place; a half-built new level is cleared away.
    const std::string stoppedRun = dir + "/.data.old-2147483000";
    std::filesystem::rename(data, stoppedRun);
    std::filesystem::create_directories(dir + "/.data.new-2147483000/models");
    const SimRun recovered = levelgen("--out " + dir + " --width 512 --height 512", "trap '' XFSZ; ulimit -f 64; ");
    EXPECT_EQ(recovered.exitCode, 1);
    EXPECT_NE(recovered.out.find("put back the level a stopped run had set aside"), std::string::npos) << recovered.out;
    EXPECT_TRUE(files() == before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}

TEST_F(LevelGenerator, WhatIsNotALevelStaysRunsOnOneFolderTakeTurnsAndASignalLeavesTheOldLevel) {
    // What stands where the level would go, each the player's own: left as it is, with one line and code 2.
    const std::string dir = makeTempDir();
    const struct {
        const char* name;
        std::string make;  // a shell command, run in a fresh folder, that puts something at ./data
        const char* said;
    } cases[] = {
        {"a file", "echo notes > data", "data is not a level folder: it is left as it is"},
        {"a folder of other things", "mkdir data && echo notes > data/notes.txt", "holds no level"},
        {"a link", "mkdir elsewhere && ln -s elsewhere data", "data is a link, not a level folder"},
        {"a level that cannot be emptied", "mkdir -p data && touch data/level1.tga && chmod 555 data",
         "cannot be emptied"},
        {"--out naming a file", "echo notes > data.txt", "data.txt is not a folder that can be written into"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The listing leaves out "..": other programs come and go in the temporary folder.
        // Root may empty any folder: the read-only level is the case of every other player.
        if (std::string(c.name).find("emptied") != std::string::npos && geteuid() == 0) continue;
        const std::string folder = makeTempDir();
        ASSERT_EQ(runProgram("cd " + folder + " && " + c.make).exitCode, 0);
        const std::string before = runProgram("cd " + folder + " && ls -ld . && ls -lAR").out;
        const std::string out = folder + (std::string(c.name).find("--out") == 0 ? "/data.txt" : "");
        const SimRun run = levelgen("--out " + out + " --width 32 --height 32");
        EXPECT_EQ(run.exitCode, 2) << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
        EXPECT_EQ(runProgram("cd " + folder + " && ls -ld . && ls -lAR").out, before);
        runProgram("chmod -R u+w " + folder);
    }

    // Two runs on one folder at once take turns: both succeed, the folder holds one whole level, and
    // nothing of either is left beside it.
    const std::string run = std::string(LEVELGEN) + " --out " + dir + " --width 512 --height 512 --seed ";
    const SimRun both = runProgram(run + "4 & first=$!; " + run + "5 & second=$!; wait $first && wait $second");
    EXPECT_EQ(both.exitCode, 0) << both.out;
    size_t wrote = 0;
    for (size_t at = both.out.find("wrote the level into"); at != std::string::npos;
         at = both.out.find("wrote the level into", at + 1))
        ++wrote;
    EXPECT_EQ(wrote, 2u) << both.out;
    EXPECT_EQ(readLevel(dir).width, 512);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    // A signal while the new level is being made (once the program has its handlers: a bit of the mask it
    // catches): it ends at once, and the old level stays, every byte.
    const std::vector<unsigned char> terrain = bytesOf(dir + "/" + terrainFile);
    for (const std::string signal : {"TERM", "INT"}) {
        SCOPED_TRACE(signal);
        const SimRun stopped =
            signalledRun(std::string(LEVELGEN) + " --out " + dir + " --width 4096 --height 4096",
                         "(( 0x$(awk '/SigCgt/ { print $2 }' /proc/$pid/status) & 0x4000 ))", signal);
        EXPECT_EQ(stopped.exitCode, 128 + (signal == "TERM" ? 15 : 2)) << stopped.out;
        EXPECT_NE(stopped.out.find("stopped by SIG" + signal + "; the level in " + dir + "/data is left as it was"),
                  std::string::npos)
            << stopped.out;
        EXPECT_TRUE(bytesOf(dir + "/" + terrainFile) == terrain);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    }
}

TEST_F(LevelGenerator, TheDefaultLevelHasThousandsOfObjectsAndAMinutesFlightAheadOfItsStart) {
    const GeneratedLevel level = generateLevel(LevelOptions());
    const std::map<int, int> objects = checkPlayable(level, 10);
    EXPECT_GT(objects.at(3) + objects.at(4) + objects.at(5) + objects.at(6), 2000);  // thousands of scenery objects
    // The start: near the middle, facing +x, with a minute of straight flight at 400 units a second ahead.
    EXPECT_NEAR(level.startColumn, level.width / 2, level.width / 8);
    EXPECT_NEAR(level.startRow, level.height / 2, level.height / 8);
    const size_t start = (size_t(level.startRow) * size_t(level.width) + size_t(level.startColumn)) * 4;
    EXPECT_EQ(level.objects[start + 3], 64);  // heading 90.4 degrees
    EXPECT_GE((level.width / 16 * 384 - 24 - (24.0 * level.startColumn + 6)) / 400.0, 60);
}

TEST_F(LevelGenerator, AFlightThatNeverTouchesTheMouseHasTheGroundUnderTheLowestEyeToTheWorldsEdge) {
    // Until the mouse first moves the camera is at its lowest, its eye 75 up: straight on from the start, at
    // the longest world step a frame, to the edge.
    const std::string dir = makeTempDir();
    ASSERT_EQ(levelgen("--out " + dir).exitCode, 0);
    const SimRun run = sim("--data " + dir + " --no-settings --frames 800 --frame-ms 100 --trace " + dir + "/flight");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::ifstream trace(dir + "/flight");
    const std::regex eye(R"("eye":\{"y":(-?[0-9.eE+-]+),"ground":(-?[0-9.eE+-]+)\})");
    int inWorld = 0, under = 0;
    for (std::string line; std::getline(trace, line);) {
        std::smatch m;
        if (line.find("\"filed\":true") == std::string::npos || !std::regex_search(line, m, eye)) continue;
        ++inWorld;
        if (std::stod(m[1]) <= std::stod(m[2])) ++under;
    }
    EXPECT_GT(inWorld, 600);  // a minute's flight, and the edge reached within the run
    EXPECT_LT(inWorld, 800);
    EXPECT_EQ(under, 0);
}
