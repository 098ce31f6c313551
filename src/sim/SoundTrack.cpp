// The simulation's sound track: the mixer run in game time, written as a WAV.
#include "sim/SoundTrack.h"

#include <algorithm>
#include <filesystem>

#include "app/GameSound.h"
#include "audio/Mixer.h"
#include "audio/Wav.h"

SoundTrack::SoundTrack(OutputFile& file) : file_(file) {
    // The length is not known yet: the largest, which a reader of a stream takes as "to the end"; a file gets
    // the true counts when the run ends.
    if (file_.isOpen()) file_.write(wavHeader(mixRate, 2, unknownLength).data(), wavHeaderBytes);
}

bool SoundTrack::addFrame(float frameMs) {
    if (!file_.isOpen()) return true;
    elapsedMs_ += frameMs;
    const uint64_t due = uint64_t(elapsedMs_ * mixRate / 1000);
    while (written_ < due) {
        const size_t frames = size_t(std::min<uint64_t>(due - written_, chunkFrames));
        Mixer& mixer = GameSound::instance().mixer();
        voicesMost_ = std::max(voicesMost_, mixer.voicesPlaying());
        for (const SoundRow& row : soundTable)
            mostOfKind_[size_t(row.id)] = std::max(mostOfKind_[size_t(row.id)], GameSound::instance().voicesOf(row.id));
        mixer.mix(samples_, frames);
        for (size_t i = 0; i < 2 * frames; ++i) {  // little-endian, whatever the machine's order
            bytes_[2 * i] = static_cast<unsigned char>(uint16_t(samples_[i]) & 0xFF);
            bytes_[2 * i + 1] = static_cast<unsigned char>(uint16_t(samples_[i]) >> 8);
        }
        if (!file_.write(bytes_, 4 * frames)) return false;
        written_ += frames;
    }
    return true;
}

bool SoundTrack::finish() {
    if (!file_.isOpen()) return true;
    const std::vector<unsigned char> header = wavHeader(mixRate, 2, written_ * 4);
    file_.rewriteStart(header.data(), header.size());
    return file_.commit();
}

std::vector<std::pair<std::string, int>> SoundTrack::mostOfEachKind() const {
    std::vector<std::pair<std::string, int>> kinds;
    for (const SoundRow& row : soundTable)
        if (row.limit > 0)
            kinds.emplace_back(std::filesystem::path(row.file).stem().string(), mostOfKind_[size_t(row.id)]);
    return kinds;
}
