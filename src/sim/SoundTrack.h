// The simulation's sound, in game time: after each frame, the game's mix up to the time the frames so far have
// taken, written as a 16-bit stereo WAV.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/SoundTable.h"
#include "common/OutputFile.h"

class SoundTrack {
   public:
    // Writes into file when it is open; a track of a closed file mixes nothing.
    explicit SoundTrack(OutputFile& file);
    // Mixes what the frame's milliseconds add; false once a write failed.
    bool addFrame(float frameMs);
    // The header's counts, now known (a stream keeps the streaming ones), and the file put in place.
    bool finish();

    // The most voices that played at once.
    int voicesMost() const { return voicesMost_; }
    // The most voices of each sound with a limit, by the sound's file name ("volley", "burst", ...).
    std::vector<std::pair<std::string, int>> mostOfEachKind() const;

   private:
    static constexpr size_t wavHeaderBytes = 44;
    static constexpr uint64_t unknownLength = ~uint64_t(0);
    static constexpr size_t chunkFrames = 4096;
    OutputFile& file_;
    double elapsedMs_ = 0;
    uint64_t written_ = 0;
    int voicesMost_ = 0;
    int mostOfKind_[soundCount] = {};
    int16_t samples_[2 * chunkFrames];
    unsigned char bytes_[4 * chunkFrames];
};
