#include "app/GameOptions.h"

CommandLine::Outcome parseGameOptions(int argc, const char* const* argv, GameOptions& options) {
    CommandLine line("vanturo", "Fly over the land, steering with the mouse, and keep your shield up.");
    line.value("--data", "DIR", "play the level in DIR/data (before the usual folders)",
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
    return line.parse(argc, argv);
}
