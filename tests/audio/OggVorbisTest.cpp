// The Ogg Vorbis reader on files sox wrote and on those files damaged where decoders have given way before:
// headers that claim more than they hold, codebooks too large to count, pages cut, broken or chained; and on
// setups of our own making at the edges of the header check's rules. Each damage to a header is refused in
// one line; damage after the headers ends the sound where it begins.
#include <gtest/gtest.h>

#include <algorithm>
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

// The file with pages that hold no packet, which the format allows: one after the headers, and one at the end
// that ends the stream in place of the last audio page. Pages numbered on, checksums made right.
Bytes withEmptyPages(const Bytes& file) {
    const std::vector<size_t> starts = pageStarts(file);
    const size_t last = starts.back();
    const auto emptyAfter = [&file](size_t page, uint8_t flags) {
        Bytes empty(file.begin() + long(page), file.begin() + long(page + oggPage::headerBytes));
        empty[5] = flags;
        empty[26] = 0;
        return empty;
    };
    Bytes out(file.begin(), file.begin() + long(starts[2]));
    const Bytes afterHeaders = emptyAfter(starts[1], 0), atEnd = emptyAfter(last, oggPage::lastOfStream);
    out.insert(out.end(), afterHeaders.begin(), afterHeaders.end());
    out.insert(out.end(), file.begin() + long(starts[2]), file.end());
    out[starts[2] + afterHeaders.size() + (last - starts[2]) + 5] &= uint8_t(~oggPage::lastOfStream);
    out.insert(out.end(), atEnd.begin(), atEnd.end());
    uint32_t sequence = 0;
    for (size_t page : pageStarts(out)) put32(out, page + 18, sequence++);
    return mended(out);
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

// A Vorbis stream of our own making, bit by bit: the smallest setup the format allows (one codebook, one floor
// of no partitions, one residue, one mapping, one mode), with one field at a time changed to what the header
// check must refuse or take. It holds no audio packet, so a stream the checks and the decoder take has nothing
// to play.
class BitWriter {
   public:
    BitWriter& put(uint64_t value, int bits) {
        for (int i = 0; i < bits; ++i, ++position_) {
            if (position_ % 8 == 0) bytes_.push_back(0);
            bytes_.back() |= static_cast<unsigned char>(((value >> i) & 1) << (position_ % 8));
        }
        return *this;
    }
    Bytes bytes() const { return bytes_; }

   private:
    Bytes bytes_;
    int position_ = 0;
};

struct SetupShape {
    bool orderedBook = false;  // the codebook's lengths as runs: 30 lengths of 1 to 30, then one of 31 or more
    int lastLength = 31;       // the ordered book's last length
    uint32_t entries = 2;      // the codebook's entries (all of one bit but with their lengths told one by one)
    int floorType = 1;
    int floorPoints = 2;  // 2 and as many more as the floor's one class holds, up to 2 + 31 * 8
    bool coupleToItself = false;
    int modeMapping = 0;
};

Bytes header(unsigned char type, Bytes fields) {
    Bytes packet = {type, 'v', 'o', 'r', 'b', 'i', 's'};
    packet.insert(packet.end(), fields.begin(), fields.end());
    return packet;
}

Bytes setupPacket(const SetupShape& shape) {
    BitWriter w;
    w.put(0, 8);  // one codebook
    w.put(0x564342, 24).put(1, 16).put(shape.entries, 24);
    if (shape.orderedBook) {
        w.put(1, 1).put(0, 5);  // ordered, starting at length 1
        uint32_t entry = 0;
        for (int length = 1; length <= shape.lastLength; ++length) {
            const uint32_t run = length == shape.lastLength ? shape.entries - entry : 1;
            int bits = 0;
            for (uint32_t v = shape.entries - entry; v; v >>= 1) ++bits;
            w.put(run, bits);
            entry += run;
        }
    } else {
        w.put(0, 1).put(0, 1);                                                  // not ordered, not sparse
        for (uint32_t e = 0; e < shape.entries; ++e) w.put(e < 2 ? 0 : 30, 5);  // two of one bit
    }
    w.put(0, 4);             // no lookup
    w.put(0, 6).put(0, 16);  // one time-domain transform, zero
    w.put(0, 6).put(uint32_t(shape.floorType), 16);
    if (shape.floorType == 1) {
        const int extra = shape.floorPoints - 2, partitions = (extra + 7) / 8;
        w.put(uint32_t(partitions), 5);
        for (int p = 0; p < partitions; ++p) w.put(0, 4);     // all of class 0
        if (partitions > 0) w.put(7, 3).put(0, 2).put(0, 8);  // class 0: 8 points, no subclasses, no book
        w.put(0, 2).put(10, 4);                               // multiplier 1, ten bits of range
        for (int x = 0; x < partitions * 8; ++x) w.put(uint32_t(x < extra ? 2 + x : 2 + x % extra), 10);
    } else {
        w.put(8, 8).put(0, 16).put(0, 16).put(0, 6).put(0, 8).put(0, 4).put(0, 8);  // floor 0's fields
    }
    w.put(0, 6).put(0, 16).put(0, 24).put(64, 24).put(15, 24).put(0, 6).put(0, 8).put(0, 3).put(0, 1);  // residue 0
    w.put(0, 6).put(0, 16).put(0, 1);  // one mapping, one submap
    w.put(shape.coupleToItself ? 1 : 0, 1);
    if (shape.coupleToItself) w.put(0, 8).put(0, 1).put(0, 1);  // channel 0 against channel 0
    w.put(0, 2).put(0, 8).put(0, 8).put(0, 8);
    w.put(0, 6).put(0, 1).put(0, 16).put(0, 16).put(uint32_t(shape.modeMapping), 8);  // one mode
    w.put(1, 1);                                                                      // framed
    return header(5, w.bytes());
}

// Pages: the identification header alone on the first, the comments and the setup on the second, which ends
// the stream.
Bytes vorbisStream(const SetupShape& shape) {
    const Bytes id = header(1, {0, 0, 0, 0, 2, 0x44, 0xAC, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xB8, 1});
    const Bytes comments = header(3, {0, 0, 0, 0, 0, 0, 0, 0, 1});
    Bytes file;
    auto page = [&](const std::vector<Bytes>& packets, uint8_t flags, uint32_t sequence) {
        Bytes lacing, body;
        for (const Bytes& p : packets) {
            for (size_t left = p.size();; left -= 255) {
                lacing.push_back(static_cast<unsigned char>(std::min<size_t>(left, 255)));
                if (left < 255) break;
            }
            body.insert(body.end(), p.begin(), p.end());
        }
        Bytes out = {'O', 'g', 'g', 'S', 0, flags, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0};
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(sequence >> (8 * i)));
        out.insert(out.end(), {0, 0, 0, 0, static_cast<unsigned char>(lacing.size())});
        out.insert(out.end(), lacing.begin(), lacing.end());
        out.insert(out.end(), body.begin(), body.end());
        put32(out, oggPage::checksumAt, oggPageChecksum(out.data(), out.size()));
        file.insert(file.end(), out.begin(), out.end());
    };
    page({id}, oggPage::firstOfStream, 0);
    page({comments, setupPacket(shape)}, oggPage::lastOfStream, 1);
    return file;
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
        {"pages that hold no packet after its headers and at its end", withEmptyPages(stereo), nullptr, wholeFrames,
         wholeFrames},
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
        // Streams of our own making: the first two pass every check and the decoder's setup, then have no audio.
        {"the smallest setup", vorbisStream({}), "no samples it can decode", 0, 0},
        {"an ordered codebook out to 31 bits", vorbisStream({true, 31, 32}), "no samples it can decode", 0, 0},
        {"an ordered codebook out to 32 bits", vorbisStream({true, 32, 32}), "a codeword longer than 31 bits", 0, 0},
        {"a codebook whose tables pass the decoder's memory", vorbisStream({true, 31, 1u << 22}),
         "need more than the 32 MiB", 0, 0},
        {"floor type 0", vorbisStream({false, 31, 2, 0}), "floor type 0 (an early encoder's): not read", 0, 0},
        {"a floor of 66 points", vorbisStream({false, 31, 2, 1, 66}), "a floor of more than 65 points", 0, 0},
        {"a channel coupled to itself", vorbisStream({false, 31, 2, 1, 2, true}), "a coupling step out of range", 0, 0},
        {"a mode naming a mapping not there", vorbisStream({false, 31, 2, 1, 2, false, 1}), "a mode out of range", 0,
         0},
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
