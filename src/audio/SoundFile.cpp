// Sounds by name: the Ogg Vorbis file first, then the WAV.
#include "audio/SoundFile.h"

#include <filesystem>
#include <string>
#include <vector>

#include "audio/OggVorbis.h"
#include "common/Report.h"
#include "common/WholeFile.h"

bool loadSound(const char* wavPath, Sound& sound) {
    sound = Sound();
    const std::string wav = wavPath;
    const std::string ogg = std::filesystem::path(wav).replace_extension(".ogg").string();
    std::error_code error;
    if (ogg != wav && std::filesystem::exists(std::filesystem::symlink_status(ogg, error))) {
        std::vector<unsigned char> bytes;
        if (readWholeFile(ogg.c_str(), oggLimits::fileBytes, bytes)) {
            std::string refusal;
            if (readOggFromMemory(bytes.data(), bytes.size(), sound, &refusal)) return true;
            reportRefusal(ogg, refusal + " (" + shortPath(wav) + " plays instead, if it can)");
        }
    }
    return loadWav(wavPath, sound);
}
