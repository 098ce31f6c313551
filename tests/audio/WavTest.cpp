// The WAV reader: what it takes (PCM of 8 to 32 bits, float, extensible, mono or stereo, chunks it skips, a
// data chunk cut short) and a one-line refusal for everything else.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "audio/Wav.h"

namespace {

// A WAV with these format fields and data bytes, optionally a chunk before them.
std::vector<unsigned char> wav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                               std::vector<unsigned char> data, std::vector<unsigned char> before = {}) {
    std::vector<unsigned char> out = wavHeader(rate, channels, data.size());
    out[20] = static_cast<unsigned char>(tag & 0xFF);
    out[21] = static_cast<unsigned char>(tag >> 8);
    out[34] = static_cast<unsigned char>(bits);
    out.insert(out.begin() + 36, before.begin(), before.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// The same as a WAVE_FORMAT_EXTENSIBLE fmt chunk of 40 bytes, naming subFormat (1 PCM, 3 float), or a GUID
// of another kind.
std::vector<unsigned char> extensible(uint16_t subFormat, uint16_t channels, uint16_t bits,
                                      std::vector<unsigned char> data, bool otherGuid = false) {
    std::vector<unsigned char> out = wav(0xFFFE, channels, 44100, bits, std::move(data));
    out[16] = 40;  // the fmt chunk's length
    const std::vector<unsigned char> more = {22,   0,    static_cast<unsigned char>(bits),
                                             0,    3,    0,
                                             0,    0,    static_cast<unsigned char>(subFormat),
                                             0,    0,    0,
                                             0,    0,    0x10,
                                             0,    0x80, 0,
                                             0,    0xAA, 0,
                                             0x38, 0x9B, static_cast<unsigned char>(otherGuid ? 0x70 : 0x71)};
    out.insert(out.begin() + 36, more.begin(), more.end());
    return out;
}

std::vector<unsigned char> floats(std::vector<float> values) {
    std::vector<unsigned char> out(values.size() * 4);
    std::memcpy(out.data(), values.data(), out.size());  // little-endian, as the machines we build on
    return out;
}

}  // namespace

TEST(Wav, TakesTheSoundFilesPeopleMakeAndRefusesTheRestInOneLine) {
    std::vector<unsigned char> headerOnly = wavHeader(44100, 1, 0);
    headerOnly.resize(36);  // the fmt chunk and nothing after it
    std::vector<unsigned char> chunkCut = headerOnly;
    chunkCut.insert(chunkCut.end(), {'d', 'a', 't', 'a', 9});
    const std::vector<unsigned char> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};  // odd: padded
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* refusal;  // null: read, to these samples
        std::vector<int16_t> samples;
    } cases[] = {
        {"16-bit stereo", wav(1, 2, 22050, 16, {0x34, 0x12, 0x00, 0x80}), nullptr, {0x1234, -32768}},
        {"8-bit mono, centred on 128", wav(1, 1, 8000, 8, {0, 128, 255}), nullptr, {-32768, 0, 32512}},
        {"24 bits, their top 16",
         wav(1, 1, 44100, 24, {0x00, 0x34, 0x12, 0xFF, 0xFF, 0x80}),
         nullptr,
         {0x1234, -32513}},
        {"32-bit integers", wav(1, 1, 44100, 32, {9, 9, 0x34, 0x12}), nullptr, {0x1234}},
        {"float, clipped at full scale",
         wav(3, 1, 44100, 32, floats({0.5f, -1.0f, 2.0f, nan})),
         nullptr,
         {16384, -32767, 32767, 0}},
        {"extensible PCM", extensible(1, 2, 16, {0x34, 0x12, 0x00, 0x80}), nullptr, {0x1234, -32768}},
        {"extensible float", extensible(3, 1, 32, floats({-0.25f})), nullptr, {-8192}},
        {"a list chunk first, a data chunk cut mid-frame",
         wav(1, 2, 44100, 16, {1, 0, 2, 0, 3}, list),
         nullptr,
         {1, 2}},
        {"not RIFF", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not a WAV file", {}},
        {"ADPCM", wav(2, 1, 44100, 4, {0, 0}), "neither PCM nor float samples (format 2)", {}},
        {"an extensible format of another kind", extensible(1, 1, 16, {0, 0}, true), "another kind than PCM", {}},
        {"12 bits", wav(1, 1, 44100, 12, {0, 0}), "12-bit PCM samples", {}},
        {"64-bit floats", wav(3, 1, 44100, 64, {0, 0, 0, 0, 0, 0, 0, 0}), "64-bit float samples", {}},
        {"three channels", wav(1, 3, 44100, 16, {0, 0}), "3 channels", {}},
        {"a rate of 1000", wav(1, 1, 1000, 16, {0, 0}), "a rate of 1000 Hz", {}},
        {"no data", headerOnly, "no data chunk", {}},
        {"an empty data chunk", wav(1, 2, 44100, 16, {1, 0}), "no whole frame", {}},
        {"cut short in the RIFF header", {'R', 'I', 'F', 'F', 0, 0}, "cut short in its header", {}},
        {"cut short in a chunk's header", chunkCut, "cut short in a chunk's header", {}},
        {"samples first",
         {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a', 't', 'a', 0, 0, 0, 0},
         "samples before their fmt chunk",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sound sound;
        std::string refusal;
        EXPECT_EQ(readWavFromMemory(c.bytes.data(), c.bytes.size(), sound, &refusal), c.refusal == nullptr) << refusal;
        if (c.refusal) {
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
            EXPECT_EQ(refusal.find('\n'), std::string::npos);
        } else {
            EXPECT_EQ(sound.samples, c.samples);
        }
    }
    // A link to nothing, or a loop of links, where a sound should be: said, not silent as a missing file is.
    const std::string dir = testing::TempDir() + "/wav-links";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::create_symlink(dir + "/gone.wav", dir + "/dangling.wav");
    std::filesystem::create_symlink(dir + "/b.wav", dir + "/a.wav");
    std::filesystem::create_symlink(dir + "/a.wav", dir + "/b.wav");
    for (const auto& [file, said] :
         {std::pair{"/missing.wav", ""}, {"/dangling.wav", "a link to nothing"}, {"/a.wav", "a loop of links"}}) {
        Sound sound;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(loadWav((dir + file).c_str(), sound));
        const std::string out = testing::internal::GetCapturedStderr();
        EXPECT_EQ(out.empty(), *said == 0) << out;
        EXPECT_NE(out.find(said), std::string::npos) << out;
    }
}
