// The range coder's arithmetic: a 32-bit range narrowed by each bit's odds and renormalised a byte at a time,
// with the carry kept back in a cached byte until it is known.
#include "common/RangeCoder.h"

namespace {
constexpr int oddsBits = 11;
constexpr uint32_t oddsOne = 1u << oddsBits;
constexpr int adaptShift = 5;  // how quickly odds follow the bits: a 32nd of the way each time
constexpr uint32_t topOfRange = 1u << 24;
}  // namespace

void RangeEncoder::bit(BitOdds& odds, unsigned bit) {
    const uint32_t bound = (range_ >> oddsBits) * odds.zero;
    if (bit == 0) {
        range_ = bound;
        odds.zero = uint16_t(odds.zero + ((oddsOne - odds.zero) >> adaptShift));
    } else {
        low_ += bound;
        range_ -= bound;
        odds.zero = uint16_t(odds.zero - (odds.zero >> adaptShift));
    }
    while (range_ < topOfRange) {
        range_ <<= 8;
        shiftLow();
    }
}

void RangeEncoder::plainBits(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        range_ >>= 1;
        if ((value >> i) & 1u) low_ += range_;
        while (range_ < topOfRange) {
            range_ <<= 8;
            shiftLow();
        }
    }
}

void RangeEncoder::shiftLow() {
    // A byte leaves once no carry can reach it; a run of 0xFF waits in cacheSize_ until the carry is known.
    if (uint32_t(low_) < 0xFF000000u || (low_ >> 32) != 0) {
        const unsigned char carry = static_cast<unsigned char>(low_ >> 32);
        unsigned char pending = cache_;
        do {
            out_.push_back(static_cast<unsigned char>(pending + carry));
            pending = 0xFF;
        } while (--cacheSize_ != 0);
        cache_ = static_cast<unsigned char>(uint32_t(low_) >> 24);
    }
    ++cacheSize_;
    low_ = (low_ & 0x00FFFFFFu) << 8;
}

std::vector<unsigned char> RangeEncoder::finish() {
    for (int i = 0; i < 5; ++i) shiftLow();
    return std::move(out_);
}

RangeDecoder::RangeDecoder(const unsigned char* data, size_t size) : data_(data), size_(size) {
    for (int i = 0; i < 5; ++i) code_ = (code_ << 8) | nextByte();
}

unsigned char RangeDecoder::nextByte() {
    if (pos_ < size_) return data_[pos_++];
    ++overrun_;
    return 0;
}

void RangeDecoder::normalise() {
    while (range_ < topOfRange) {
        range_ <<= 8;
        code_ = (code_ << 8) | nextByte();
    }
}

unsigned RangeDecoder::bit(BitOdds& odds) {
    const uint32_t bound = (range_ >> oddsBits) * odds.zero;
    unsigned bit;
    if (code_ < bound) {
        range_ = bound;
        odds.zero = uint16_t(odds.zero + ((oddsOne - odds.zero) >> adaptShift));
        bit = 0;
    } else {
        code_ -= bound;
        range_ -= bound;
        odds.zero = uint16_t(odds.zero - (odds.zero >> adaptShift));
        bit = 1;
    }
    normalise();
    return bit;
}

uint32_t RangeDecoder::plainBits(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        range_ >>= 1;
        unsigned bit = 0;
        if (code_ >= range_) {
            code_ -= range_;
            bit = 1;
        }
        value = (value << 1) | bit;
        normalise();
    }
    return value;
}

namespace {
constexpr int adaptiveLowBits = 2;  // below a magnitude's top bit, the first bits have odds; the rest are plain
}

void SignedNumberOdds::encode(RangeEncoder& coder, int64_t value) {
    coder.bit(zero, value == 0);
    if (value == 0) return;
    coder.bit(negative, value < 0);
    // Magnitudes up to 2^32: a demo's numbers are 32 bits, and a difference of two of them 33.
    const uint64_t magnitude = value < 0 ? uint64_t(-value) : uint64_t(value);
    int length = 1;
    while (length < 33 && (magnitude >> length) != 0) ++length;
    for (int i = 1; i < length; ++i) coder.bit(this->length[i], 1);
    if (length < 33) coder.bit(this->length[length], 0);
    for (int i = length - 2; i >= 0; --i) {
        const int fromTop = length - 2 - i;
        const unsigned b = unsigned(magnitude >> i) & 1u;
        if (fromTop < adaptiveLowBits)
            coder.bit(low[length][fromTop], b);
        else
            coder.plainBits(b, 1);
    }
}

int64_t SignedNumberOdds::decode(RangeDecoder& coder) {
    if (coder.bit(zero)) return 0;
    const bool isNegative = coder.bit(negative) != 0;
    int length = 1;
    while (length < 33 && coder.bit(this->length[length])) ++length;
    uint64_t magnitude = 1;
    for (int i = length - 2; i >= 0; --i) {
        const int fromTop = length - 2 - i;
        const unsigned b = fromTop < adaptiveLowBits ? coder.bit(low[length][fromTop]) : coder.plainBits(1);
        magnitude = (magnitude << 1) | b;
    }
    return isNegative ? -int64_t(magnitude) : int64_t(magnitude);
}
