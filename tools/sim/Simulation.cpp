// vanturo-sim: options, scripted input, the run, its trace, screenshot and summary.
#include "Simulation.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <limits>
#include <memory>
#include <sstream>

#include <nlohmann/json.hpp>

#include "platform/VirtualClock.h"
#include "app/DataFolder.h"
#include "app/DemoSession.h"
#include "app/FrameDriver.h"
#include "app/GameSound.h"
#include "app/GameStart.h"
#include "app/Input.h"
#include "app/Screenshot.h"
#include "app/SettingsFile.h"
#include "common/OutputFile.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/ShellState.h"
#include "common/Termination.h"
#include "common/WholeFile.h"
#include "objects/Entity.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

namespace {

using Json = nlohmann::ordered_json;

// A number as the trace has always written it, to nine significant digits: a float's value, not the double's
// digits beyond it. Whole values stay whole; JSON has no infinities or NaNs.
Json number(double v) {
    if (!std::isfinite(v)) return nullptr;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    const double rounded = std::strtod(buffer, nullptr);
    if (rounded == std::trunc(rounded) && std::fabs(rounded) < 1e15) return int64_t(rounded);
    return rounded;
}

Json shipJson() {
    const Ship& s = Ship::player;
    return {{"x", number(s.x)},         {"y", number(s.y)},         {"z", number(s.z)},  {"heading", number(s.heading)},
            {"steer", number(s.steer)}, {"shield", s.shield}, {"filed", s.filed}};
}

// The chase camera's eye height and the ground's height under it: the view is broken when the eye is below.
Json eyeJson() {
    const Vector3& eye = Camera::instance().eye;
    return {{"y", number(eye.y)}, {"ground", number(groundHeight(eye.x, eye.z))}};
}

Json entitiesJson() {
    Json out = Json::object();
    for (const EntityKind& kind : entityKinds) out[std::to_string(kind.typeId)] = Level::instance().entityCount(kind.typeId);
    return out;
}

Json statsJson(std::vector<double> values) {
    if (values.empty()) return {{"median", 0}, {"p95", 0}, {"max", 0}};
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) {
        return values[std::min(values.size() - 1, size_t(q * double(values.size() - 1) + 0.5))];
    };
    return {{"median", number(at(0.5))}, {"p95", number(at(0.95))}, {"max", number(values.back())}};
}

void applyInput(const InputEvent& e) {
    if (e.kind == InputEvent::mouse)
        onMouseMove(unsigned(e.a), unsigned(e.b));
    else
        onKey(e.a, e.kind == InputEvent::keyDown);
}

}  // namespace

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
        "--mouse", "X,Y", "where the mouse stays, in pixels of the 800 by 600 window", [&o](const std::string& v) {
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
    line.value("--play", "FILE", "play a demo recorded by the game (instead of --frames, --mouse, --input)",
               [&o](const std::string& v) {
                   o.playPath = v;
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
    // The settings that change the flight, read from the player's settings file as the game reads them, and
    // the sound's for --audio.
    addSettingOptions(line, o.settings,
                      [](const SettingRow& row) { return row.flight() || (row.acts & settingActs::sound) != 0; });
    o.settings.flightSettingsOnly = true;
    line.flag("--time", "add timings to the summary", [&o] { o.time = true; });
    CommandLine::Outcome outcome = line.parse(argc, argv);
    if (outcome.proceed && !o.playPath.empty() && (o.hasMouse || !o.input.empty() || !o.recordPath.empty()))
        outcome = CommandLine::refuse("a demo brings its own input: --play goes without --mouse, --input and --record");
    return checkSettingOptions(outcome, o.settings);
}

namespace {

double msSince(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
}

// Everything that can be refused, refused before anything is written: a refused run leaves every file as it
// was. Output paths are taken from where the tool was started, before it enters the data folder. Returns
// the exit code, 0 to run.
struct Outputs {
    OutputFile trace, shot, audio;
};

int prepareRun(SimOptions& o, Outputs& files, std::string& error) {
    char here[4096];
    const std::string cwd = getcwd(here, sizeof here) ? here : ".";
    for (std::string* path : {&o.shotPath, &o.tracePath, &o.playPath, &o.recordPath, &o.audioPath}) {
        if (!path->empty() && (*path)[0] != '/') *path = cwd + "/" + *path;
    }
    const std::pair<const char*, const std::string*> outputs[] = {{"--trace", &o.tracePath},
                                                                  {"--shot", &o.shotPath},
                                                                  {"--record", &o.recordPath},
                                                                  {"--audio", &o.audioPath}};
    for (size_t i = 0; i < std::size(outputs); ++i)
        for (size_t j = i + 1; j < std::size(outputs); ++j) {
            if (outputs[i].second->empty() || outputs[j].second->empty() ||
                !sameOutputPath(*outputs[i].second, *outputs[j].second))
                continue;
            error =
                std::string(outputs[i].first) + " and " + outputs[j].first + " would both write " + *outputs[j].second;
            return exitUsage;
        }
    // What the program says goes to standard error: an output there would be spoilt by it.
    for (const auto& [option, path] : outputs) {
        if (path->empty() || !isStandardStream(*path, 2)) continue;
        error = std::string(option) + " names where standard error goes, and what is said there would spoil it";
        return exitUsage;
    }
    // The game's data convention: DIR/data/level1.tga, in the folder given or the first of the game's own
    // folders that holds it. Pointed elsewhere (at data/ itself, say) there would be an empty world to fly;
    // what the file holds is the game's to judge.
    const Shell& platform = shell();
    const std::vector<std::string> folders =
        dataFolderCandidates(o.dataDir, platform.executableFolder(), platform.installedDataFolder());
    const std::string found = findDataFolder(folders);
    if (found.empty()) {
        std::string tried;
        for (const std::string& folder : folders) tried += (tried.empty() ? "" : ", ") + folder;
        error = (o.dataDir.empty() ? "none of " + tried + " holds " : o.dataDir + " holds no ") + terrainFile +
                " (vanturo-levelgen --out DIR writes one)";
        return exitUsage;
    }
    o.dataDir = found;
    if (access(o.dataDir.c_str(), X_OK) != 0) {
        error = "cannot enter " + o.dataDir;
        return exitUsage;
    }
    // Each output is begun beside its target and put in place only once the run has written it whole.
    if (!o.tracePath.empty() && !files.trace.open(o.tracePath, error)) return exitUsage;
    if (!o.shotPath.empty() && !files.shot.open(o.shotPath, error)) return exitUsage;
    if (!o.audioPath.empty() && !files.audio.open(o.audioPath, error)) return exitUsage;
    return exitSuccess;
}

// The game's own start on the headless shell, its tick counter at the seed: the data folder, the demos, the
// seed and the scene. Returns the exit code, 0 to run; a failure has been said.
int startRun(SimOptions& o) {
    virtualClock::setTick(o.seed);
    GameOptions game = o.settings;
    game.dataFolder = o.dataDir;
    game.playPath = o.playPath;
    game.recordPath = o.recordPath;
    game.pacedReplay = false;  // as fast as it can
    int code = exitSuccess;
    if (!startGame(game, code)) return code;
    DemoSession& demo = DemoSession::instance();
    if (demo.playing()) o.frames = int(std::min<size_t>(demo.framesInDemo(), size_t(std::numeric_limits<int>::max())));
    if (o.hasMouse) onMouseMove(unsigned(o.mouseX), unsigned(o.mouseY));
    return exitSuccess;
}

// The run's sound in game time: after each frame, the mix up to the time the frames so far have taken.
class SoundTrack {
   public:
    explicit SoundTrack(OutputFile& file) : file_(file) {
        // The length is not known yet: the largest, which a reader of a stream takes as "to the end"; a file
        // gets the true counts when the run ends.
        if (file_.isOpen()) file_.write(wavHeader(mixRate, 2, unknownLength).data(), wavHeaderBytes);
    }
    // Mixes what the frame's milliseconds add; false once a write failed.
    bool addFrame(float frameMs) {
        if (!file_.isOpen()) return true;
        elapsedMs_ += frameMs;
        const uint64_t due = uint64_t(elapsedMs_ * mixRate / 1000);
        while (written_ < due) {
            const size_t frames = size_t(std::min<uint64_t>(due - written_, chunkFrames));
            Mixer& mixer = GameSound::instance().mixer();
            voicesMost_ = std::max(voicesMost_, mixer.voicesPlaying());
            for (const SoundRow& row : soundTable)
                mostOfKind_[size_t(row.id)] =
                    std::max(mostOfKind_[size_t(row.id)], GameSound::instance().voicesOf(row.id));
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
    // The header's counts, now known (a stream keeps the streaming ones), and the file put in place.
    bool finish() {
        if (!file_.isOpen()) return true;
        const std::vector<unsigned char> header = wavHeader(mixRate, 2, written_ * 4);
        file_.rewriteStart(header.data(), header.size());
        return file_.commit();
    }

    // The most voices that played at once.
    int voicesMost() const { return voicesMost_; }
    // The most voices of each sound with a limit, by the sound's file name ("volley", "burst", ...).
    Json mostOfEachKind() const {
        Json kinds = Json::object();
        for (const SoundRow& row : soundTable)
            if (row.limit > 0) kinds[std::filesystem::path(row.file).stem().string()] = mostOfKind_[size_t(row.id)];
        return kinds;
    }

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

struct FrameCosts {
    std::vector<double> frameMs, groundMs, entitiesMs, updateMs, mixMs;
};

// The frames, each traced when asked. Returns the frames run; a failed trace write ends the run early.
int runFrames(const SimOptions& o, OutputFile& trace, SoundTrack& sound, FrameCosts& costs) {
    Level& level = Level::instance();
    level.setProfiling(o.time);
    size_t nextInput = 0;
    int framesRun = 0;
    for (int frame = 1; frame <= o.frames && !terminationSignal(); ++frame) {
        while (nextInput < o.input.size() && o.input[nextInput].frame <= frame) applyInput(o.input[nextInput++]);
        virtualClock::advanceTick(o.frameMs);
        const auto begin = std::chrono::steady_clock::now();
        const bool done = loopPass();
        const double updateMs = frameCount > framesBeforeUpdates ? level.costs().updateMs : 0;
        const auto mixBegin = std::chrono::steady_clock::now();
        if (!sound.addFrame(frameDuration)) break;  // reported by the commit; the run stops with its output
        if (o.time) {
            costs.mixMs.push_back(msSince(mixBegin));
            costs.frameMs.push_back(msSince(begin));
            costs.groundMs.push_back(level.costs().groundMs);
            costs.entitiesMs.push_back(level.costs().entitiesMs);
            if (frameCount > framesBeforeUpdates) costs.updateMs.push_back(updateMs);
        }
        framesRun = frame;
        if (trace.isOpen()) {
            Json line = {{"frame", frame},           {"frameTime", number(measuredFrameTime())},
                         {"ship", shipJson()},       {"entities", entitiesJson()},
                         {"eye", eyeJson()},         {"tilesDrawn", level.tilesDrawn()}};
            if (o.time) {
                line["timing"] = {{"frameMs", number(costs.frameMs.back())},
                                  {"groundMs", number(level.costs().groundMs)},
                                  {"entitiesMs", number(level.costs().entitiesMs)},
                                  {"updateMs", number(updateMs)}};
            }
            if (!trace.write(line.dump() + "\n")) break;  // reported by the commit; the run stops with its output
        }
        if (done) break;
    }
    return framesRun;
}

}  // namespace

int runSimulation(const SimOptions& options, std::string& summary, std::string& error) {
    SimOptions o = options;
    Outputs files;
    if (const int code = prepareRun(o, files, error)) return code;
    const auto startupBegin = std::chrono::steady_clock::now();
    if (const int code = startRun(o)) return code;
    const double startupMs = msSince(startupBegin);
    FrameCosts costs;
    auto sound = std::make_unique<SoundTrack>(files.audio);
    const int framesRun = runFrames(o, files.trace, *sound, costs);
    if (const int signal = terminationSignal()) {
        // Nothing is committed: every output is discarded and each older file stays as it was.
        DemoSession::instance().reset();
        error = "stopped by " + signalName(signal) + " after " + std::to_string(framesRun) +
                " frames; no output is kept, and older files are as they were";
        return signalExitCode(signal);
    }
    if (files.trace.isOpen() && !files.trace.commit()) {
        error = files.trace.reason();
        return exitFailure;
    }
    if (!sound->finish()) {
        error = files.audio.reason();
        return exitFailure;
    }
    OutputFile& shot = files.shot;
    if (shot.isOpen()) {
        const std::vector<unsigned char> png = framePng();
        if (!shot.write(png.data(), png.size()) || !shot.commit()) {
            error = shot.reason();
            return exitFailure;
        }
    }

    DemoSession& demo = DemoSession::instance();
    std::string report;
    const int demoCode = demo.finish(report);
    if (!demo.playing() && demoCode != exitSuccess) {
        error = report;
        return demoCode;
    }
    Json out = {{"frames", framesRun},
                {"ship", shipJson()},
                {"pitch", number(Camera::instance().pitch)},
                {"entities", entitiesJson()},
                {"tiles", Level::instance().tiles().size()},
                {"startupMs", number(startupMs)}};
    if (o.time) {
        out["timing"] = {{"frameMs", statsJson(costs.frameMs)},
                         {"groundMs", statsJson(costs.groundMs)},
                         {"entitiesMs", statsJson(costs.entitiesMs)},
                         {"updateMs", statsJson(costs.updateMs)},
                         {"mixMs", statsJson(costs.mixMs)}};
    }
    if (SettingsFile::instance().read()) out["settings"] = SettingsFile::instance().path();
    if (!o.audioPath.empty()) out["sound"] = {{"voicesMost", sound->voicesMost()}, {"kinds", sound->mostOfEachKind()}};
    if (demo.playing()) {
        out["demo"] = {{"matches", demoCode == exitSuccess}, {"report", report}};
        if (demoCode != exitSuccess) error = report;
    }
    summary = out.dump();
    return demo.playing() ? demoCode : exitSuccess;
}
