// vanturo-sim's options and its scripted input.
#include "sim/SimOptions.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "common/WholeFile.h"

bool readInputScript(const std::string& path, std::vector<InputEvent>& events, std::string& error) {
    // Through the whole-file reader: a FIFO or a device is refused before it is opened, so nothing blocks or
    // grows without end.
    std::vector<unsigned char> bytes;
    std::string why;
    if (!readWholeFile(path.c_str(), maxInputBytes, bytes, why)) {
        error = path + ": " + (why.empty() ? "no such input script" : why);
        return false;
    }
    const std::string text(bytes.begin(), bytes.end());
    size_t begin = 0;
    for (int lineNumber = 1; begin < text.size(); ++lineNumber) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        if (end - begin > maxInputLineBytes) {
            error = path + ":" + std::to_string(lineNumber) + ": a line longer than " +
                    std::to_string(maxInputLineBytes) + " bytes";
            return false;
        }
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') continue;
        std::istringstream in(line);
        long long frame = 0, a = 0, b = 0;
        std::string kind, direction, extra;
        InputEvent e{};
        bool ok = bool(in >> frame) && frame >= 1 && frame <= maxFrames && bool(in >> kind);
        if (ok && kind == "mouse") {
            ok = bool(in >> a >> b) && a >= 0 && a <= 65535 && b >= 0 && b <= 65535;
            e = InputEvent{int(frame), InputEvent::mouse, int(a), int(b)};
        } else if (ok && kind == "key") {
            ok = bool(in >> direction >> a) && (direction == "down" || direction == "up") && a >= 0 && a <= 255;
            e = InputEvent{int(frame), direction == "down" ? InputEvent::keyDown : InputEvent::keyUp, int(a), 0};
        } else {
            ok = false;
        }
        if (!ok || (in >> extra)) {
            error = path + ":" + std::to_string(lineNumber) +
                    ": expected 'FRAME mouse X Y' or 'FRAME key down|up CODE'" + " with FRAME from 1 to " +
                    std::to_string(maxFrames);
            return false;
        }
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const InputEvent& x, const InputEvent& y) { return x.frame < y.frame; });
    return true;
}

CommandLine::Outcome parseSimOptions(int argc, const char* const* argv, SimOptions& o) {
    CommandLine line("Run the game headless, frame for frame, and print a JSON summary.");
    line.value("--data", "DIR", "play the level in DIR/data (default: where the game looks)",
               [&o](const std::string& v) {
                   o.dataDir = v;
                   return std::string(v.empty() ? "needs a folder" : "");
               });
    line.number("--frames", "N", "frames to draw (default 300)", 0, maxFrames,
                [&o](long long n) { o.frames = int(n); });
    line.number("--frame-ms", "MS", "milliseconds every frame takes (default 16)", 0, 100000,
                [&o](long long n) { o.frameMs = unsigned(n); });
    line.number("--seed", "S", "the random seed (default 1)", 0, 4294967295ll,
                [&o](long long n) { o.seed = unsigned(n); });
    line.value(
        "--mouse", "X,Y", "where the mouse stays, in pixels of the window (800 by 600 unless sized)",
        [&o](const std::string& v) {
            int x = -1, y = -1;
            char tail = 0;
            if (std::sscanf(v.c_str(), "%d,%d%c", &x, &y, &tail) != 2 || x < 0 || y < 0 || x > 65535 || y > 65535)
                return std::string("takes X,Y in pixels");
            o.hasMouse = true;
            o.mouseX = x;
            o.mouseY = y;
            return std::string();
        });
    line.value("--input", "FILE", "scripted input: FRAME mouse X Y, FRAME key down|up CODE",
               [&o](const std::string& v) {
                   std::string error;
                   return readInputScript(v, o.input, error) ? std::string() : error;
               });
    line.value("--shot", "PATH", "write the last frame as a PNG", [&o](const std::string& v) {
        o.shotPath = v;
        return std::string();
    });
    line.value("--trace", "PATH", "write every frame's state, one JSON line per frame", [&o](const std::string& v) {
        o.tracePath = v;
        return std::string();
    });
    line.value("--play", "FILE",
               "play a demo recorded by the game, or a flight link (instead of --frames, --mouse, --input)",
               [&o](const std::string& v) {
                   o.playPath = v;
                   return std::string(v.empty() ? "needs a file" : "");
               });
    line.value("--link", "FILE", "with --play: write the flight's link (the page's address, relative) into FILE",
               [&o](const std::string& v) {
                   o.linkPath = v;
                   return std::string(v.empty() ? "needs a file" : "");
               });
    line.value("--record", "FILE", "record the run as a demo, as the game does", [&o](const std::string& v) {
        o.recordPath = v;
        return std::string(v.empty() ? "needs a file" : "");
    });
    line.value("--audio", "FILE", "write the run's sound, in game time, as a 16-bit stereo WAV at 44,100 Hz",
               [&o](const std::string& v) {
                   o.audioPath = v;
                   return std::string(v.empty() ? "needs a file" : "");
               });
    // The settings that change the flight, read from the player's settings file as the game reads them, the
    // sound's for --audio, and the view's size and what the frames show over the world for --shot.
    addSettingOptions(line, o.settings, [](const SettingRow& row) {
        return row.flight() || (row.acts & (settingActs::sound | settingActs::window | settingActs::picture)) != 0;
    });
    o.settings.flightSettingsOnly = true;
    line.flag("--time", "add timings to the summary", [&o] { o.time = true; });
    CommandLine::Outcome outcome = line.parse(argc, argv);
    if (outcome.proceed && !o.linkPath.empty() && o.playPath.empty())
        outcome = CommandLine::refuse("--link writes the link of the flight --play plays: it goes with --play");
    if (outcome.proceed && !o.playPath.empty() && (o.hasMouse || !o.input.empty() || !o.recordPath.empty()))
        outcome = CommandLine::refuse("a demo brings its own input: --play goes without --mouse, --input and --record");
    // A demo flies with the settings of the flight it recorded: one given beside it would not be used.
    for (const auto& [index, text] : o.settings.settings)
        if (outcome.proceed && !o.playPath.empty() && settingsTable()[index].flight())
            outcome = CommandLine::refuse(
                std::string("a demo brings its own settings of the flight: --play goes without --") +
                settingsTable()[index].name);
    return checkSettingOptions(outcome, o.settings);
}
