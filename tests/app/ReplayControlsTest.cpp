// Watching a played flight: held, it stands; at any frame the player may fly on from it, and the flight so far
// (the played frames, then the new ones) replays to where the new flight went.

#include "Fixtures.h"
#include "app/DemoSession.h"
#include "app/ReplayControls.h"
#include "common/GameRandom.h"

namespace {

class ReplayControlsTest : public GlTest {
   protected:
    // A flat level with a tower firing at the start, and a flight begun on it: recorded, or played from demo.
    std::string startFlight(const std::string& playPath, std::string folder = "") {
        resetGameState();
        DemoSession::instance().reset();
        if (folder.empty()) {
            ObjectMap map(64, 64);
            map.set(20, 10, 0, 1, 0, 0);
            map.set(22, 14, 1, 0, 0, 0);
            folder = writeLevelFolder(map);
        }
        cwd_.reset();  // back where the test began before entering the level's folder again
        cwd_ = std::make_unique<ScopedWorkingDirectory>(folder);
        resizeViewport(800, 600);
        unsigned seed = 0;
        EXPECT_TRUE(startDemos(playPath, "", false, 1234, seed));
        gameSrand(seed);
        EXPECT_TRUE(setupScene());
        return folder;
    }
    static void passes(int count, unsigned mouseX = 0) {
        for (int i = 0; i < count; ++i) {
            if (mouseX) onMouseMove(mouseX + unsigned(i % 7), 300);
            virtualClock::advanceTick(16 + unsigned(i % 3));
            loopPass();
        }
    }
    static std::vector<unsigned char> flightSoFar() {
        std::vector<unsigned char> demo;
        EXPECT_TRUE(DemoSession::instance().flightSoFar(demo));
        return demo;
    }
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
};

}  // namespace

TEST_F(ReplayControlsTest, ASeekOnOrBackOrARestartPlaysToTheFlightsOwnEnd) {
    const std::string folder = startFlight("");
    passes(300, 200);
    const std::string demo = folder + "/flown.demo";
    writeBytes(demo, flightSoFar());
    ReplayControls& controls = ReplayControls::instance();
    // Where the watching stands when the seek is asked for, and the frame it asks for.
    const struct {
        int at;
        size_t to;
    } seeks[] = {{200, 80}, {50, 250}, {120, 0}, {300, 10}};
    for (const auto& s : seeks) {
        SCOPED_TRACE(std::to_string(s.at) + " to " + std::to_string(s.to));
        startFlight(demo, folder);
        DemoSession::instance().setPacedByShell(true);
        passes(s.at);
        controls.seek(s.to);
        EXPECT_EQ(controls.seeking(), s.to > DemoSession::instance().framesSoFar());
        while (controls.seeking()) passes(1);
        EXPECT_EQ(DemoSession::instance().framesSoFar(), s.to);
        EXPECT_EQ(frameCount, int(s.to));  // the world started again for a seek back
        passes(300);
        std::string report;
        EXPECT_EQ(DemoSession::instance().finish(report), 0) << report;
        EXPECT_NE(report.find("played 300 of 300 frames: the state matches"), std::string::npos) << report;
    }
    DemoSession::instance().reset();
    cwd_.reset();
}

TEST_F(ReplayControlsTest, AFlightTakenOverAtAnyFrameReplaysWholeToWhereTheNewFlightWent) {
    const std::string folder = startFlight("");
    passes(300, 200);
    const std::string first = folder + "/first.demo";
    writeBytes(first, flightSoFar());
    for (const int takeOverAt : {1, 150, 300}) {
        SCOPED_TRACE(takeOverAt);
        startFlight(first, folder);
        DemoSession::instance().setPacedByShell(true);  // watched: the viewer's keys work
        passes(takeOverAt, 650);                        // the live mouse steers nothing while it plays
        onKey(0x20, true);                              // Space holds; held, the page and the loop draw nothing
        EXPECT_TRUE(ReplayControls::instance().held());
        onKey(0x20, false);
        onKey(0x0D, true), onKey(0x0D, false);  // Enter: fly from here
        EXPECT_FALSE(DemoSession::instance().playing());
        passes(200, 650);
        const DemoFinalState flown = currentFinalState(uint32_t(takeOverAt + 200));
        EXPECT_LT(Ship::player.steer, -0.2f);  // the live mouse steers now
        const std::string second = folder + "/second.demo";
        writeBytes(second, flightSoFar());
        startFlight(second, folder);
        passes(takeOverAt + 200);
        EXPECT_TRUE(currentFinalState(uint32_t(takeOverAt + 200)) == flown);
        std::string report;
        EXPECT_EQ(DemoSession::instance().finish(report), 0) << report;
    }
    DemoSession::instance().reset();
    cwd_.reset();
}
