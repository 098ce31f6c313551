#include "app/GameOptions.h"

#include <filesystem>

#include "app/GameSound.h"

void addSoundOptions(CommandLine& line, SoundOptions& sound) {
    line.flag("--mute", "start with the sound off (M turns it on)", [&sound] { sound.mute = true; });
    line.number("--volume", "PERCENT", "the sound's volume, 0 to 100 (100 unless given)", 0, 100,
                [&sound](long long v) { sound.volume = int(v); });
}

void applySoundOptions(const SoundOptions& sound) {
    Mixer& mixer = GameSound::instance().mixer();
    mixer.setMuted(sound.mute);
    mixer.setVolume(float(sound.volume) / 100.0f);
}

CommandLine::Outcome parseGameOptions(int argc, const char* const* argv, GameOptions& options) {
    CommandLine line("Fly over the land, steering with the mouse, and keep your shield up.");
    line.value("--data", "DIR", "play the level in DIR/data, and no other",
               [&options](const std::string& dir) {
                   options.dataFolder = dir;
                   return std::string(dir.empty() ? "needs a folder" : "");
               });
    line.flag("--fullscreen", "start in fullscreen",
              [&options] { options.fullscreen = true; });
    line.value("--size", "WxH", "the window's size in pixels (800x600 unless given)",
               [&options](const std::string& size) {
                   return parseSize(size, minWindowSide, maxWindowSide, options.width, options.height)
                              ? std::string()
                              : "takes WxH, both from " + std::to_string(minWindowSide) + " to " +
                                    std::to_string(maxWindowSide);
               });
    // Taken from where the game was started: it enters its data folder before it opens them.
    auto demoPath = [](std::string& path) {
        return [&path](const std::string& given) {
            std::error_code error;
            path = given.empty() ? "" : std::filesystem::absolute(given, error).string();
            return std::string(path.empty() ? "needs a file" : "");
        };
    };
    line.value("--record", "FILE", "record the flight into the demo FILE", demoPath(options.recordPath));
    line.value("--play", "FILE", "play the demo FILE (live mouse and keys ignored; Escape ends it)",
               demoPath(options.playPath));
    addSoundOptions(line, options.sound);
    line.number("--frame-cap", "FPS", "at most this many frames a second (0, the default: as many as come)", 0, 1000,
                [&options](long long fps) { options.frameCap = int(fps); });
    CommandLine::Outcome outcome = line.parse(argc, argv);
    if (outcome.proceed && !options.recordPath.empty() && !options.playPath.empty())
        outcome = CommandLine::refuse("--record and --play cannot be used together");
    return outcome;
}
