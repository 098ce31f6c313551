// The Ogg Vorbis reader on files sox wrote and on those files damaged where decoders have given way before:
// headers that claim more than they hold, codebooks too large to count, pages cut, broken or chained. Each
// damage to a header is refused in one line; damage after the headers ends the sound where it begins.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/OggPages.h"
#include "audio/OggVorbis.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes corpusFile(const char* name) {
    std::ifstream in(std::string(VANTURO_SOURCE_DIR) + "/fuzz/corpus/ogg/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Where each page starts.
std::vector<size_t> pageStarts(const Bytes& file) {
    std::vector<size_t> starts;
    for (size_t at = 0, length; (length = oggPageLength(file.data() + at, file.size() - at)) != 0; at += length)
        starts.push_back(at);
    return starts;
}

size_t bodyOf(const Bytes& file, size_t page) { return page + oggPage::headerBytes + file[page + 26]; }

void put32(Bytes& file, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + size_t(i)] = static_cast<unsigned char>(value >> (8 * i));
}

// Every page's checksum made right again after an edit, as a crafted file would have it.
Bytes mended(Bytes file) {
    for (size_t page : pageStarts(file)) {
        const size_t length = oggPageLength(file.data() + page, file.size() - page);
        put32(file, page + oggPage::checksumAt, oggPageChecksum(file.data() + page, length));
    }
    return file;
}

// The file with the identification header's field at `offset` (channels 11, rate 12) set to value.
Bytes withIdentification(Bytes file, size_t offset, uint32_t value, size_t bytes) {
    const size_t at = bodyOf(file, 0) + offset;
    for (size_t i = 0; i < bytes; ++i) file[at + i] = static_cast<unsigned char>(value >> (8 * i));
    return mended(file);
}

// The comment header (first on the second page): its vendor's length, or its count of comments, set to value.
Bytes withComments(Bytes file, bool vendor, uint32_t value) {
    const size_t body = bodyOf(file, pageStarts(file)[1]);
    const uint32_t vendorLength = uint32_t(file[body + 7]) | uint32_t(file[body + 8]) << 8;
    put32(file, vendor ? body + 7 : body + 11 + vendorLength, value);
    return mended(file);
}

// The first codebook of the setup header (after the comment header on the second page) made as large as its
// fields can say: 65,535 dimensions of 16,777,215 entries.
Bytes withHugeCodebook(Bytes file) {
    const size_t page = pageStarts(file)[1], segments = file[page + 26];
    size_t setup = bodyOf(file, page);
    for (size_t s = 0; s < segments; ++s) {
        setup += file[page + oggPage::headerBytes + s];
        if (file[page + oggPage::headerBytes + s] < 255) break;
    }
    for (size_t i = 11; i < 16; ++i) file[setup + i] = 0xFF;
    return mended(file);
}

size_t framesOf(const Bytes& file, std::string* refusal = nullptr) {
    Sound sound;
    return readOggFromMemory(file.data(), file.size(), sound, refusal) ? sound.frames() : 0;
}

}  // namespace

TEST(OggVorbis, ReadsWhatSoxWritesAndRefusesDamagedHeadersInOneLine) {
    const Bytes stereo = corpusFile("rich.ogg"), mono = corpusFile("tone.ogg");
    const std::vector<size_t> pages = pageStarts(stereo);
    ASSERT_GE(pages.size(), 5u);
    const size_t wholeFrames = framesOf(stereo);
    ASSERT_EQ(wholeFrames, 13230u);  // 0.3 s at 44.1 kHz, trimmed to the last page's position

    Bytes badChecksum = stereo;
    badChecksum[40] ^= 1;
    Bytes chained = stereo;
    chained.insert(chained.end(), stereo.begin(), stereo.end());
    Bytes brokenAudio = stereo;
    brokenAudio[pages[3] + 100] ^= 0x40;

    const struct {
        const char* name;
        Bytes bytes;
        const char* refusal;  // null: read
        size_t fewestFrames, mostFrames;
    } cases[] = {
        {"mono", mono, nullptr, 8820, 8820},
        {"a second stream chained after it: the first plays", chained, nullptr, wholeFrames, wholeFrames},
        {"a damaged page among the audio: up to it", brokenAudio, nullptr, 1, wholeFrames - 1},
        {"cut among the audio: up to the cut", Bytes(stereo.begin(), stereo.begin() + long(pages[4]) + 50), nullptr, 1,
         wholeFrames - 1},
        {"not Ogg", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not an Ogg file (no whole Ogg page", 0, 0},
        {"its first page damaged", badChecksum, "not an Ogg file (a damaged Ogg page at byte 0", 0, 0},
        {"cut in its headers", Bytes(stereo.begin(), stereo.begin() + long(pages[1]) + 200),
         "cut short in its Vorbis headers (no whole Ogg page at byte 58)", 0, 0},
        {"a vendor longer than its header", withComments(stereo, true, 0xFFFFFFFF), "a damaged Vorbis comment header",
         0, 0},
        {"more comments than it holds", withComments(stereo, false, 0x7FFFFFFF), "a damaged Vorbis comment header", 0,
         0},
        {"a codebook too large to count", withHugeCodebook(stereo),
         "codebook 0 has 1099494785025 values (at most 4194304)", 0, 0},
        {"three channels", withIdentification(mono, 11, 3, 1), "3 channels (1 or 2 are read)", 0, 0},
        {"a rate of 1000", withIdentification(mono, 12, 1000, 4), "a rate of 1000 Hz", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string refusal;
        const size_t frames = framesOf(c.bytes, &refusal);
        if (c.refusal) {
            EXPECT_EQ(frames, 0u);
            EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
            EXPECT_EQ(refusal.find('\n'), std::string::npos);
        } else {
            EXPECT_GE(frames, c.fewestFrames) << refusal;
            EXPECT_LE(frames, c.mostFrames);
        }
    }
}
