// The sound heard from the ship, through vanturo-sim --audio on small levels: loudness with distance, pan
// with side (and the mirrored level mirrored), a hit heard, mute silent, a near burst standing out of a far
// battle, the limits of each kind, no clipping, the sound files people make, the same bytes twice.
#include <filesystem>
#include <utility>

#include "Fixtures.h"
#include "SimRun.h"
#include "app/SoundTable.h"
#include "audio/Wav.h"

namespace {

// A level with the start at pixel (32, 2) heading along +z and a tower firing every frame at its own
// pixel; only the sound named is there to be heard: a second of a 440 Hz tone, quiet enough that the voices
// add up without reaching the limiter.
std::string levelWithTower(int c, int r, const char* soundFile, bool mirrored = false) {
    const auto at = [mirrored](int column) { return mirrored ? 63 - column : column; };
    ObjectMap map(64, 64);
    map.set(at(32), 2, 0, 1, 0, 0);
    map.set(at(c), r, 1, 0, 1, 0);
    const std::string dir = writeLevelFolder(map);
    EXPECT_EQ(std::system(("mkdir -p " + dir + "/data/sounds").c_str()), 0);
    std::vector<unsigned char> tone = wavHeader(44100, 1, 2 * 44100);
    for (int i = 0; i < 44100; ++i) {
        const auto v = int16_t(std::lround(3000 * std::sin(2 * 3.14159265 * 440 * i / 44100)));
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
    EXPECT_GT(near.first, 200);
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

// The loudness above 1 kHz of a WAV (what stands out to the ear), as sox measures it: the RMS of both
// channels' sum, in full scale.
double brightLevel(const std::string& path) {
    const std::string rms =
        runProgram("sox " + path + " -n remix 1,2 highpass 1000 stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'").out;
    return rms.empty() ? -1 : std::stod(rms);
}

TEST(SimSound, ANearBurstStandsOutOfAFarBattleTheKindsKeepTheirLimitsAndNothingClips) {
    // Twenty towers firing every frame at their own feet 3,000 to 4,000 units off (2,600 at the end of the
    // flight), and then one more beside the ship's path: the far battle is a low bed, the near bursts stand
    // 20 dB above it.
    const auto battle = [](bool nearTower) {
        const std::string dir = makeTempDir();
        EXPECT_EQ(runProgram(std::string(LEVELGEN) + " --out " + dir + " --width 256 --height 256").exitCode, 0);
        ObjectMap map(256, 256);
        map.set(128, 10, 0, 1, 0, 0);  // the start, heading along +z
        for (int i = 0; i < 20; ++i) map.set(60 + 7 * i, 150 + (i % 3) * 4, 1 + i, 0, 1 + i, 0);
        if (nearTower) map.set(131, 30, 200, 0, 200, 0);
        EXPECT_TRUE(writeTga(dir + "/" + objectMapFile, 256, 256, 4, map.pixels));
        const SimRun run =
            sim("--data " + dir + " --frames 200 --frame-ms 16 --mouse 400,300 --audio " + dir + "/b.wav");
        EXPECT_EQ(run.exitCode, 0) << run.out;
        return brightLevel(dir + "/b.wav");
    };
    const double far = battle(false), near = battle(true);
    EXPECT_GT(far, 0);
    EXPECT_GT(near, 10 * far) << "far " << far << ", near " << near;

    // Past 8,000 units nothing is heard, not even in the rumble: a tower 9,100 units off leaves the sound as
    // it is without it, to the byte.
    const auto beyond = [](bool tower) {
        const std::string dir = makeTempDir();
        EXPECT_EQ(runProgram(std::string(LEVELGEN) + " --out " + dir + " --width 400 --height 64").exitCode, 0);
        ObjectMap map(400, 64);
        map.set(10, 2, 0, 1, 0, 0);
        if (tower) map.set(390, 30, 1, 0, 1, 0);
        EXPECT_TRUE(writeTga(dir + "/" + objectMapFile, 400, 64, 4, map.pixels));
        EXPECT_EQ(sim("--data " + dir + " --frames 160 --frame-ms 16 --audio " + dir + "/b.wav").exitCode, 0);
        return bytesOf(dir + "/b.wav");
    };
    EXPECT_TRUE(beyond(true) == beyond(false));

    // A stress level of towers firing every frame around the ship: each kind keeps to its limit, the hits
    // and the loops too, and the limiter holds every sample under full scale.
    const std::string dir = makeTempDir();
    ASSERT_EQ(runProgram(std::string(LEVELGEN) + " --out " + dir + " --stress 40 --targets 1 --width 64 --height 64").exitCode, 0);
    const SimRun run = sim("--data " + dir + " --frames 240 --frame-ms 16 --mouse 400,300 --audio " + dir + "/s.wav");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    for (const SoundRow& row : soundTable) {
        const std::string name = std::filesystem::path(row.file).stem().string();
        if (row.limit > 0) {
            EXPECT_LE(field(run.out, name), row.limit) << name;
        }
    }
    EXPECT_EQ(field(run.out, "volley"), soundRow(SoundId::volley).limit);  // busy: every voice of it taken
    EXPECT_EQ(field(run.out, "burst"), soundRow(SoundId::burst).limit);
    Sound mix;
    ASSERT_TRUE(loadWav((dir + "/s.wav").c_str(), mix));
    int16_t peak = 0;
    for (int16_t sample : mix.samples) peak = std::max<int16_t>(peak, int16_t(std::abs(int(sample))));
    EXPECT_LT(peak, 32767);
    EXPECT_GT(channelLevels(dir + "/s.wav").first, 500);
}

TEST(SimSound, TheSoundFilesPeopleMakeAreHeardAndABadOneIsSaidInOneLine) {
    // The hit's sound as sox writes it in each format (24 bits come out as WAVE_FORMAT_EXTENSIBLE), heard
    // when the tower's shots land on the ship; a damaged Ogg file gives way to the WAV beside it.
    const std::string hit = soundRow(SoundId::hit).file;
    const std::string ogg = hit.substr(0, hit.size() - 4) + ".ogg";
    const struct {
        const char* name;
        std::string file, soxOptions;
        const char* said;  // a line that must be said, or null for none
    } cases[] = {
        {"24-bit extensible", hit, "-b 24", nullptr},
        {"32-bit float", hit, "-e floating-point -b 32", nullptr},
        {"Ogg Vorbis", ogg, "", nullptr},
        {"a damaged Ogg beside the WAV", ogg, "", "not an Ogg file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string dir = levelWithTower(32, 14, hit.c_str());
        if (c.said)
            std::ofstream(dir + "/" + c.file) << "OggS, or so it says";
        else
            ASSERT_EQ(
                runProgram("sox -n -r 44100 " + c.soxOptions + " " + dir + "/" + c.file + " synth 1 sine 440 vol 0.3")
                    .exitCode,
                0);
        if (c.file != hit && !c.said) std::filesystem::remove(dir + "/" + hit);  // the Ogg file alone
        const SimRun run =
            sim("--data " + dir + " --frames 300 --frame-ms 16 --mouse 400,300 --audio " + dir + "/a.wav");
        ASSERT_EQ(run.exitCode, 0) << run.out;
        EXPECT_GT(channelLevels(dir + "/a.wav").first, 100);
        const size_t lines = size_t(std::count(run.out.begin(), run.out.end(), '\n'));
        EXPECT_EQ(lines, c.said ? 2u : 1u) << run.out;  // the summary, and the refusal if any
        if (c.said) {
            EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        }
    }
}
