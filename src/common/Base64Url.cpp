// base64url: six bits a letter, highest first.
#include "common/Base64Url.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
}

std::string toBase64Url(const std::vector<unsigned char>& bytes) {
    std::string text;
    uint32_t bits = 0;
    int held = 0;
    for (unsigned char byte : bytes) {
        bits = (bits << 8) | byte;
        held += 8;
        while (held >= 6) text += alphabet[(bits >> (held -= 6)) & 63u];
    }
    if (held > 0) text += alphabet[(bits << (6 - held)) & 63u];
    return text;
}

bool fromBase64Url(const std::string& text, std::vector<unsigned char>& bytes) {
    uint32_t bits = 0;
    int held = 0;
    for (char c : text) {
        const char* at = std::strchr(alphabet, c);
        if (c == '\0' || !at) return false;
        bits = (bits << 6) | uint32_t(at - alphabet);
        held += 6;
        if (held >= 8) bytes.push_back(static_cast<unsigned char>(bits >> (held -= 8)));
    }
    return true;
}
