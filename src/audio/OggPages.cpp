// The page walk: a decoder handed only the pages counted here never meets a page it would have to guess about.
#include "audio/OggPages.h"

#include <array>
#include <cstring>

#include "audio/Refusal.h"
#include "common/ByteReader.h"

namespace {
constexpr uint32_t crcPolynomial = 0x04C11DB7;
constexpr size_t lastSegment = 255;  // a lacing value below this ends its packet

constexpr std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = i << 24;
        for (int bit = 0; bit < 8; ++bit) r = (r << 1) ^ ((r & 0x80000000u) ? crcPolynomial : 0);
        table[i] = r;
    }
    return table;
}
constexpr std::array<uint32_t, 256> crcTable = makeCrcTable();

uint32_t readU32(const unsigned char* p) { return ByteReader(p, 4).u32(); }
}  // namespace

uint32_t oggPageChecksum(const unsigned char* page, size_t size) {
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i) {
        const bool inField = i >= oggPage::checksumAt && i < oggPage::checksumAt + 4;
        crc = (crc << 8) ^ crcTable[((crc >> 24) ^ (inField ? 0u : page[i])) & 0xFF];
    }
    return crc;
}

size_t oggPageLength(const unsigned char* data, size_t size) {
    ByteReader page(data, size);
    const unsigned char* header = page.take(oggPage::headerBytes);
    if (!header || std::memcmp(header, "OggS", 4) != 0 || header[4] != 0) return 0;
    const unsigned char* lacing = page.take(header[26]);
    size_t body = 0;
    for (size_t i = 0; lacing && i < header[26]; ++i) body += lacing[i];
    page.skip(body);
    return page.ok() ? page.position() : 0;
}

namespace {

struct KeptPages {
    uint32_t count = 0;        // pages handed on so far: the next one's sequence number
    size_t lastAt = SIZE_MAX;  // where the last one kept begins in the bytes
};

void writeU32(unsigned char* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

void mendChecksum(unsigned char* page, size_t length) {
    writeU32(page + oggPage::checksumAt, oggPageChecksum(page, length));
}

// Hands a page that counts on to the decoder's bytes: numbered on from the pages kept, and left out when it holds
// no packet (its end of the stream then goes to the page before).
void keepForDecoder(const unsigned char* page, size_t length, std::vector<unsigned char>& bytes, KeptPages& kept) {
    if (page[26] == 0 && kept.count > 0) {
        if (page[5] & oggPage::lastOfStream) {
            unsigned char* last = bytes.data() + kept.lastAt;
            last[5] |= oggPage::lastOfStream;
            mendChecksum(last, bytes.size() - kept.lastAt);
        }
        return;
    }
    kept.lastAt = bytes.size();
    bytes.insert(bytes.end(), page, page + length);
    unsigned char* copy = bytes.data() + kept.lastAt;
    writeU32(copy + 18, kept.count++);
    mendChecksum(copy, length);
}

}  // namespace

bool readOggPages(const unsigned char* data, size_t size, size_t wanted, OggStream& stream, std::string* refusal) {
    stream = OggStream();
    uint32_t serial = 0, nextSequence = 0;
    bool packetOpen = false;  // the last page left a packet to be continued
    std::vector<unsigned char> packet;
    KeptPages kept;
    while (stream.length < size) {
        const unsigned char* page = data + stream.length;
        const size_t length = oggPageLength(page, size - stream.length);
        const std::string where = " at byte " + std::to_string(stream.length);
        if (length == 0) {
            stream.stop = "no whole Ogg page" + where;
            break;
        }
        if (oggPageChecksum(page, length) != readU32(page + oggPage::checksumAt)) {
            stream.stop = "a damaged Ogg page" + where + " (its checksum is wrong)";
            break;
        }
        const uint8_t flags = page[5];
        const uint32_t pageSerial = readU32(page + 14), sequence = readU32(page + 18);
        if (stream.pages == 0) {
            if (!(flags & oggPage::firstOfStream)) {
                stream.stop = "its first page does not begin a stream";
                break;
            }
            serial = pageSerial;
            stream.firstPageSegments = page[26];
        } else if ((flags & oggPage::firstOfStream) || pageSerial != serial) {
            stream.stop = "a second logical stream" + where;
            break;
        } else if (sequence != nextSequence) {
            stream.stop = "a page missing" + where;
            break;
        }
        if (bool(flags & oggPage::continued) != packetOpen) {
            stream.stop = "a page" + where + " that does not go on from the one before";
            break;
        }
        const unsigned char* lacing = page + oggPage::headerBytes;
        const unsigned char* body = lacing + page[26];
        for (size_t i = 0; i < page[26]; ++i) {
            if (stream.packets.size() < wanted) packet.insert(packet.end(), body, body + lacing[i]);
            body += lacing[i];
            packetOpen = lacing[i] == lastSegment;
            if (!packetOpen && stream.packets.size() < wanted) stream.packets.push_back(std::move(packet));
            if (!packetOpen) packet.clear();
        }
        nextSequence = sequence + 1;
        keepForDecoder(page, length, stream.decoderBytes, kept);
        stream.length += length;
        ++stream.pages;
        if (flags & oggPage::lastOfStream) break;
    }
    return stream.pages > 0 || refuse(refusal, "not an Ogg file (" + stream.stop + ")");
}
