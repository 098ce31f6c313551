// ByteReader: bounds-checked little-endian reads from a byte block; a read past the end fails and sticks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
   public:
    ByteReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

    // Reserves n bytes; returns a pointer to them, or null (and fails) when fewer remain.
    const unsigned char* take(size_t n) {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return nullptr;
        }
        const unsigned char* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    void skip(size_t n) { take(n); }

    uint8_t u8() {
        const unsigned char* p = take(1);
        return p ? p[0] : 0;
    }
    int8_t s8() { return static_cast<int8_t>(u8()); }
    uint16_t u16() {
        const unsigned char* p = take(2);
        return p ? static_cast<uint16_t>(p[0] | (p[1] << 8)) : 0;
    }
    uint32_t u32() {
        const unsigned char* p = take(4);
        return p ? uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24) : 0;
    }
    uint64_t u64() {
        const uint64_t low = u32();
        return low | (uint64_t(u32()) << 32);
    }
    int32_t s32() {
        const uint32_t v = u32();
        int32_t s;
        std::memcpy(&s, &v, 4);
        return s;
    }
    float f32() {
        int32_t bits = s32();
        float f;
        std::memcpy(&f, &bits, 4);
        return ok_ ? f : 0.0f;
    }

   private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};
