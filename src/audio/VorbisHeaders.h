// VorbisHeaders: the three header packets of a Vorbis stream read through by rules of our own before the decoder
// is handed them: every field inside its packet, every index inside what it indexes, every table of a size
// whose sum can be counted. A stream that passes is one the decoder's setup reads within bounds, and what that
// setup will take in memory is known before it starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorbisLimits {
constexpr uint64_t codebookValues = 1u << 22;  // entries times dimensions in one codebook (encoders use < 100,000)
constexpr int floorValues = 65;                // points of one floor, as the format allows
}  // namespace vorbisLimits

struct VorbisFacts {
    int channels = 0;
    uint32_t rate = 0;
    // What the decoder's tables, buffers and scratch space take at most, beyond the decoder's own state.
    uint64_t decoderBytes = 0;
};

// Checks the identification, comment and setup packets (in that order). False, with one line saying why in
// refusal, for a packet that is not the header it must be, a field past its packet's end, an index out of range,
// floor type 0 (not read), or a codebook over vorbisLimits::codebookValues.
bool checkVorbisHeaders(const std::vector<std::vector<unsigned char>>& packets, VorbisFacts& facts,
                        std::string* refusal);
