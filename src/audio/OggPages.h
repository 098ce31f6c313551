// OggPages: an Ogg file's pages walked and checked before any decoder sees them, and its first packets
// gathered whole. A page counts when it is whole, its checksum is right, it belongs to the stream the first
// page began and it follows the page before it; the stream ends at its last page or at the first page that
// does not count (a cut-off copy, damage, a second stream chained after the first).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct OggStream {
    size_t length = 0;                                // bytes from the file's start that hold pages that count
    size_t pages = 0;                                 // how many pages that is
    size_t firstPageSegments = 0;                     // the lacing values of the first page
    std::vector<std::vector<unsigned char>> packets;  // the first packets asked for, each whole
    std::string stop;  // why the walk ended before the file did, empty when it reached a last page or the end
    // The pages that count as a decoder is to have them: a page that holds no packet (the format allows it, a
    // decoder may stumble on it) is left out, the pages after it numbered on and their checksums made again.
    std::vector<unsigned char> decoderBytes;
};

// Walks the pages of the Ogg file in data, gathering its first `wanted` packets. False, with one line saying
// why in refusal, when the file does not begin with an Ogg page that begins a stream.
bool readOggPages(const unsigned char* data, size_t size, size_t wanted, OggStream& stream, std::string* refusal);

// The length of the Ogg page at data (its header, lacing values and body), or 0 when no whole page with the
// capture pattern and version 0 starts there.
size_t oggPageLength(const unsigned char* data, size_t size);

// The checksum an Ogg page must carry: CRC-32 (polynomial 0x04C11DB7, not reflected, starting at zero) over
// the whole page with its own checksum field read as zero.
uint32_t oggPageChecksum(const unsigned char* page, size_t size);

namespace oggPage {
constexpr size_t headerBytes = 27;    // "OggS", version, flags, granule, serial, sequence, checksum, segments
constexpr size_t checksumAt = 22;     // where the page's checksum sits in its header
constexpr uint8_t continued = 1;      // flag: the page goes on with the packet the page before left open
constexpr uint8_t firstOfStream = 2;  // flag: the page begins a logical stream
constexpr uint8_t lastOfStream = 4;   // flag: the page ends it
}  // namespace oggPage
