#include "app/DemoSession.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/FlightLink.h"
#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/KeyTable.h"
#include "app/ReplayControls.h"
#include "app/Settings.h"
#include "app/WorldRestart.h"
#include "assets/Tga.h"
#include "common/Report.h"
#include "common/FrameClock.h"
#include "common/InputState.h"
#include "common/WholeFile.h"
#include "objects/Ship.h"
#include "objects/Shot.h"
#include "world/Level.h"
#include "world/LevelFormat.h"

namespace {

DemoHeader headerFor(uint32_t seed) {
    DemoHeader header;
    header.seed = seed;
    std::vector<unsigned char> bytes;
    readWholeFile(terrainFile, maxPictureFileBytes, bytes);
    header.terrainDigest = digestBytes(bytes.data(), bytes.size());
    readWholeFile(objectMapFile, maxPictureFileBytes, bytes);
    header.objectMapDigest = digestBytes(bytes.data(), bytes.size());
    return header;
}

// FNV-1a over the ship and the shots in flight after a frame: enough to tell the first frame that differs.
uint32_t stateDigest() {
    const Ship& ship = Ship::player;
    uint32_t digest = 2166136261u;
    auto add = [&digest](const void* data, size_t size) {
        for (size_t i = 0; i < size; ++i) digest = (digest ^ static_cast<const unsigned char*>(data)[i]) * 16777619u;
    };
    for (float f : {ship.x, ship.y, ship.z, ship.heading}) add(&f, sizeof f);
    const int32_t values[] = {ship.shield, ship.filed ? 1 : 0, Shot::liveCount()};
    add(values, sizeof values);
    return digest;
}

// Hours of play (a frame takes about ten bytes), and a link of a few million characters: more would be no link to
// hand anyone, and a long simulated run would hold it all.
constexpr size_t maxFlightSoFarBytes = 16u << 20;

void resetFlightSettings() {
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].flight()) gameSettings().reset(i);
}

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

DemoFinalState currentFinalState(uint32_t frames) {
    const Ship& ship = Ship::player;
    DemoFinalState state;
    state.x = ship.x;
    state.y = ship.y;
    state.z = ship.z;
    state.heading = ship.heading;
    state.shield = ship.shield;
    state.filed = ship.filed;
    state.frames = frames;
    for (const EntityKind& kind : entityKinds)
        state.entityCounts.emplace_back(uint8_t(kind.typeId), uint32_t(Level::instance().entityCount(kind.typeId)));
    return state;
}

DemoSession& DemoSession::instance() {
    static DemoSession session;
    return session;
}

void DemoSession::beginFlight(uint32_t seed) {
    flownHeader_ = DemoHeader();
    flownHeader_.seed = seed;
    levelDigested_ = false;  // the pictures are digested when the flight is first handed on
    flown_.clear();
    framesFlown_ = 0;
    flownWhole_ = true;
}

bool DemoSession::record(const std::string& path, uint32_t seed, std::string& error) {
    std::vector<unsigned char> header;
    encodeHeader(headerFor(seed), header);
    if (file_.open(path, error) && write(header)) {
        recording_ = true;
        return true;
    }
    error = file_.reason();
    file_.discard();
    return false;
}

bool DemoSession::play(const std::string& path, bool paced, std::string& error) {
    std::vector<unsigned char> bytes;
    if (!readDemo(path, bytes, error)) return false;
    const std::string name = playsALink(path) ? "the flight link" : path;
    if (!reader_.open(std::move(bytes), error)) {
        error = name + ": " + error;
        return false;
    }
    const DemoHeader here = headerFor(0);
    if (here.terrainDigest != reader_.header().terrainDigest ||
        here.objectMapDigest != reader_.header().objectMapDigest) {
        error = name + ": recorded on another level (its pictures differ from " + terrainFile + " and " +
                objectMapFile + ")";
        return false;
    }
    playing_ = true;
    beginFlight(reader_.header().seed);
    flownHeader_ = reader_.header();
    levelDigested_ = true;
    playedPath_ = name;
    paced_ = paced;
    lastFrameMs_ = nowMs();
    return true;
}

bool DemoSession::readDemo(const std::string& path, std::vector<unsigned char>& bytes, std::string& error) {
    // A link given in place of a file's name is the flight itself.
    framesChecked_ = true;
    if (playsALink(path)) {
        framesChecked_ = false;
        if (demoOfFlightLink(path, bytes, error)) return true;
        error = "the flight link: " + error;
        return false;
    }
    // Checked here first, so that whatever is wrong is said in one line.
    std::error_code failure;
    const auto status = std::filesystem::status(path, failure);
    if (!std::filesystem::is_regular_file(status)) {
        error = path + (std::filesystem::exists(status) ? ": not a regular file" : ": no such file");
        return false;
    }
    if (std::filesystem::file_size(path, failure) > demoFormat::maxBytes) {
        error = path + ": larger than the " + std::to_string(demoFormat::maxBytes >> 20) + " MiB a demo may be";
        return false;
    }
    if (!readWholeFile(path.c_str(), demoFormat::maxBytes, bytes)) {
        error = path + ": cannot be read";
        return false;
    }
    // A file that is no demo may hold a link (one copied from a page, or written by --link).
    const bool demo = bytes.size() >= sizeof demoFormat::magic &&
                      std::equal(std::begin(demoFormat::magic), std::end(demoFormat::magic), bytes.begin());
    const std::string text(bytes.begin(), bytes.end());
    if (demo || !holdsFlightLink(text)) return true;  // the reader says what is wrong with one that is neither
    framesChecked_ = false;
    if (demoOfFlightLink(text, bytes, error)) return true;
    error = path + ": " + error;
    return false;
}

bool DemoSession::linkOfPlayed(std::string& link, std::string& error) const {
    return flightLinkOfDemo(reader_.bytes(), link, error);
}

bool DemoSession::takeLiveInput(const DemoEvent& event) {
    // Escape still ends a played demo, F12 still saves what it shows and the share key shares it: none changes
    // the world.
    if (watched() && event.kind == DemoEvent::key && event.b != 0 && ReplayControls::instance().takeKey(event.a))
        return false;  // the viewer's
    if (playing_)
        return event.kind == DemoEvent::key &&
               (event.a == keyCode(KeyAction::quit) || event.a == keyCode(KeyAction::screenshot) ||
                event.a == keyCode(KeyAction::share));
    encodeEvent(event, pending_);
    return true;
}

bool DemoSession::takeSettingChange(const DemoEvent& event) {
    if (playing_) return false;
    encodeEvent(event, nextFrameEvents_);
    return true;
}

bool DemoSession::beforePass(float& frameMs, bool& drawing) {
    if (!playing_) {
        // What this pass is about to use, as a recording keeps it.
        frame_.frameTime = frameMs;
        frame_.active = drawing;
        return true;
    }
    if (!reader_.next(frame_)) return false;
    for (const DemoEvent& event : frame_.events) {
        encodeEvent(event, pending_);  // the flight so far holds the played input, as it was flown
        // The recorded F12, F11 and share key changed nothing in the world: the person replaying did not ask
        // for its pictures, the whole screen or its link.
        if (event.kind == DemoEvent::key &&
            (event.a == keyCode(KeyAction::screenshot) || event.a == keyCode(KeyAction::fullscreen) ||
             event.a == keyCode(KeyAction::share)))
            continue;
        applyInputEvent(event);
    }
    if (paced_) {
        // At the demo's own pace: the frame begins once its frame time has passed since the last one, but a
        // frame never waits longer than the world advances in one, so the window's messages (Escape, its
        // close, a signal) are never held up for long.
        const double wait =
            std::min(double(frame_.frameTime), double(maxWorldStepMs)) / double(ReplayControls::instance().speed());
        const double due = ReplayControls::instance().seeking() ? 0 : lastFrameMs_ + (wait >= 0 ? wait : 0);
        const double now = nowMs();
        if (due > now) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(due - now));
        lastFrameMs_ = std::max(due, now);
    }
    frameMs = frame_.frameTime;
    drawing = frame_.active;
    return true;
}

void DemoSession::afterPass() {
    const uint32_t digest = stateDigest();
    if (playing_) {
        ++framesPlayed_;
        if (framesChecked_ && firstDifferentFrame_ == 0 && digest != frame_.stateDigest)
            firstDifferentFrame_ = framesPlayed_;
    }
    frame_.stateDigest = digest;
    encodeFrame(frame_, pending_);
    if (recording_ && !playing_ && write(pending_)) ++framesRecorded_;
    // Kept while it fits; past that the flight so far is too long to hand on.
    flownWhole_ = flownWhole_ && flown_.size() + pending_.size() <= maxFlightSoFarBytes;
    if (flownWhole_) {
        flown_.insert(flown_.end(), pending_.begin(), pending_.end());
        ++framesFlown_;
    }
    pending_.swap(nextFrameEvents_);
    nextFrameEvents_.clear();
}

bool DemoSession::flightSoFar(std::vector<unsigned char>& demo) {
    if (!flownWhole_) return false;
    if (!levelDigested_) flownHeader_ = headerFor(flownHeader_.seed);
    levelDigested_ = true;
    demo.clear();
    encodeHeader(flownHeader_, demo);
    demo.insert(demo.end(), flown_.begin(), flown_.end());
    encodeFinalState(currentFinalState(uint32_t(framesFlown_)), demo);
    return true;
}

bool DemoSession::playFromTheStart() {
    if (!playing_) return false;
    std::string ignored;  // read whole once already
    reader_.open(std::vector<unsigned char>(reader_.bytes()), ignored);
    framesPlayed_ = firstDifferentFrame_ = 0;
    pending_.clear();
    nextFrameEvents_.clear();
    const DemoHeader header = reader_.header();
    beginFlight(header.seed);
    flownHeader_ = header;
    levelDigested_ = true;
    resetFlightSettings();
    restartWorld(header.seed);
    lastFrameMs_ = nowMs();
    return true;
}

bool DemoSession::flyFromHere() {
    if (!playing_) return false;
    playing_ = false;
    return true;
}

int DemoSession::finish(std::string& report) {
    if (recording_) {
        recording_ = false;
        std::vector<unsigned char> bytes;
        encodeFinalState(currentFinalState(framesRecorded_), bytes);
        if (write(bytes) && file_.commit()) {
            report = "the flight is recorded in " + file_.path() + " (" + std::to_string(framesRecorded_) + " frames)";
            return exitSuccess;
        }
        file_.discard();
        report = file_.reason() + " (the demo stopped after " + std::to_string(framesRecorded_) +
                 " frames; an older file there is kept)";
        return exitFailure;
    }
    if (!playing_) return exitSuccess;
    const std::string frames =
        std::to_string(framesPlayed_) + " of " + std::to_string(reader_.frameCount()) + " frames";
    if (framesPlayed_ < reader_.frameCount()) {
        report = playedPath_ + ": the demo was stopped after " + frames + ": nothing to compare";
        return exitFailure;
    }
    const bool matches =
        firstDifferentFrame_ == 0 &&
        (!reader_.hasFinalState() || currentFinalState(uint32_t(framesPlayed_)) == reader_.finalState());
    report = playedPath_ + ": played " + frames +
             (matches ? ": the state matches the demo's" : ": the state differs from the demo's");
    if (firstDifferentFrame_ != 0) report += " (first at frame " + std::to_string(firstDifferentFrame_) + ")";
    if (!reader_.hasFinalState()) report += "; the recording was cut short, so it has no final state to compare";
    return matches ? exitSuccess : exitDemoDiffers;
}

bool DemoSession::write(const std::vector<unsigned char>& bytes) {
    // Flushed with every frame: a crash leaves the file beside the demo playable to its last whole frame.
    return file_.write(bytes.data(), bytes.size()) && file_.flush();
}

bool startDemos(const std::string& playPath, const std::string& recordPath, bool paced, unsigned tick, unsigned& seed) {
    DemoSession& demo = DemoSession::instance();
    std::string error;
    seed = tick;
    if (!playPath.empty()) {
        if (!demo.play(playPath, paced, error)) {
            reportError(error);
            return false;
        }
        seed = demo.seed();
    }
    // A played flight flies with the settings it recorded: the defaults, and the events it holds.
    const std::vector<SettingRow>& table = settingsTable();
    if (!playPath.empty()) resetFlightSettings();
    if (playPath.empty()) demo.beginFlight(seed);
    if (!recordPath.empty() && !demo.record(recordPath, seed, error)) {
        reportError(error);
        return false;
    }
    // A recording begins with the settings of the flight that are not at their defaults.
    const Settings defaults;
    DemoEvent event;
    for (size_t i = 0; i < table.size(); ++i)
        if (gameSettings().number(i) != defaults.number(i) && demoEventOfSetting(gameSettings(), i, event))
            demo.takeLiveInput(event);
    return true;
}

int finishDemos(int usualExitCode) {
    DemoSession& demo = DemoSession::instance();
    std::string report;
    const int code = demo.finish(report);
    if (!report.empty()) (code == exitSuccess ? reportNote : reportError)(report);
    return demo.playing() || code != 0 ? code : usualExitCode;
}

void DemoSession::reset() {
    file_.discard();
    recording_ = false;
    pending_.clear();
    nextFrameEvents_.clear();
    framesRecorded_ = 0;
    flown_.clear();
    framesFlown_ = 0;
    flownWhole_ = false;
    reader_ = DemoReader();
    playing_ = paced_ = pacedByShell_ = false;
    ReplayControls::instance().reset();
    framesChecked_ = true;
    framesPlayed_ = firstDifferentFrame_ = 0;
}
