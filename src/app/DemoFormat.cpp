#include "app/DemoFormat.h"

#include <cmath>
#include <cstring>

#include "app/Settings.h"
#include "common/ByteReader.h"

namespace {

enum RecordKind : uint8_t { frameRecord = 6, finalRecord = 7 };

// Bytes after the kind byte, for the records of fixed size.
size_t recordBytes(uint8_t kind) {
    switch (kind) {
        case DemoEvent::mouse: return 4;
        case DemoEvent::key: return 2;
        case DemoEvent::clientSize: return 8;
        case DemoEvent::steeringStick:
        case DemoEvent::cameraStick: return 4;
        case DemoEvent::setting: return 5;
        case frameRecord: return 9;
        default: return 0;
    }
}
constexpr size_t finalStateBytes = 26;  // before the entity counts
constexpr size_t entityCountBytes = 5;

void put8(std::vector<unsigned char>& out, uint32_t v) { out.push_back(static_cast<unsigned char>(v)); }
void put16(std::vector<unsigned char>& out, uint32_t v) {
    put8(out, v & 0xff);
    put8(out, (v >> 8) & 0xff);
}
void put32(std::vector<unsigned char>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
void put64(std::vector<unsigned char>& out, uint64_t v) {
    put32(out, uint32_t(v));
    put32(out, uint32_t(v >> 32));
}
void putFloat(std::vector<unsigned char>& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    put32(out, bits);
}
void putInt(std::vector<unsigned char>& out, int32_t v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    put32(out, bits);
}

// The setting a demo code names (its row's code), or -1.
int settingOfDemoCode(int code) {
    const std::vector<SettingRow>& table = settingsTable();
    for (size_t i = 0; i < table.size() && code != 0; ++i)
        if (table[i].demoCode == code) return int(i);
    return -1;
}

// Whether a setting event holds a value its setting can have.
bool settingEventSound(const DemoEvent& event) {
    const int index = settingOfDemoCode(event.a);
    if (index < 0 || !std::isfinite(event.value)) return false;
    const SettingRow& row = settingsTable()[size_t(index)];
    switch (row.kind) {
        case SettingKind::key:
            return event.value >= 1 && event.value < keyCodeCount && event.value == std::floor(event.value) &&
                   event.value != vkEscape;
        case SettingKind::onOff: return event.value == 0 || event.value == 1;
        default: return event.value >= row.lo && event.value <= row.hi;
    }
}

}  // namespace

bool demoEventOfSetting(const Settings& settings, size_t index, DemoEvent& event) {
    const int code = settingsTable()[index].demoCode;
    if (code == 0) return false;
    event = DemoEvent();
    event.kind = DemoEvent::setting;
    event.a = code;
    event.value = float(settings.number(index));
    return true;
}

void applyDemoSetting(Settings& settings, const DemoEvent& event) {
    const int index = settingOfDemoCode(event.a);
    if (index >= 0) settings.setNumber(size_t(index), double(event.value));
}

uint64_t digestBytes(const unsigned char* data, size_t size) {
    uint64_t digest = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) digest = (digest ^ data[i]) * 1099511628211ull;
    return digest;
}

void encodeHeader(const DemoHeader& header, std::vector<unsigned char>& out) {
    out.insert(out.end(), demoFormat::magic, demoFormat::magic + sizeof demoFormat::magic);
    put16(out, demoFormat::version);
    put16(out, 0);  // reserved
    put32(out, header.seed);
    put64(out, header.terrainDigest);
    put64(out, header.objectMapDigest);
}

void encodeEvent(const DemoEvent& event, std::vector<unsigned char>& out) {
    put8(out, event.kind);
    switch (event.kind) {
        case DemoEvent::mouse:
            put16(out, uint32_t(event.a));
            put16(out, uint32_t(event.b));
            break;
        case DemoEvent::key:
            put8(out, uint32_t(event.a));
            put8(out, event.b ? 1 : 0);
            break;
        case DemoEvent::clientSize:
            putInt(out, event.a);
            putInt(out, event.b);
            break;
        case DemoEvent::steeringStick:
        case DemoEvent::cameraStick: putFloat(out, event.value); break;
        case DemoEvent::setting:
            put8(out, uint32_t(event.a));
            putFloat(out, event.value);
            break;
    }
}

void encodeFrame(const DemoFrame& frame, std::vector<unsigned char>& out) {
    put8(out, frameRecord);
    putFloat(out, frame.frameTime);
    put8(out, frame.active ? 1 : 0);
    put32(out, frame.stateDigest);
}

void encodeFinalState(const DemoFinalState& state, std::vector<unsigned char>& out) {
    put8(out, finalRecord);
    for (float f : {state.x, state.y, state.z, state.heading}) putFloat(out, f);
    putInt(out, state.shield);
    put8(out, state.filed ? 1 : 0);
    put32(out, state.frames);
    put8(out, uint32_t(state.entityCounts.size()));
    for (const auto& [type, count] : state.entityCounts) {
        put8(out, type);
        put32(out, count);
    }
}

bool DemoReader::open(std::vector<unsigned char> bytes, std::string& error) {
    *this = DemoReader();
    bytes_ = std::move(bytes);
    if (bytes_.size() > demoFormat::maxBytes) {
        error = "larger than the " + std::to_string(demoFormat::maxBytes >> 20) + " MiB a demo may be";
        return false;
    }
    ByteReader in(bytes_.data(), bytes_.size());
    const unsigned char* magic = in.take(sizeof demoFormat::magic);
    if (!magic || std::memcmp(magic, demoFormat::magic, sizeof demoFormat::magic) != 0) {
        error = "not a Vanturo demo";
        return false;
    }
    const uint16_t version = in.u16();
    const uint16_t reserved = in.u16();
    header_.seed = in.u32();
    header_.terrainDigest = in.u64();
    header_.objectMapDigest = in.u64();
    if (!in.ok()) {
        error = "truncated inside its header";
        return false;
    }
    if (version != demoFormat::version || reserved != 0) {
        error = "a demo of format version " + std::to_string(version) + ", and this game reads version " +
                std::to_string(demoFormat::version);
        return false;
    }
    // Every record is checked now, so that playing one never meets a bad one.
    size_t pos = demoFormat::headerBytes;
    DemoFrame frame;
    end_ = cursor_ = pos;
    for (;;) {
        const int kind = readRecord(pos, frame, error);
        if (kind < 0) return false;
        if (kind == 0) return true;
        if (kind == frameRecord) {
            ++frames_;
            end_ = pos;
            frame.events.clear();
        }
        if (kind == finalRecord) {
            if (pos != bytes_.size() || !frame.events.empty()) {
                error = pos != bytes_.size() ? "bytes after its final state" : "input events after its last frame";
                return false;
            }
            if (final_.frames != frames_) {
                error = "a final state after " + std::to_string(final_.frames) + " frames, but " +
                        std::to_string(frames_) + " frames recorded";
                return false;
            }
            hasFinal_ = true;
            return true;
        }
    }
}

namespace {

// The body of each kind of record, checked for what no game gives: false with what is wrong.
bool readFrame(ByteReader& in, DemoFrame& frame, std::string& wrong) {
    frame.frameTime = in.f32();
    const uint8_t active = in.u8();
    frame.stateDigest = in.u32();
    frame.active = active == 1;
    if (std::isfinite(frame.frameTime) && frame.frameTime >= 0 && active <= 1) return true;
    wrong = "a frame with a frame time or activity no game gives";
    return false;
}

bool readFinalState(ByteReader& in, DemoFinalState& state, std::string& wrong) {
    state.x = in.f32();
    state.y = in.f32();
    state.z = in.f32();
    state.heading = in.f32();
    state.shield = in.s32();
    const uint8_t filed = in.u8();
    state.filed = filed == 1;
    state.frames = in.u32();
    state.entityCounts.resize(in.u8());
    for (auto& [type, count] : state.entityCounts) {
        type = in.u8();
        count = in.u32();
    }
    if (filed <= 1) return true;
    wrong = "a final state no game gives";
    return false;
}

bool readEvent(ByteReader& in, uint8_t kind, DemoEvent& event, std::string& wrong) {
    event.kind = static_cast<DemoEvent::Kind>(kind);
    switch (kind) {
        case DemoEvent::mouse:
            event.a = in.u16();
            event.b = in.u16();
            break;
        case DemoEvent::key:
            event.a = in.u8();
            event.b = in.u8();
            break;
        case DemoEvent::clientSize:
            event.a = in.s32();
            event.b = in.s32();
            break;
        case DemoEvent::setting:
            event.a = in.u8();
            event.value = in.f32();
            break;
        default: event.value = in.f32(); break;
    }
    const bool stick = kind == DemoEvent::steeringStick || kind == DemoEvent::cameraStick;
    if ((kind == DemoEvent::key && event.b > 1) || (stick && !(event.value >= -1 && event.value <= 1)) ||
        (kind == DemoEvent::setting && !settingEventSound(event))) {
        wrong = "an input event no game gives";
        return false;
    }
    return true;
}

}  // namespace

int DemoReader::readRecord(size_t& pos, DemoFrame& frame, std::string& error) {
    if (pos == bytes_.size()) return 0;
    const uint8_t kind = bytes_[pos];
    const std::string where = " at byte " + std::to_string(pos);
    size_t size = recordBytes(kind);
    if (kind == finalRecord) {
        size = finalStateBytes;
        if (bytes_.size() - pos - 1 >= size) {
            const size_t types = bytes_[pos + size];
            if (types > demoFormat::maxEntityTypes) {
                error = std::to_string(types) + " entity types in the final state" + where;
                return -1;
            }
            size += types * entityCountBytes;
        }
    } else if (size == 0) {
        error = "an unknown record (kind " + std::to_string(kind) + ")" + where;
        return -1;
    }
    if (bytes_.size() - pos - 1 < size) return 0;  // cut off while recording: the whole frames before it stand
    ByteReader in(bytes_.data() + pos + 1, size);
    pos += 1 + size;
    if (kind != frameRecord && kind != finalRecord && frame.events.size() == demoFormat::maxEventsPerFrame) {
        error = "more than " + std::to_string(demoFormat::maxEventsPerFrame) + " input events in one frame" + where;
        return -1;
    }
    std::string wrong;
    DemoEvent event;
    const bool read = kind == frameRecord   ? readFrame(in, frame, wrong)
                      : kind == finalRecord ? readFinalState(in, final_, wrong)
                                            : readEvent(in, kind, event, wrong);
    if (!read) {
        error = wrong + where;
        return -1;
    }
    if (kind != frameRecord && kind != finalRecord) frame.events.push_back(event);
    return kind;
}

bool DemoReader::next(DemoFrame& frame) {
    frame.events.clear();
    std::string ignored;  // checked when opened
    while (cursor_ < end_) {
        if (readRecord(cursor_, frame, ignored) == frameRecord) return true;
    }
    return false;
}
