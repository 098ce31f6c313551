// The header check: the Vorbis I layout of the three headers, field by field, with the decoder's own size of
// each table added up as it goes (rounded up and padded, so the sum is never short of what it takes).
#include "audio/VorbisHeaders.h"

#include <algorithm>
#include <cstring>

#include "audio/Refusal.h"
#include "common/ByteReader.h"

namespace {
constexpr unsigned char identificationType = 1, commentType = 3, setupType = 5;
constexpr size_t identificationBytes = 30;
constexpr int smallestBlockLog = 6, largestBlockLog = 13;  // blocks of 64 to 8,192 samples
constexpr int longestCode = 31;                            // codeword lengths the decoder takes
constexpr uint32_t codebookSync = 0x564342;                // "BCV", read low byte first
constexpr int floor1 = 1, largestResidueType = 2;
constexpr int lookupNone = 0, lookupLattice = 1, lookupTable = 2;

// What the decoder takes per table beyond its entries: a codebook's fast lookup (2 KiB), a floor's points and
// their order, a residue's books, each block size's windows and twiddles, and rounding on every block it takes.
constexpr uint64_t perCodebook = 4096, perFloor = 2048, perResidue = 256, perMapping = 128, perBlock = 16;

// Vorbis packs its setup low bit first.
class BitReader {
   public:
    explicit BitReader(const std::vector<unsigned char>& bytes)
        : data_(bytes.data()), bits_(uint64_t(bytes.size()) * 8) {}

    bool ok() const { return ok_; }
    uint32_t bits(int n) {
        if (!ok_ || uint64_t(n) > bits_ - position_) {
            ok_ = false;
            return 0;
        }
        uint32_t value = 0;
        for (int i = 0; i < n;) {
            const uint64_t at = position_ + uint64_t(i);
            const int shift = int(at & 7), take = std::min(8 - shift, n - i);
            value |= uint32_t((data_[at >> 3] >> shift) & ((1u << take) - 1)) << i;
            i += take;
        }
        position_ += uint64_t(n);
        return value;
    }
    bool flag() { return bits(1) != 0; }
    void skip(uint64_t n) {
        if (!ok_ || n > bits_ - position_)
            ok_ = false;
        else
            position_ += n;
    }

   private:
    const unsigned char* data_;
    uint64_t bits_, position_ = 0;
    bool ok_ = true;
};

int ilog(uint32_t v) {
    int bits = 0;
    for (; v; v >>= 1) ++bits;
    return bits;
}

// The largest r with r^dimensions <= entries: the values along each axis of a lattice codebook.
uint64_t latticeValues(uint64_t entries, uint64_t dimensions) {
    auto fits = [&](uint64_t r) {
        uint64_t power = 1;
        for (uint64_t d = 0; d < dimensions; ++d)
            if ((power *= r) > entries) return false;
        return true;
    };
    if (dimensions == 1) return entries;
    uint64_t low = 0, high = 1u << 12;  // entries < 2^24 and two dimensions at least: r < 2^12
    while (low < high) {
        const uint64_t mid = (low + high + 1) / 2;
        if (fits(mid))
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

uint64_t rounded(uint64_t bytes) { return (bytes + 7) / 8 * 8 + perBlock; }

bool isHeader(ByteReader& packet, unsigned char type) {
    const unsigned char* head = packet.take(7);
    return head && head[0] == type && std::memcmp(head + 1, "vorbis", 6) == 0;
}

class SetupCheck {
   public:
    SetupCheck(const std::vector<unsigned char>& packet, int channels) : bits_(packet), channels_(channels) {}

    // Reads the setup after its packet type and "vorbis"; the bytes its tables take land in bytes.
    bool run(uint64_t& bytes, std::string& why) {
        bits_.skip(7 * 8);
        return codebooks(bytes, why) && timeDomain(why) && floors(bytes, why) && residues(bytes, why) &&
               mappings(bytes, why) && modes(why) && framed(why);
    }
    int longestFloor() const { return longestFloor_; }
    uint64_t smallestPartition() const { return smallestPartition_; }

   private:
    struct Book {
        uint32_t entries, dimensions;
    };

    bool fail(std::string& why, const std::string& what) {
        why = bits_.ok() ? what : "cut short in its setup header";
        return false;
    }

    bool codebooks(uint64_t& bytes, std::string& why) {
        const uint32_t count = bits_.bits(8) + 1;
        bytes += rounded(count * perCodebook);
        for (uint32_t b = 0; b < count; ++b) {
            const std::string which = "codebook " + std::to_string(b);
            if (bits_.bits(24) != codebookSync) return fail(why, which + " lacks its sync pattern");
            const uint32_t dimensions = bits_.bits(16), entries = bits_.bits(24);
            if (dimensions == 0 || entries == 0) return fail(why, which + " is empty");
            if (uint64_t(entries) * dimensions > vorbisLimits::codebookValues)
                return fail(why, which + " has " + std::to_string(uint64_t(entries) * dimensions) +
                                     " values (at most " + std::to_string(vorbisLimits::codebookValues) + ")");
            if (!lengths(entries)) return fail(why, which + " has a codeword longer than 31 bits or too many");
            // lengths, codewords, the sorted codewords and their values, and the scratch space the sort takes
            bytes += rounded(entries) * 2 + rounded(uint64_t(entries) * 4) * 4;
            const uint32_t lookup = bits_.bits(4);
            if (lookup > lookupTable) return fail(why, which + " has an unknown lookup type");
            if (lookup != lookupNone) {
                bits_.skip(32 + 32);  // minimum and delta
                const int valueBits = int(bits_.bits(4)) + 1;
                bits_.skip(1);  // sequence
                const uint64_t values =
                    lookup == lookupLattice ? latticeValues(entries, dimensions) : uint64_t(entries) * dimensions;
                if (values == 0) return fail(why, which + " has no values");
                bits_.skip(values * uint64_t(valueBits));
                // the values as read, then as floats: a lattice book is spread out to every entry's vector
                bytes += rounded(values * 2) + rounded(uint64_t(entries) * dimensions * 4) + rounded(values * 4);
            }
            if (!bits_.ok()) return fail(why, "");
            books_.push_back({entries, dimensions});
        }
        return true;
    }

    bool lengths(uint32_t entries) {
        if (bits_.flag()) {  // ordered: runs of entries, each run one bit longer than the last
            uint32_t entry = 0;
            for (int length = int(bits_.bits(5)) + 1; entry < entries && bits_.ok(); ++length) {
                const uint32_t run = bits_.bits(ilog(entries - entry));
                if (length > longestCode || run > entries - entry) return false;
                entry += run;
            }
            return bits_.ok();
        }
        const bool sparse = bits_.flag();
        for (uint32_t e = 0; e < entries && bits_.ok(); ++e)
            if ((!sparse || bits_.flag()) && bits_.bits(5) + 1 > uint32_t(longestCode)) return false;
        return bits_.ok();
    }

    bool timeDomain(std::string& why) {
        const uint32_t count = bits_.bits(6) + 1;
        for (uint32_t i = 0; i < count; ++i)
            if (bits_.bits(16) != 0) return fail(why, "a time-domain transform that is not zero");
        return bits_.ok() || fail(why, "");
    }

    bool book(uint32_t index) const { return index < books_.size(); }

    bool floors(uint64_t& bytes, std::string& why) {
        floorCount_ = bits_.bits(6) + 1;
        bytes += rounded(floorCount_ * perFloor);
        for (uint32_t f = 0; f < floorCount_; ++f) {
            const uint32_t type = bits_.bits(16);
            if (type == 0 && bits_.ok()) return fail(why, "floor type 0 (an early encoder's): not read");
            if (type != floor1) return fail(why, "an unknown floor type");
            const uint32_t partitions = bits_.bits(5);
            uint32_t classOf[32] = {}, largestClass = 0;
            for (uint32_t p = 0; p < partitions; ++p) largestClass = std::max(largestClass, classOf[p] = bits_.bits(4));
            uint32_t classDimensions[16] = {};
            for (uint32_t c = 0; c <= largestClass && partitions > 0; ++c) {
                classDimensions[c] = bits_.bits(3) + 1;
                const uint32_t subclasses = bits_.bits(2);
                if (subclasses && !book(bits_.bits(8))) return fail(why, "a floor's book out of range");
                for (uint32_t s = 0; s < (1u << subclasses); ++s) {
                    const uint32_t index = bits_.bits(8);
                    if (index != 0 && !book(index - 1)) return fail(why, "a floor's book out of range");
                }
            }
            bits_.skip(2);  // multiplier
            const int rangeBits = int(bits_.bits(4));
            std::vector<uint32_t> xs = {0, 1u << rangeBits};
            for (uint32_t p = 0; p < partitions; ++p)
                for (uint32_t d = 0; d < classDimensions[classOf[p]]; ++d) xs.push_back(bits_.bits(rangeBits));
            if (!bits_.ok()) return fail(why, "");
            if (xs.size() > size_t(vorbisLimits::floorValues)) return fail(why, "a floor of more than 65 points");
            std::sort(xs.begin(), xs.end());
            if (std::adjacent_find(xs.begin(), xs.end()) != xs.end()) return fail(why, "a floor with a point twice");
            longestFloor_ = std::max(longestFloor_, int(xs.size()));
        }
        return true;
    }

    bool residues(uint64_t& bytes, std::string& why) {
        residueCount_ = bits_.bits(6) + 1;
        bytes += rounded(residueCount_ * perResidue);
        for (uint32_t r = 0; r < residueCount_; ++r) {
            if (bits_.bits(16) > uint32_t(largestResidueType)) return fail(why, "an unknown residue type");
            const uint32_t begin = bits_.bits(24), end = bits_.bits(24);
            const uint32_t partition = bits_.bits(24) + 1, classifications = bits_.bits(6) + 1;
            const uint32_t classbook = bits_.bits(8);
            if (bits_.ok() && (end < begin || !book(classbook))) return fail(why, "a residue out of range");
            uint32_t cascade[64] = {};
            for (uint32_t c = 0; c < classifications; ++c) {
                const uint32_t low = bits_.bits(3);
                cascade[c] = (bits_.flag() ? bits_.bits(5) << 3 : 0) | low;
            }
            for (uint32_t c = 0; c < classifications; ++c)
                for (int pass = 0; pass < 8; ++pass)
                    if (((cascade[c] >> pass) & 1) && !book(bits_.bits(8)) && bits_.ok())
                        return fail(why, "a residue's book out of range");
            if (!bits_.ok()) return fail(why, "");
            // each entry of the class book spelt out as its classes
            const Book& classes = books_[classbook];
            bytes += rounded(classifications * 16) + rounded(uint64_t(classes.entries) * 8) +
                     uint64_t(classes.entries) * rounded(classes.dimensions);
            smallestPartition_ = std::min<uint64_t>(smallestPartition_, partition);
        }
        return true;
    }

    bool mappings(uint64_t& bytes, std::string& why) {
        mappingCount_ = bits_.bits(6) + 1;
        bytes += rounded(mappingCount_ * (perMapping + uint64_t(channels_) * 4));
        const int channelBits = ilog(uint32_t(channels_ - 1));
        for (uint32_t m = 0; m < mappingCount_; ++m) {
            if (bits_.bits(16) != 0) return fail(why, "an unknown mapping type");
            const uint32_t submaps = bits_.flag() ? bits_.bits(4) + 1 : 1;
            if (bits_.flag()) {
                const uint32_t steps = bits_.bits(8) + 1;
                if (steps > uint32_t(channels_) && bits_.ok()) return fail(why, "more coupling steps than channels");
                for (uint32_t s = 0; s < steps; ++s) {
                    const uint32_t magnitude = bits_.bits(channelBits), angle = bits_.bits(channelBits);
                    if (bits_.ok() &&
                        (magnitude >= uint32_t(channels_) || angle >= uint32_t(channels_) || magnitude == angle))
                        return fail(why, "a coupling step out of range");
                }
            }
            if (bits_.bits(2) != 0) return fail(why, "a mapping's reserved bits set");
            for (int c = 0; submaps > 1 && c < channels_; ++c)
                if (bits_.bits(4) >= submaps && bits_.ok()) return fail(why, "a channel on a submap out of range");
            for (uint32_t s = 0; s < submaps; ++s) {
                bits_.skip(8);
                const uint32_t floor = bits_.bits(8), residue = bits_.bits(8);
                if (bits_.ok() && (floor >= floorCount_ || residue >= residueCount_))
                    return fail(why, "a submap out of range");
            }
        }
        return bits_.ok() || fail(why, "");
    }

    bool modes(std::string& why) {
        const uint32_t count = bits_.bits(6) + 1;
        for (uint32_t m = 0; m < count; ++m) {
            bits_.skip(1);  // block flag
            const uint32_t window = bits_.bits(16), transform = bits_.bits(16), mapping = bits_.bits(8);
            if (bits_.ok() && (window != 0 || transform != 0 || mapping >= mappingCount_))
                return fail(why, "a mode out of range");
        }
        return bits_.ok() || fail(why, "");
    }

    bool framed(std::string& why) { return bits_.flag() || fail(why, "its setup header not framed"); }

    BitReader bits_;
    int channels_;
    std::vector<Book> books_;
    uint32_t floorCount_ = 0, residueCount_ = 0, mappingCount_ = 0;
    int longestFloor_ = 2;
    uint64_t smallestPartition_ = UINT32_MAX;
};
}  // namespace

bool checkVorbisHeaders(const std::vector<std::vector<unsigned char>>& packets, VorbisFacts& facts,
                        std::string* refusal) {
    facts = VorbisFacts();
    if (packets.size() < 3) return refuse(refusal, "cut short in its headers");

    ByteReader id(packets[0].data(), packets[0].size());
    if (packets[0].size() != identificationBytes || !isHeader(id, identificationType))
        return refuse(refusal, "not Vorbis (no Vorbis identification header on its first page)");
    const uint32_t version = id.u32();
    facts.channels = id.u8();
    facts.rate = id.u32();
    id.skip(3 * 4);  // bit rates
    const int blocks = id.u8(), shortLog = blocks & 15, longLog = blocks >> 4;
    if (version != 0 || facts.channels == 0 || facts.rate == 0 || shortLog < smallestBlockLog ||
        longLog > largestBlockLog || shortLog > longLog || !(id.u8() & 1))
        return refuse(refusal, "a damaged Vorbis identification header");

    ByteReader comments(packets[1].data(), packets[1].size());
    if (!isHeader(comments, commentType)) return refuse(refusal, "no Vorbis comment header after the first");
    const uint32_t vendor = comments.u32();
    comments.skip(vendor);
    const uint32_t count = comments.u32();
    uint64_t bytes = rounded(vendor + 1ull) + rounded(uint64_t(count) * 8);
    for (uint32_t c = 0; c < count && comments.ok(); ++c) {
        const uint32_t length = comments.u32();
        comments.skip(length);
        bytes += rounded(length + 1ull);
    }
    if (!(comments.u8() & 1) || !comments.ok()) return refuse(refusal, "a damaged Vorbis comment header");

    ByteReader setupHead(packets[2].data(), packets[2].size());
    if (!isHeader(setupHead, setupType)) return refuse(refusal, "no Vorbis setup header after the comments");
    SetupCheck setup(packets[2], facts.channels);
    std::string why;
    if (!setup.run(bytes, why)) return refuse(refusal, "a Vorbis setup header it cannot read: " + why);

    // Per channel: the long block's samples, the half of it kept for the next, the floor's points. Per block
    // size: its windows and twiddles. Scratch: half a long block, or each channel's classes of a block.
    const uint64_t longBlock = 1u << longLog, shortBlock = 1u << shortLog, channels = uint64_t(facts.channels);
    bytes += channels * (rounded(longBlock * 4) + rounded(longBlock * 2) + rounded(uint64_t(setup.longestFloor()) * 2));
    bytes += 8 * (rounded(shortBlock * 4) + rounded(longBlock * 4));
    bytes += std::max(longBlock * 2, channels * (8 + (longBlock / 2 / setup.smallestPartition() + 1) * 8)) + perBlock;
    facts.decoderBytes = bytes;
    return true;
}
