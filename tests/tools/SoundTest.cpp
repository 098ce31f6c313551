// The sound heard from the ship, through vanturo-sim --audio on small levels: loudness with distance, pan
// with side (and the mirrored level mirrored), a hit heard, mute silent, the voice limit, the same bytes twice.
#include <utility>

#include "Fixtures.h"
#include "SimRun.h"
#include "app/SoundTable.h"
#include "audio/Wav.h"

namespace {

// A level with the start at pixel (32, 2) heading along +z and a tower firing every frame at its own
// pixel; only the sound named is there to be heard: a second of a 440 Hz tone.
std::string levelWithTower(int c, int r, const char* soundFile, bool mirrored = false) {
    const auto at = [mirrored](int column) { return mirrored ? 63 - column : column; };
    ObjectMap map(64, 64);
    map.set(at(32), 2, 0, 1, 0, 0);
    map.set(at(c), r, 1, 0, 1, 0);
    const std::string dir = writeLevelFolder(map);
    EXPECT_EQ(std::system(("mkdir -p " + dir + "/data/sounds").c_str()), 0);
    std::vector<unsigned char> tone = wavHeader(44100, 1, 2 * 44100);
    for (int i = 0; i < 44100; ++i) {
        const auto v = int16_t(std::lround(12000 * std::sin(2 * 3.14159265 * 440 * i / 44100)));
        tone.push_back(static_cast<unsigned char>(v & 0xFF));
        tone.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    }
    writeBytes(dir + "/" + soundFile, tone);
    return dir;
}

// The root mean square of each channel of a 16-bit stereo WAV.
std::pair<double, double> channelLevels(const std::string& path) {
    Sound sound;
    EXPECT_TRUE(loadWav(path.c_str(), sound) && sound.channels == 2) << path;
    double sums[2] = {0, 0};
    for (size_t i = 0; i < sound.samples.size(); ++i) sums[i % 2] += double(sound.samples[i]) * sound.samples[i];
    const double frames = double(std::max<size_t>(sound.frames(), 1));
    return {std::sqrt(sums[0] / frames), std::sqrt(sums[1] / frames)};
}

std::pair<double, double> flight(const std::string& dir, const std::string& more = "") {
    const SimRun run = sim("--data " + dir + " --frames 220 --frame-ms 16 --mouse 400,300 --audio " + dir +
                           "/run.wav " + more);
    EXPECT_EQ(run.exitCode, 0) << run.out;
    return channelLevels(dir + "/run.wav");
}

}  // namespace

TEST(SimSound, VolleysFadeWithDistanceAndBurstsPanToTheirSideAndBackInTheMirroredLevel) {
    // The ship flies along +z from x 774, so the screen's right is -x: a tower at pixel 20 is on its right.
    const auto near = flight(levelWithTower(30, 12, soundRow(SoundId::volley).file));
    const auto far = flight(levelWithTower(30, 60, soundRow(SoundId::volley).file));
    EXPECT_GT(near.first, 500);
    EXPECT_LT(far.first + far.second, 0.5 * (near.first + near.second));
    const auto right = flight(levelWithTower(20, 12, soundRow(SoundId::burst).file));
    const auto mirrored = flight(levelWithTower(20, 12, soundRow(SoundId::burst).file, true));
    EXPECT_GT(right.second, 1.5 * right.first);
    EXPECT_NEAR(mirrored.first, right.second, 0.05 * right.second);
    EXPECT_NEAR(mirrored.second, right.first, 0.05 * right.first);
}

TEST(SimSound, AHitIsHeardMuteIsSilentAndTheSameRunGivesTheSameBytes) {
    // The tower's shots land on the ship's path: only the hit's sound is there.
    const std::string dir = levelWithTower(32, 14, soundRow(SoundId::hit).file);
    const SimRun hit = sim("--data " + dir + " --frames 300 --frame-ms 16 --mouse 400,300 --audio " + dir + "/a.wav");
    ASSERT_EQ(hit.exitCode, 0) << hit.out;
    EXPECT_LT(field(hit.out, "shield"), 100);
    EXPECT_GT(channelLevels(dir + "/a.wav").first, 100);
    ASSERT_EQ(sim("--data " + dir + " --frames 300 --frame-ms 16 --mouse 400,300 --audio " + dir + "/b.wav").exitCode, 0);
    EXPECT_EQ(bytesOf(dir + "/a.wav"), bytesOf(dir + "/b.wav"));
    const auto muted = flight(dir, "--mute");
    EXPECT_EQ(muted.first + muted.second, 0);
}

TEST(SimSound, AStressLevelStaysWithinTheVoicesAndStaysAudible) {
    const std::string dir = makeTempDir();
    ASSERT_EQ(runProgram(std::string(LEVELGEN) + " --out " + dir + " --stress 40 --targets 1 --width 64 --height 64").exitCode, 0);
    const SimRun run = sim("--data " + dir + " --frames 140 --frame-ms 16 --mouse 400,300 --audio " + dir + "/s.wav");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(field(run.out, "voicesMost"), 32);
    const auto levels = channelLevels(dir + "/s.wav");
    EXPECT_GT(levels.first, 500);
    EXPECT_LT(levels.first, 30000);  // not clipped flat
}
