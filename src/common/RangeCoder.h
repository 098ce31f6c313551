// An adaptive binary range coder: each bit is coded against a probability that learns from the bits before it
// in its context, so a flight's repeated frame times and small mouse steps cost a fraction of a bit. Integer
// arithmetic only: the same bits give the same bytes on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The chance that the next bit in a context is 0, in 1/2048ths; starts at even.
struct BitOdds {
    uint16_t zero = 1024;
};

class RangeEncoder {
   public:
    void bit(BitOdds& odds, unsigned bit);
    // count (at most 32) bits of value, highest first, at even odds: for what has no pattern to learn.
    void plainBits(uint32_t value, int count);
    // The bytes so far and the coder's tail: call once, at the end.
    std::vector<unsigned char> finish();

   private:
    void shiftLow();
    uint64_t low_ = 0;
    uint32_t range_ = 0xFFFFFFFFu;
    unsigned char cache_ = 0;
    size_t cacheSize_ = 1;
    std::vector<unsigned char> out_;
};

class RangeDecoder {
   public:
    RangeDecoder(const unsigned char* data, size_t size);
    unsigned bit(BitOdds& odds);
    uint32_t plainBits(int count);
    // False once the decoder has read past its bytes by more than the coder's own tail: the input was cut.
    bool withinInput() const { return overrun_ <= tailBytes; }

   private:
    static constexpr size_t tailBytes = 5;
    unsigned char nextByte();
    void normalise();
    const unsigned char* data_;
    size_t size_, pos_ = 0, overrun_ = 0;
    uint32_t code_ = 0, range_ = 0xFFFFFFFFu;
};

// Numbers as trees of adaptive bits, the same on both sides.
template <int Bits>
struct BitTree {
    BitOdds odds[1 << Bits];
    void encode(RangeEncoder& coder, uint32_t value) {
        uint32_t node = 1;
        for (int i = Bits - 1; i >= 0; --i) {
            const unsigned b = (value >> i) & 1u;
            coder.bit(odds[node], b);
            node = (node << 1) | b;
        }
    }
    uint32_t decode(RangeDecoder& coder) {
        uint32_t node = 1;
        for (int i = 0; i < Bits; ++i) node = (node << 1) | coder.bit(odds[node]);
        return node - (1u << Bits);
    }
};

// A signed number, small ones cheap: zero or not, the sign, the count of its magnitude's bits in unary, then
// those bits below the top one (the first few adaptive, the rest plain).
struct SignedNumberOdds {
    BitOdds zero, negative, length[33];
    BitOdds low[34][2];  // by the magnitude's length, 1 to 33
    void encode(RangeEncoder& coder, int64_t value);
    int64_t decode(RangeDecoder& coder);
};
