// The demo file: a recorded flight, replayable frame for frame on any platform. docs/DEMOS.md gives the
// format byte by byte: a header, then records (input events, frames, the final state), little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace demoFormat {
constexpr char magic[8] = {'V', 'N', 'T', 'D', 'E', 'M', 'O', '\0'};
constexpr uint16_t version = 1;
constexpr size_t headerBytes = 32;
// Far beyond any real flight (an hour is a few MB), small enough to hold.
constexpr size_t maxBytes = 256u << 20;
constexpr size_t maxEventsPerFrame = 65536;
constexpr size_t maxEntityTypes = 64;
}  // namespace demoFormat

// One input message as the game's input functions took it.
struct DemoEvent {
    enum Kind : uint8_t { mouse = 1, key = 2, clientSize = 3, steeringStick = 4, cameraStick = 5, setting = 8 };
    Kind kind = mouse;
    int32_t a = 0, b = 0;  // mouse x, y; key code, 1 for down; client width, height; a setting's demo code
    float value = 0;       // a stick's position; a setting's value (a key's code, 1 for on)
};

// One pass of the main loop: the input handled before it, the frame time it used, whether the window was
// active (drawn and updated), and a digest of the ship and the shots after it.
struct DemoFrame {
    std::vector<DemoEvent> events;
    float frameTime = 0;
    bool active = true;
    uint32_t stateDigest = 0;
};

// What the world looked like when the recording ended.
struct DemoFinalState {
    float x = 0, y = 0, z = 0, heading = 0;
    int32_t shield = 0;
    bool filed = false;
    uint32_t frames = 0;
    std::vector<std::pair<uint8_t, uint32_t>> entityCounts;  // type id, live entities of that type
    bool operator==(const DemoFinalState& o) const {
        return x == o.x && y == o.y && z == o.z && heading == o.heading && shield == o.shield && filed == o.filed &&
               frames == o.frames && entityCounts == o.entityCounts;
    }
};

struct DemoHeader {
    uint32_t seed = 0;
    uint64_t terrainDigest = 0, objectMapDigest = 0;
};

// The settings that change the flight travel in a demo as setting events, under their rows' demo codes
// (app/SettingsTable.h), which never change. A recording begins with those that differ from their defaults
// (so a flight at the defaults records the same bytes as ever), and a change while flying is recorded where it
// happens.
class Settings;
// The event that sets the setting at index to its value in settings; false for a setting that does not travel.
bool demoEventOfSetting(const Settings& settings, size_t index, DemoEvent& event);
void applyDemoSetting(Settings& settings, const DemoEvent& event);

// FNV-1a, 64 bits: the digest of a level picture's bytes.
uint64_t digestBytes(const unsigned char* data, size_t size);

// Writing: each piece appended to out.
void encodeHeader(const DemoHeader& header, std::vector<unsigned char>& out);
void encodeEvent(const DemoEvent& event, std::vector<unsigned char>& out);
void encodeFrame(const DemoFrame& frame, std::vector<unsigned char>& out);  // the frame record, not its events
void encodeFinalState(const DemoFinalState& state, std::vector<unsigned char>& out);

// Reading: the whole demo is checked when opened, then handed out a frame at a time.
class DemoReader {
   public:
    // False with a one-line reason for anything that is not a whole, sound demo. A demo cut off inside a
    // record (a crash while recording) is sound up to its last whole frame, without a final state.
    bool open(std::vector<unsigned char> bytes, std::string& error);
    const DemoHeader& header() const { return header_; }
    size_t frameCount() const { return frames_; }
    bool hasFinalState() const { return hasFinal_; }
    const DemoFinalState& finalState() const { return final_; }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

    // The next frame; false after the last whole one.
    bool next(DemoFrame& frame);

   private:
    // Reads the record at pos; the kind of record read, 0 at the end, -1 (with error) for a bad one.
    int readRecord(size_t& pos, DemoFrame& frame, std::string& error);

    std::vector<unsigned char> bytes_;
    DemoHeader header_;
    size_t frames_ = 0;
    size_t end_ = 0;  // where the last whole frame ends
    size_t cursor_ = 0;
    bool hasFinal_ = false;
    DemoFinalState final_;
};
