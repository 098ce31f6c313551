// Fuzz target: the flight link's decoder on any coded body, framed as a link with the right check (so the
// range decoder itself is what is tried). Whatever it accepts and the demo reader accepts must make a link
// that decodes back to the same demo.
#include <cstdint>
#include <string>
#include <vector>

#include "app/DemoFormat.h"
#include "app/FlightLink.h"
#include "common/Base64Url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<unsigned char> payload = {'V', 'F', flightLink::version};
    payload.insert(payload.end(), data, data + size);
    uint32_t sum = 2166136261u;
    for (unsigned char byte : payload) sum = (sum ^ byte) * 16777619u;
    for (int i = 0; i < 4; ++i) payload.push_back(static_cast<unsigned char>(sum >> (8 * i)));
    std::vector<unsigned char> demo, again;
    std::string error, link;
    if (!demoOfFlightLink("#flight=" + toBase64Url(payload), demo, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) __builtin_trap();  // one line, always
        return 0;
    }
    DemoReader reader;
    if (!reader.open(demo, error)) return 0;  // values no game gives: the reader's to refuse
    if (!flightLinkOfDemo(demo, link, error) || !demoOfFlightLink(link, again, error) || again != demo)
        __builtin_trap();
    return 0;
}
