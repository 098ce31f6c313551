// The OpenGL ES layer held to Mesa's own GL 1.1: the same flights drawn by vanturo-sim and by
// vanturo-sim-gles2 (the layer on Mesa's ES 2.0) must end in the same state and the same picture, pixel by
// pixel, within the tolerance published in docs/TESTING.md.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "SimRun.h"

namespace {

// A channel further apart than this marks the pixel as differing.
constexpr int channelTolerance = 8;

struct Picture {
    std::vector<unsigned char> rgb;
};

Picture readPicture(const std::string& png) {
    const std::string raw = png + ".rgb";
    runProgram("convert " + png + " -depth 8 rgb:" + raw);
    return {bytesOf(raw)};
}

struct Difference {
    size_t pixels = 0, differing = 0;
    int largest = 0;
};

Difference compare(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    Difference d;
    d.pixels = a.size() / 3;
    for (size_t p = 0; p + 2 < std::min(a.size(), b.size()); p += 3) {
        int far = 0;
        for (size_t c = 0; c < 3; ++c) far = std::max(far, std::abs(int(a[p + c]) - int(b[p + c])));
        d.largest = std::max(d.largest, far);
        if (far > channelTolerance) ++d.differing;
    }
    return d;
}

// The summary without its timing, which no two runs share.
nlohmann::json stateOf(const std::string& summary) {
    nlohmann::json j = nlohmann::json::parse(summary, nullptr, false);
    if (j.is_object()) j.erase("startupMs");
    return j;
}

struct Scene {
    const char* name;
    const char* level;  // "" for the default level, "stress" for a stress level of 40 towers
    int frames;
    const char* mouse;
    const char* input;        // scripted keys, "" for none
    double allowedDiffering;  // of the frame's pixels
};

}  // namespace

TEST(Gl11Layer, DrawsEveryFlightAsMesasGl11Does) {
    // Lines and points are rasterised edge by edge in both, but the desktop driver culls and clips whole
    // polygons first: a few more pixels may part there.
    const Scene scenes[] = {
        {"the ground's two textures, fog, lit models and the heads-up line", "", 120, "500,250", "", 0.0005},
        {"towers' shots and fireballs, blended", "stress", 250, "100,300", "", 0.0005},
        {"lines", "", 60, "300,350", "1 key down 50\n", 0.002},
        {"points", "", 60, "300,350", "1 key down 51\n", 0.002},
        {"the help's centred lines", "", 30, "400,300", "1 key down 112\n", 0.0005},
    };
    const std::string dir = makeTempDir(), stress = dir + "/stress";
    ASSERT_EQ(runProgram(std::string(LEVELGEN) + " --out " + stress + " --stress 40 --width 512 --height 512").exitCode,
              0);
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        std::ofstream(dir + "/input.txt") << scene.input;
        std::string arguments = "--no-settings --frames " + std::to_string(scene.frames) + " --mouse " + scene.mouse +
                                " --input " + dir + "/input.txt";
        if (*scene.level) arguments += " --data " + stress;
        const SimRun desktop = runProgram(std::string(VANTURO_SIM) + " " + arguments + " --shot " + dir + "/gl.png");
        const SimRun layered = runProgram(std::string(VANTURO_SIM_GLES2) + " " + arguments + " --shot " + dir +
                                          "/es.png 2>" + dir + "/es.err");
        ASSERT_EQ(desktop.exitCode, 0) << desktop.out;
        ASSERT_EQ(layered.exitCode, 0) << layered.out;
        // Anything the layer lacks is said on stderr: here nothing may be.
        EXPECT_EQ(bytesOf(dir + "/es.err").size(), 0u)
            << std::string(bytesOf(dir + "/es.err").begin(), bytesOf(dir + "/es.err").end());
        EXPECT_EQ(stateOf(layered.out), stateOf(desktop.out));
        const Difference d = compare(readPicture(dir + "/gl.png").rgb, readPicture(dir + "/es.png").rgb);
        ASSERT_EQ(d.pixels, 800u * 600u);
        std::printf("%-70s %6zu pixels apart by more than %d, at most %d\n", scene.name, d.differing, channelTolerance,
                    d.largest);
        EXPECT_LE(double(d.differing), scene.allowedDiffering * double(d.pixels));
    }
}

TEST(Gl11Layer, DrawsEachStateChangedBetweenTwoDrawsAsMesasGl11Does) {
    // The layer joins draws of the same state into one: every cell changes one thing between two draws that
    // would otherwise join (a texture bound or filled, its filter, blending, the polygon mode, the modelview
    // under light, a material, the projection, the depth test, writes and clearing, the colour mask, culling
    // and its face, fog, glyphs between quads and their list let go, attributes popped), and the pixel read
    // back mid-frame must already hold what was drawn before it.
    const std::string dir = makeTempDir();
    const SimRun desktop = runProgram(std::string(SCENE_GL) + " " + dir + "/gl.rgb");
    const SimRun layered = runProgram(std::string(SCENE_ES) + " " + dir + "/es.rgb 2>" + dir + "/es.err");
    ASSERT_EQ(desktop.exitCode, 0) << desktop.out;
    ASSERT_EQ(layered.exitCode, 0) << layered.out;
    EXPECT_EQ(bytesOf(dir + "/es.err").size(), 0u);
    const std::vector<unsigned char> gl = bytesOf(dir + "/gl.rgb"), es = bytesOf(dir + "/es.rgb");
    constexpr size_t frameBytes = 320 * 256 * 3;
    ASSERT_EQ(gl.size(), frameBytes + 3);
    ASSERT_EQ(es.size(), frameBytes + 3);
    const std::vector<unsigned char> midFrame(gl.end() - 3, gl.end());
    EXPECT_EQ(midFrame, (std::vector<unsigned char>{255, 255, 0}));  // red, then green added over it
    EXPECT_EQ(std::vector<unsigned char>(es.end() - 3, es.end()), midFrame);
    const Difference d = compare({gl.begin(), gl.end() - 3}, {es.begin(), es.end() - 3});
    std::printf("state changes between draws: %zu pixels apart by more than %d, at most %d\n", d.differing,
                channelTolerance, d.largest);
    EXPECT_LE(double(d.differing), 0.0005 * double(d.pixels));
}
