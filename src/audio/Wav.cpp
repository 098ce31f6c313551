// WAV reader: the RIFF chunks walked with the bounds-checked reader; samples widened to 16 bits.
#include "audio/Wav.h"

#include <cmath>
#include <cstring>
#include <new>

#include "audio/Refusal.h"
#include "common/ByteReader.h"
#include "common/Report.h"
#include "common/WholeFile.h"

namespace {

constexpr uint16_t pcmFormat = 1, floatFormat = 3, extensibleFormat = 0xFFFE;
// The sub-format GUID of WAVE_FORMAT_EXTENSIBLE after its first two bytes (the plain format's tag):
// xxxx0000-0000-0010-8000-00aa00389b71.
constexpr unsigned char extensibleGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                  0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct Format {
    uint16_t tag = 0;  // pcmFormat or floatFormat, once an extensible one is unwrapped
    uint16_t channels = 0, bits = 0;
    uint32_t rate = 0;
};

bool readFormat(ByteReader chunk, Format& format, std::string* refusal) {
    format.tag = chunk.u16();
    format.channels = chunk.u16();
    format.rate = chunk.u32();
    chunk.skip(4 + 2);  // bytes a second, bytes a frame: worked out from the rest
    format.bits = chunk.u16();
    if (!chunk.ok()) return refuse(refusal, "a fmt chunk cut short: not read");
    if (format.tag == extensibleFormat) {
        const uint16_t extra = chunk.u16();
        chunk.skip(2 + 4);  // valid bits (the container's are read), the speaker mask
        const uint16_t subFormat = chunk.u16();
        const unsigned char* tail = chunk.take(sizeof extensibleGuidTail);
        if (!chunk.ok() || extra < 22) return refuse(refusal, "an extensible fmt chunk cut short: not read");
        if (std::memcmp(tail, extensibleGuidTail, sizeof extensibleGuidTail) != 0)
            return refuse(refusal, "an extensible format of another kind than PCM or float: not read");
        format.tag = subFormat;
    }
    if (format.tag != pcmFormat && format.tag != floatFormat)
        return refuse(refusal, "neither PCM nor float samples (format " + std::to_string(format.tag) + "): not read");
    const bool bitsRead = format.tag == floatFormat ? format.bits == 32
                                                    : (format.bits == 8 || format.bits == 16 || format.bits == 24 ||
                                                       format.bits == 32);
    if (!bitsRead)
        return refuse(refusal, std::to_string(format.bits) + "-bit " + (format.tag == floatFormat ? "float" : "PCM") +
                                   " samples (PCM of 8, 16, 24 or 32 bits and 32-bit float are read): not read");
    const std::string why = unplayable(format.channels, format.rate);
    return why.empty() || refuse(refusal, why);
}

// One sample as 16 bits: wider integers keep their top 16 bits, 8-bit samples are centred on 128.
int16_t sample16(const unsigned char* p, const Format& format) {
    if (format.tag == floatFormat) {
        const uint32_t bits = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
        float v;
        std::memcpy(&v, &bits, 4);
        return floatSample16(v);
    }
    switch (format.bits) {
        case 8: return int16_t((int(p[0]) - 128) * 256);
        case 16: return int16_t(uint16_t(p[0] | (p[1] << 8)));
        default: return int16_t(uint16_t(p[format.bits / 8 - 2] | (p[format.bits / 8 - 1] << 8)));  // 24, 32
    }
}

void readSamples(const unsigned char* data, size_t size, const Format& format, Sound& sound) {
    const size_t sampleBytes = format.bits / 8;
    const size_t count = size / (size_t(format.channels) * sampleBytes) * format.channels;  // whole frames only
    sound.samples.resize(count);
    for (size_t i = 0; i < count; ++i) sound.samples[i] = sample16(data + i * sampleBytes, format);
}

}  // namespace

bool readWavFromMemory(const unsigned char* data, size_t size, Sound& sound, std::string* refusal) {
    sound = Sound();
    ByteReader in(data, size);
    const unsigned char* riff = in.take(4);
    in.skip(4);  // the RIFF size: the file's own length is what counts (a stream's is the largest)
    const unsigned char* wave = in.take(4);
    if (!riff || !wave) return refuse(refusal, size == 0 ? "an empty file: not read" : "cut short in its header");
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(wave, "WAVE", 4) != 0)
        return refuse(refusal, "not a WAV file (no RIFF WAVE header)");
    Format format;
    bool haveFormat = false;
    while (in.remaining() >= 8) {
        const unsigned char* id = in.take(4);
        const uint32_t declared = in.u32();
        const size_t length = declared < in.remaining() ? declared : in.remaining();
        const unsigned char* body = in.take(length);
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (!readFormat(ByteReader(body, length), format, refusal)) return false;
            haveFormat = true;
        } else if (std::memcmp(id, "data", 4) == 0) {
            if (!haveFormat) return refuse(refusal, "samples before their fmt chunk: not read");
            try {
                readSamples(body, length, format, sound);
            } catch (const std::bad_alloc&) {
                sound = Sound();
                return refuse(refusal, "not enough memory for its samples");
            }
            if (sound.samples.empty()) return refuse(refusal, "a data chunk with no whole frame: nothing to play");
            sound.rate = format.rate;
            sound.channels = format.channels;
            return true;
        }
        if (length % 2 == 1) in.skip(1);  // chunks are padded to an even length
    }
    if (in.remaining() > 0) return refuse(refusal, "cut short in a chunk's header: not read");
    return refuse(refusal, haveFormat ? "no data chunk: not read" : "no fmt chunk: not read");
}

bool loadWav(const char* path, Sound& sound) {
    sound = Sound();
    std::vector<unsigned char> file;
    if (!readWholeFile(path, wavLimits::fileBytes, file)) return false;
    std::string refusal;
    if (readWavFromMemory(file.data(), file.size(), sound, &refusal)) return true;
    reportRefusal(path, refusal + " (the sound stays silent)");
    return false;
}

std::vector<unsigned char> wavHeader(uint32_t rate, int channels, uint64_t dataBytes) {
    const uint32_t data = dataBytes > 0xFFFFFFFFu - 36 ? 0xFFFFFFFFu - 36 : uint32_t(dataBytes);
    const uint32_t frameBytes = uint32_t(channels) * 2;
    std::vector<unsigned char> out(44);
    size_t at = 0;
    const auto text = [&](const char* s) {
        for (int i = 0; i < 4; ++i) out[at++] = static_cast<unsigned char>(s[i]);
    };
    const auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out[at++] = static_cast<unsigned char>(v >> (8 * i));
    };
    const auto u16 = [&](uint32_t v) { put(v, 2); };
    const auto u32 = [&](uint32_t v) { put(v, 4); };
    text("RIFF");
    u32(36 + data);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(pcmFormat);
    u16(uint32_t(channels));
    u32(rate);
    u32(rate * frameBytes);
    u16(frameBytes);
    u16(16);
    text("data");
    u32(data);
    return out;
}

int16_t floatSample16(float v) {
    if (!(v > -1.0f)) return v != v ? 0 : -32767;  // NaN is silence
    if (v >= 1.0f) return 32767;
    return int16_t(std::lround(double(v) * 32767.0));
}

std::string unplayable(int channels, uint32_t rate) {
    if (channels != 1 && channels != 2) return std::to_string(channels) + " channels (1 or 2 are read): not read";
    if (rate < wavLimits::lowestRate || rate > wavLimits::highestRate)
        return "a rate of " + std::to_string(rate) + " Hz (" + std::to_string(wavLimits::lowestRate) + " to " +
               std::to_string(wavLimits::highestRate) + " are played): not read";
    return "";
}
