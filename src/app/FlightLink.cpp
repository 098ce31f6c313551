// The flight link's coding: the demo's records as adaptive range-coded fields (mouse moves as steps from the
// last, frame times as "the same again" or a step), framed by a magic, a version and a check, in base64url.
#include "app/FlightLink.h"

#include <cstring>
#include <filesystem>

#include "app/DemoFormat.h"
#include "common/Base64Url.h"
#include "common/RangeCoder.h"

namespace {

constexpr char magic[2] = {'V', 'F'};
constexpr size_t checkBytes = 4;
constexpr size_t frameRecordBytes = 10;  // the smallest a frame takes in a demo: kind, frame time, active, digest
constexpr uint32_t largestWholeFrameMs = 1u << 20;  // frame times that are whole milliseconds up to here are steps

uint32_t check(const unsigned char* data, size_t size) {
    uint32_t digest = 2166136261u;
    for (size_t i = 0; i < size; ++i) digest = (digest ^ data[i]) * 16777619u;
    return digest;
}

uint32_t floatBits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}
float bitsFloat(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

// The event kinds as a 3-bit number: 1 to 5 as they are, a setting 6.
constexpr uint32_t settingKindCode = 6;
uint32_t kindCode(DemoEvent::Kind kind) { return kind == DemoEvent::setting ? settingKindCode : uint32_t(kind); }

// What the coder learns as it goes: one set of odds for each field, the same on both sides.
struct FlightOdds {
    BitOdds moreInput[2];  // by whether the frame already has input
    BitTree<3> kind;
    SignedNumberOdds mouseX, mouseY, frameStep, count;
    BitTree<8> keyCode, settingCode;
    BitOdds keyDown, sameFrameTime, wholeFrameTime, active, finished, filed;
    // What each field is a step from.
    int32_t mouseX0 = 0, mouseY0 = 0;
    float frameTime0 = 0;
};

// Whole milliseconds, bit for bit: -0 is not the 0 a step would give back.
bool wholeMs(float ms) {
    return ms >= 0 && ms <= float(largestWholeFrameMs) && floatBits(ms) == floatBits(float(uint32_t(ms)));
}

void packFrame(RangeEncoder& coder, FlightOdds& odds, const DemoFrame& frame) {
    for (const DemoEvent& event : frame.events) {
        coder.bit(odds.moreInput[&event != &frame.events.front()], 1);
        odds.kind.encode(coder, kindCode(event.kind));
        switch (event.kind) {
            case DemoEvent::mouse:
                odds.mouseX.encode(coder, int64_t(event.a) - odds.mouseX0);
                odds.mouseY.encode(coder, int64_t(event.b) - odds.mouseY0);
                odds.mouseX0 = event.a, odds.mouseY0 = event.b;
                break;
            case DemoEvent::key:
                odds.keyCode.encode(coder, uint32_t(event.a));
                coder.bit(odds.keyDown, event.b != 0);
                break;
            case DemoEvent::clientSize:
                coder.plainBits(uint32_t(event.a), 32);
                coder.plainBits(uint32_t(event.b), 32);
                break;
            case DemoEvent::setting:
                odds.settingCode.encode(coder, uint32_t(event.a));
                coder.plainBits(floatBits(event.value), 32);
                break;
            default: coder.plainBits(floatBits(event.value), 32); break;
        }
    }
    coder.bit(odds.moreInput[!frame.events.empty()], 0);
    const bool same = floatBits(frame.frameTime) == floatBits(odds.frameTime0);
    coder.bit(odds.sameFrameTime, same);
    if (!same) {
        const bool whole = wholeMs(frame.frameTime) && wholeMs(odds.frameTime0);
        coder.bit(odds.wholeFrameTime, whole);
        if (whole)
            odds.frameStep.encode(coder, int64_t(frame.frameTime) - int64_t(odds.frameTime0));
        else
            coder.plainBits(floatBits(frame.frameTime), 32);
        odds.frameTime0 = frame.frameTime;
    }
    coder.bit(odds.active, frame.active);
}

// False for what no encoder writes.
bool unpackFrame(RangeDecoder& coder, FlightOdds& odds, DemoFrame& frame) {
    frame.events.clear();
    while (coder.bit(odds.moreInput[!frame.events.empty()])) {
        if (frame.events.size() == demoFormat::maxEventsPerFrame || !coder.withinInput()) return false;
        DemoEvent event;
        const uint32_t code = odds.kind.decode(coder);
        if (code == 0 || code > settingKindCode) return false;
        event.kind = code == settingKindCode ? DemoEvent::setting : static_cast<DemoEvent::Kind>(code);
        switch (event.kind) {
            case DemoEvent::mouse: {
                const int64_t x = odds.mouseX0 + odds.mouseX.decode(coder);
                const int64_t y = odds.mouseY0 + odds.mouseY.decode(coder);
                if (x < 0 || x > 0xFFFF || y < 0 || y > 0xFFFF) return false;
                event.a = odds.mouseX0 = int32_t(x);
                event.b = odds.mouseY0 = int32_t(y);
                break;
            }
            case DemoEvent::key:
                event.a = int32_t(odds.keyCode.decode(coder));
                event.b = int32_t(coder.bit(odds.keyDown));
                break;
            case DemoEvent::clientSize:
                event.a = int32_t(coder.plainBits(32));
                event.b = int32_t(coder.plainBits(32));
                break;
            case DemoEvent::setting:
                event.a = int32_t(odds.settingCode.decode(coder));
                event.value = bitsFloat(coder.plainBits(32));
                break;
            default: event.value = bitsFloat(coder.plainBits(32)); break;
        }
        frame.events.push_back(event);
    }
    if (!coder.bit(odds.sameFrameTime)) {
        if (coder.bit(odds.wholeFrameTime)) {
            if (!wholeMs(odds.frameTime0)) return false;
            const int64_t ms = int64_t(odds.frameTime0) + odds.frameStep.decode(coder);
            if (ms < 0 || ms > int64_t(largestWholeFrameMs)) return false;
            odds.frameTime0 = float(ms);
        } else {
            odds.frameTime0 = bitsFloat(coder.plainBits(32));
        }
    }
    frame.frameTime = odds.frameTime0;
    frame.active = coder.bit(odds.active) != 0;
    return coder.withinInput();
}

}  // namespace

bool holdsFlightLink(const std::string& text) { return text.find(flightLink::key) != std::string::npos; }

bool playsALink(const std::string& argument) {
    std::error_code ignored;
    return holdsFlightLink(argument) && !std::filesystem::exists(argument, ignored);
}

bool flightLinkOfDemo(const std::vector<unsigned char>& demo, std::string& link, std::string& error) {
    DemoReader reader;
    if (!reader.open(demo, error)) return false;
    RangeEncoder coder;
    FlightOdds odds;
    const DemoHeader& header = reader.header();
    coder.plainBits(header.seed, 32);
    for (uint64_t digest : {header.terrainDigest, header.objectMapDigest}) {
        coder.plainBits(uint32_t(digest >> 32), 32);
        coder.plainBits(uint32_t(digest), 32);
    }
    odds.count.encode(coder, int64_t(reader.frameCount()));
    DemoFrame frame;
    while (reader.next(frame)) packFrame(coder, odds, frame);
    coder.bit(odds.finished, reader.hasFinalState());
    if (reader.hasFinalState()) {
        const DemoFinalState& state = reader.finalState();
        for (float f : {state.x, state.y, state.z, state.heading}) coder.plainBits(floatBits(f), 32);
        coder.plainBits(uint32_t(state.shield), 32);
        coder.bit(odds.filed, state.filed);
        odds.count.encode(coder, int64_t(state.entityCounts.size()));
        for (const auto& [type, count] : state.entityCounts) {
            coder.plainBits(type, 8);
            odds.count.encode(coder, count);
        }
    }
    std::vector<unsigned char> payload(magic, magic + sizeof magic);
    payload.push_back(flightLink::version);
    const std::vector<unsigned char> body = coder.finish();
    payload.insert(payload.end(), body.begin(), body.end());
    const uint32_t sum = check(payload.data(), payload.size());
    for (int i = 0; i < 4; ++i) payload.push_back(static_cast<unsigned char>(sum >> (8 * i)));
    link = std::string(flightLink::page) + "#" + flightLink::key + toBase64Url(payload);
    return true;
}

bool demoOfFlightLink(const std::string& text, std::vector<unsigned char>& demo, std::string& error) {
    const size_t at = text.find(flightLink::key);
    if (at == std::string::npos) {
        error = "not a flight link (no " + std::string(flightLink::key) + ")";
        return false;
    }
    if (text.size() > flightLink::maxChars) {
        error = "a flight link longer than the " + std::to_string(flightLink::maxChars >> 20) +
                " million characters a link may be";
        return false;
    }
    // The link runs to the end of the fragment's field; a file holding it may end with a line break.
    const size_t start = at + sizeof flightLink::key - 1;
    const size_t end = std::min(text.find_first_of("&\r\n \t", start), text.size());
    std::vector<unsigned char> payload;
    if (!fromBase64Url(text.substr(start, end - start), payload)) {
        error = "a damaged flight link (a character no link has)";
        return false;
    }
    if (payload.size() < sizeof magic + 1 + checkBytes || std::memcmp(payload.data(), magic, sizeof magic) != 0) {
        error = "not a flight link, or one cut short";
        return false;
    }
    const size_t checked = payload.size() - checkBytes;
    uint32_t sum = 0;
    for (size_t i = 0; i < checkBytes; ++i) sum |= uint32_t(payload[checked + i]) << (8 * i);
    if (payload[sizeof magic] != flightLink::version) {
        error = "a flight link of format version " + std::to_string(payload[sizeof magic]) +
                ", and this game reads version " + std::to_string(flightLink::version);
        return false;
    }
    if (sum != check(payload.data(), checked)) {
        error = "a damaged or cut flight link (its check does not match)";
        return false;
    }
    RangeDecoder coder(payload.data() + sizeof magic + 1, checked - sizeof magic - 1);
    FlightOdds odds;
    const auto damaged = [&error] {
        error = "a flight link whose flight no game flies";
        return false;
    };
    DemoHeader header;
    header.seed = coder.plainBits(32);
    for (uint64_t* digest : {&header.terrainDigest, &header.objectMapDigest}) {
        *digest = uint64_t(coder.plainBits(32)) << 32;
        *digest |= coder.plainBits(32);
    }
    const int64_t frames = odds.count.decode(coder);
    if (frames < 0 || uint64_t(frames) > demoFormat::maxBytes / frameRecordBytes) return damaged();
    demo.clear();
    encodeHeader(header, demo);
    DemoFrame frame;
    for (int64_t i = 0; i < frames; ++i) {
        if (!unpackFrame(coder, odds, frame)) return damaged();
        for (const DemoEvent& event : frame.events) encodeEvent(event, demo);
        encodeFrame(frame, demo);
        if (demo.size() > demoFormat::maxBytes) return damaged();
    }
    if (coder.bit(odds.finished)) {
        DemoFinalState state;
        for (float* f : {&state.x, &state.y, &state.z, &state.heading}) *f = bitsFloat(coder.plainBits(32));
        state.shield = int32_t(coder.plainBits(32));
        state.filed = coder.bit(odds.filed) != 0;
        state.frames = uint32_t(frames);
        const int64_t types = odds.count.decode(coder);
        if (types < 0 || types > int64_t(demoFormat::maxEntityTypes)) return damaged();
        for (int64_t i = 0; i < types; ++i) {
            const uint32_t type = coder.plainBits(8);
            const int64_t count = odds.count.decode(coder);
            if (count < 0 || count > int64_t(UINT32_MAX)) return damaged();
            state.entityCounts.emplace_back(uint8_t(type), uint32_t(count));
        }
        encodeFinalState(state, demo);
    }
    return coder.withinInput() || damaged();
}
