// The flight link: every field of a demo travels through its link to the bit (but each frame's state, which a
// link leaves out), and a damaged, cut, forged or foreign link is refused in one line.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

#include "app/DemoFormat.h"
#include "app/FlightLink.h"

namespace {

uint32_t bitsOf(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}

// A demo with every kind of record at the edges of what it may hold; finished with a final state of three entity
// types, or of none, or cut short without one.
enum class Ending { threeTypes, noTypes, cutShort };
std::vector<unsigned char> edgeDemo(Ending ending) {
    std::vector<unsigned char> demo;
    encodeHeader({0xDEADBEEFu, 0x0123456789ABCDEFull, 0xFEDCBA9876543210ull}, demo);
    const std::vector<DemoEvent> events = {
        {DemoEvent::mouse, 0, 0, 0},
        {DemoEvent::mouse, 65535, 65535, 0},
        {DemoEvent::mouse, 3, 65534, 0},
        {DemoEvent::key, 1, 1, 0},
        {DemoEvent::key, 255, 0, 0},
        {DemoEvent::clientSize, 0, 0, 0},
        {DemoEvent::clientSize, -1, INT_MAX, 0},
        {DemoEvent::steeringStick, 0, 0, -1},
        {DemoEvent::cameraStick, 0, 0, 0.3f},
        {DemoEvent::setting, 1, 0, 0.25f},
        {DemoEvent::setting, 2, 0, 1},
        {DemoEvent::setting, 19, 0, 70},
    };
    const float frameTimes[] = {16, 16, 17, 16, 0, -0.0f, 0, 0.5f, 1048576, 1048577, 3.4e38f, 16, 33};
    uint32_t frames = 0;
    for (float ms : frameTimes) {
        DemoFrame frame;
        frame.frameTime = ms;
        frame.active = frames % 3 != 1;
        frame.stateDigest = 0;
        for (size_t i = 0; i < events.size(); ++i)
            if ((i + frames) % 4 == 0) encodeEvent(events[i], demo);
        encodeFrame(frame, demo);
        ++frames;
    }
    // Many moves before one frame, as a quick hand makes while the game stands still.
    for (int i = 0; i < 500; ++i) encodeEvent({DemoEvent::mouse, 400 + (i * 37) % 200 - 100, 300 - i % 7, 0}, demo);
    encodeFrame({{}, 16, true, 0}, demo);
    ++frames;
    if (ending != Ending::cutShort) {
        DemoFinalState state{-1.5f, 2e-3f, 12345.25f, 359.9f, -7, true, frames, {{1, 1}, {7, 0}, {9, UINT32_MAX}}};
        if (ending == Ending::noTypes) state.entityCounts.clear();
        encodeFinalState(state, demo);
    }
    return demo;
}

std::string linkOf(const std::vector<unsigned char>& demo) {
    std::string link, error;
    EXPECT_TRUE(flightLinkOfDemo(demo, link, error)) << error;
    return link;
}

}  // namespace

TEST(FlightLink, EveryFieldOfADemoButEachFramesStateTravelsToTheBit) {
    for (Ending ending : {Ending::threeTypes, Ending::noTypes, Ending::cutShort}) {
        SCOPED_TRACE(int(ending));
        const std::vector<unsigned char> demo = edgeDemo(ending);
        const std::string link = linkOf(demo);
        EXPECT_EQ(link.rfind("vanturo.html#flight=", 0), 0u) << link;
        EXPECT_EQ(link.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_", 20),
                  std::string::npos);
        // Its frames have no state digests, which the edge demo gives as 0: then the bytes are the demo's.
        std::vector<unsigned char> back;
        std::string error;
        ASSERT_TRUE(demoOfFlightLink(link, back, error)) << error;
        EXPECT_EQ(back, demo);
        // The link as a page's whole address, or a file's text with its line break, reads the same.
        for (const std::string& text : {"https://example.org/play/" + link + "&from=me", link + "\r\n"}) {
            ASSERT_TRUE(demoOfFlightLink(text, back, error)) << error;
            EXPECT_EQ(back, demo);
        }
    }
    // A recorded frame's state is left out: the replay compares the final state only.
    std::vector<unsigned char> demo;
    encodeHeader({}, demo);
    encodeFrame({{}, 16, true, 0xCAFEF00Du}, demo);
    std::vector<unsigned char> back;
    std::string error;
    ASSERT_TRUE(demoOfFlightLink(linkOf(demo), back, error)) << error;
    DemoReader reader;
    DemoFrame frame;
    ASSERT_TRUE(reader.open(back, error) && reader.next(frame)) << error;
    EXPECT_EQ(frame.stateDigest, 0u);
    EXPECT_EQ(bitsOf(frame.frameTime), bitsOf(16));
}

TEST(FlightLink, ADamagedCutForgedOrForeignLinkIsRefusedInOneLine) {
    const std::string link = linkOf(edgeDemo(Ending::threeTypes));
    const size_t payload = link.find('=') + 1;
    ASSERT_EQ(link.substr(payload, 4), "VkYB");  // "VF" and version 1, four characters to themselves
    std::string flipped = link;
    flipped[link.size() / 2] = flipped[link.size() / 2] == 'A' ? 'B' : 'A';
    std::mt19937 random(7);
    std::string noise = "vanturo.html#flight=";
    for (int i = 0; i < 100000; ++i)
        noise += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"[random() % 64];
    std::string longNoise = noise;
    longNoise.replace(payload, 4, "VkYB");  // right magic and version, then noise
    const struct {
        const char* name;
        std::string text;
        const char* said;
    } cases[] = {
        {"cut in the middle", link.substr(0, link.size() / 2), "cut"},
        {"a character flipped", flipped, "its check does not match"},
        {"100,000 characters of noise", noise, "not a flight link"},
        {"noise after a right beginning", longNoise, "its check does not match"},
        {"a character no link has", link.substr(0, payload + 8) + "*" + link.substr(payload + 9),
         "a character no link has"},
        {"a later format", link.substr(0, payload) + "VkYC" + link.substr(payload + 4),
         "format version 2, and this game reads version 1"},
        {"no flight in it", "vanturo.html#fly=VkYB", "not a flight link"},
        {"nothing after its key", "vanturo.html#flight=", "not a flight link"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> demo = {1, 2, 3};
        std::string error;
        EXPECT_FALSE(demoOfFlightLink(c.text, demo, error));
        EXPECT_NE(error.find(c.said), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}
