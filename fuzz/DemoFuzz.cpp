// Fuzz target: the demo reader on any file. Whatever it accepts must hand out exactly the frames it
// counted, each within the limits, and encode back to the bytes it was read from.
#include <algorithm>
#include <cstdint>

#include "app/DemoFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DemoReader reader;
    std::string error;
    if (!reader.open(std::vector<unsigned char>(data, data + size), error)) {
        if (error.empty()) __builtin_trap();  // a refusal always says why
        return 0;
    }
    std::vector<unsigned char> again;
    encodeHeader(reader.header(), again);
    DemoFrame frame;
    size_t frames = 0;
    while (reader.next(frame)) {
        if (frame.events.size() > demoFormat::maxEventsPerFrame) __builtin_trap();
        for (const DemoEvent& event : frame.events) encodeEvent(event, again);
        encodeFrame(frame, again);
        ++frames;
    }
    if (frames != reader.frameCount()) __builtin_trap();
    if (reader.hasFinalState()) encodeFinalState(reader.finalState(), again);
    // A whole demo encodes back to itself; one cut short, to the whole frames before the cut.
    if (again.size() > size || !std::equal(again.begin(), again.end(), data) ||
        (reader.hasFinalState() && again.size() != size))
        __builtin_trap();
    return 0;
}
