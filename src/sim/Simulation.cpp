// The simulation's run: its outputs prepared, the game started, the frames traced, the summary made.
#include "sim/Simulation.h"

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

#include "app/DataFolder.h"
#include "app/DemoSession.h"
#include "app/FlightLink.h"
#include "app/FrameDriver.h"
#include "app/GameSound.h"
#include "app/GameStart.h"
#include "app/Input.h"
#include "app/Screenshot.h"
#include "app/SettingsFile.h"
#include "common/OutputFile.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/FrameClock.h"
#include "common/Termination.h"
#include "common/WholeFile.h"
#include "objects/Entity.h"
#include "objects/Ship.h"
#include "view/Camera.h"
#include "world/Level.h"
#include "world/LevelFormat.h"
#include "sim/SoundTrack.h"
#include "sim/VirtualClock.h"

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
    return {{"x", number(s.x)},         {"y", number(s.y)},   {"z", number(s.z)}, {"heading", number(s.heading)},
            {"steer", number(s.steer)}, {"shield", s.shield}, {"filed", s.filed}};
}

// The chase camera's eye height and the ground's height under it: the view is broken when the eye is below.
Json eyeJson() {
    const Vector3& eye = Camera::instance().eye;
    return {{"y", number(eye.y)}, {"ground", number(groundHeight(eye.x, eye.z))}};
}

Json entitiesJson() {
    Json out = Json::object();
    for (const EntityKind& kind : entityKinds)
        out[std::to_string(kind.typeId)] = Level::instance().entityCount(kind.typeId);
    return out;
}

Json stateJson(int frames) {
    return {{"frames", frames},
            {"ship", shipJson()},
            {"pitch", number(Camera::instance().pitch)},
            {"entities", entitiesJson()},
            {"tiles", Level::instance().tiles().size()}};
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

namespace {

double msSince(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
}

// Everything that can be refused, refused before anything is written: a refused run leaves every file as it
// was. Output paths are taken from where the tool was started, before it enters the data folder. Returns
// the exit code, 0 to run.
struct Outputs {
    OutputFile trace, shot, audio, link;
};

int prepareRun(SimOptions& o, Outputs& files, std::string& error) {
    char here[4096];
    const std::string cwd = getcwd(here, sizeof here) ? here : ".";
    for (std::string* path : {&o.shotPath, &o.tracePath, &o.playPath, &o.recordPath, &o.audioPath, &o.linkPath}) {
        const bool link = path == &o.playPath && playsALink(*path);
        if (!path->empty() && (*path)[0] != '/' && !link) *path = cwd + "/" + *path;
    }
    const std::pair<const char*, const std::string*> outputs[] = {{"--trace", &o.tracePath},
                                                                  {"--shot", &o.shotPath},
                                                                  {"--record", &o.recordPath},
                                                                  {"--audio", &o.audioPath},
                                                                  {"--link", &o.linkPath}};
    for (size_t i = 0; i < std::size(outputs); ++i)
        for (size_t j = i + 1; j < std::size(outputs); ++j) {
            if (outputs[i].second->empty() || outputs[j].second->empty() ||
                !sameOutputPath(*outputs[i].second, *outputs[j].second))
                continue;
            error =
                std::string(outputs[i].first) + " and " + outputs[j].first + " would both write " + *outputs[j].second;
            return exitUsage;
        }
    // The settings file the run reads is no place for an output either.
    const std::string settingsFile = settingsFileOf(o.settings);
    for (const auto& [option, path] : outputs) {
        if (path->empty() || settingsFile.empty() || !sameOutputPath(*path, settingsFile)) continue;
        error = std::string(option) + " would write over the settings file " + settingsFile;
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
    if (!o.linkPath.empty() && !files.link.open(o.linkPath, error)) return exitUsage;
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

struct FrameCosts {
    std::vector<double> frameMs, groundMs, entitiesMs, updateMs, mixMs;
    std::vector<double> draws, uniforms;  // each frame's, where the ES layer draws
    unsigned long drawsBefore = 0, uniformsBefore = 0;
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
            if (const auto counts = shell().drawCounts) {
                unsigned long draws = 0, uniforms = 0;
                counts(draws, uniforms);
                costs.draws.push_back(double(draws - costs.drawsBefore));
                costs.uniforms.push_back(double(uniforms - costs.uniformsBefore));
                costs.drawsBefore = draws, costs.uniformsBefore = uniforms;
            }
            costs.mixMs.push_back(msSince(mixBegin));
            costs.frameMs.push_back(msSince(begin));
            costs.groundMs.push_back(level.costs().groundMs);
            costs.entitiesMs.push_back(level.costs().entitiesMs);
            if (frameCount > framesBeforeUpdates) costs.updateMs.push_back(updateMs);
        }
        framesRun = frame;
        if (trace.isOpen()) {
            Json line = {{"frame", frame},     {"frameTime", number(measuredFrameTime())},
                         {"ship", shipJson()}, {"entities", entitiesJson()},
                         {"eye", eyeJson()},   {"tilesDrawn", level.tilesDrawn()}};
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

std::string flightState(int frames) { return stateJson(frames).dump(); }

int runSimulation(const SimOptions& options, std::string& summary, std::string& error) {
    SimOptions o = options;
    Outputs files;
    if (const int code = prepareRun(o, files, error)) return code;
    const auto startupBegin = std::chrono::steady_clock::now();
    if (const int code = startRun(o)) return code;
    const double startupMs = msSince(startupBegin);
    if (files.link.isOpen()) {
        // The flight is whole and on this level: its link is known before it is played.
        std::string link;
        if (!DemoSession::instance().linkOfPlayed(link, error)) return exitFailure;
        link += "\n";
        if (!files.link.write(link.data(), link.size()) || !files.link.commit()) {
            error = files.link.reason();
            return exitFailure;
        }
    }
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
    Json out = stateJson(framesRun);
    out["startupMs"] = number(startupMs);
    if (o.time) {
        out["timing"] = {{"frameMs", statsJson(costs.frameMs)},
                         {"groundMs", statsJson(costs.groundMs)},
                         {"entitiesMs", statsJson(costs.entitiesMs)},
                         {"updateMs", statsJson(costs.updateMs)},
                         {"mixMs", statsJson(costs.mixMs)}};
        if (!costs.draws.empty()) {
            out["timing"]["esDraws"] = statsJson(costs.draws);
            out["timing"]["esUniformSends"] = statsJson(costs.uniforms);
        }
    }
    // The file the run took settings from: a played demo flies with its own, so then only its sound's count.
    if (SettingsFile::instance().read() && (!demo.playing() || !o.audioPath.empty()))
        out["settings"] = SettingsFile::instance().path();
    if (!o.audioPath.empty()) {
        Json kinds = Json::object();
        for (const auto& [kind, most] : sound->mostOfEachKind()) kinds[kind] = most;
        out["sound"] = {{"voicesMost", sound->voicesMost()}, {"kinds", kinds}};
    }
    if (demo.playing()) {
        out["demo"] = {{"matches", demoCode == exitSuccess}, {"report", report}};
        if (demoCode != exitSuccess) error = report;
    }
    summary = out.dump();
    return demo.playing() ? demoCode : exitSuccess;
}
