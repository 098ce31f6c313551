// vanturo-sim end to end: runs of the real program on crafted levels, checked against values worked out by
// hand from the game's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>

#include "Fixtures.h"
#include "GlTest.h"

namespace {

struct SimRun {
    int exitCode;
    std::string out;
};

SimRun sim(const std::string& arguments) {
    SimRun run{-1, ""};
    FILE* pipe = popen((std::string(VANTURO_SIM) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

double field(const std::string& json, const std::string& path) {
    const std::regex pattern("\"" + path + "\":(-?[0-9.eE+-]+|true|false)");
    std::smatch m;
    if (!std::regex_search(json, m, pattern)) return -12345;
    if (m[1] == "true") return 1;
    if (m[1] == "false") return 0;
    return std::stod(m[1]);
}

// A flat 64 by 64 level with the start at pixel (8, 2), heading along +z.
std::string flatLevel() {
    const std::string dir = makeTempDir();
    if (std::system(("mkdir -p " + dir + "/data").c_str()) != 0) return dir;
    writeFlatTerrain(dir + "/data/level1.tga", 64, 64, 10);
    ObjectMap map(64, 64);
    map.set(8, 2, 0, 1, 0, 0);
    map.write(dir + "/data/level1objects.tga");
    return dir;
}

}  // namespace

TEST(Simulation, FliesStraightTwelveUnitsPerUpdateCountingTheExtraUpdateAtATileCrossing) {
    const std::string dir = flatLevel();
    const SimRun run =
        sim("--data " + dir + " --frames 140 --frame-ms 30 --mouse 400,300 --trace " + dir + "/trace.jsonl");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(field(run.out, "frames"), 140);
    // 40 updates from z = 48; the 31st crosses into the next tile row, which is updated later: 41 steps.
    EXPECT_DOUBLE_EQ(field(run.out, "x"), 198);
    EXPECT_NEAR(field(run.out, "z"), 48 + 12 * 41, 1e-3);
    EXPECT_EQ(field(run.out, "heading"), 0);
    EXPECT_EQ(field(run.out, "shield"), 100);
    EXPECT_EQ(field(run.out, "filed"), 1);
    EXPECT_NEAR(field(run.out, "pitch"), 0.5, 1e-6);
    EXPECT_EQ(field(run.out, "tiles"), 16);
    EXPECT_EQ(field(run.out, "1"), 1);

    std::ifstream trace(dir + "/trace.jsonl");
    std::string line;
    int lines = 0;
    const std::regex shape(
        R"(^\{"frame":\d+,"frameTime":[0-9.]+,"ship":\{"x":.*,"filed":(true|false)\},)"
        R"("entities":\{"1":\d+,"2":\d+,"3":\d+,"4":\d+,"5":\d+,"6":\d+,"7":\d+,"9":\d+\},"tilesDrawn":\d+\}$)");
    while (std::getline(trace, line)) {
        ++lines;
        ASSERT_TRUE(std::regex_match(line, shape)) << line;
        EXPECT_EQ(field(line, "frame"), lines);
        EXPECT_EQ(field(line, "frameTime"), 30);
        if (lines == 100) {
            EXPECT_EQ(field(line, "z"), 48);  // drawn, not yet updated
        }
        if (lines == 101) {
            EXPECT_NEAR(field(line, "z"), 60, 1e-4);
        }
    }
    EXPECT_EQ(lines, 140);
}

TEST(Simulation, ScriptedInputSteersAndEscapeEndsTheRun) {
    const std::string dir = flatLevel();
    std::ofstream(dir + "/input.txt") << "# steer hard left from frame 101\n101 mouse 0 300\n121 key down 27\n";
    const SimRun run = sim("--data " + dir + " --frames 300 --frame-ms 30 --input " + dir + "/input.txt --time");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(field(run.out, "frames"), 121);  // Escape held: the loop ends after that frame
    EXPECT_EQ(field(run.out, "steer"), 0.5);
    // Frames 101 to 121 update 21 times with steer 0.5: 5 degrees each.
    EXPECT_NEAR(field(run.out, "heading"), 105, 1e-3);
    EXPECT_NE(run.out.find("\"timing\":{\"frameMs\":{\"median\":"), std::string::npos);
}

TEST(Simulation, WritesAScreenshotThatDecodesTo800By600) {
    const std::string dir = flatLevel();
    const SimRun run = sim("--data " + dir + " --frames 3 --shot " + dir + "/frame.png");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    FILE* identify = popen(("identify -format '%w %h %m' " + dir + "/frame.png").c_str(), "r");
    char text[64] = {};
    ASSERT_NE(fgets(text, sizeof text, identify), nullptr);
    pclose(identify);
    EXPECT_STREQ(text, "800 600 PNG");
}

TEST(Simulation, BadOptionsEndWithCodeTwoAndOneLine) {
    for (const char* arguments : {"--frames", "--frames ten", "--frame-ms -3", "--mouse 4", "--bogus 1", "--seed x",
                                  "--input /nonexistent/input.txt"}) {
        const SimRun run = sim(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << arguments << ": " << run.out;
    }
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/bad.txt") << "5 jump 3\n";
    EXPECT_EQ(sim("--input " + dir + "/bad.txt").exitCode, 2);
}
