// Demos through vanturo-sim: a recorded run replays to its own state, and every kind of bad demo is refused
// in one line with exit code 2, never played.

#include "Fixtures.h"
#include "HangGuard.h"
#include "SimRun.h"
#include "app/DemoFormat.h"

#include <nlohmann/json.hpp>

TEST(Demo, ARecordedRunReplaysToItsStateAndAnyDifferenceIsFoundAtItsFrame) {
    // A level with a tower firing at the flight path, steering both ways, a pause and its end.
    const std::string dir = flatLevel(true);
    // F12 held for three frames, as a hand presses it: a picture while recording, none on any replay.
    std::ofstream(dir + "/input.txt") << "101 mouse 100 500\n120 key down 123\n123 key up 123\n150 mouse 700 200\n"
                                         "200 key down 80\n201 key up 80\n230 key down 80\n231 key up 80\n";
    const std::string pictures = makeTempDir();
    const std::string intoPictures = "XDG_PICTURES_DIR=" + pictures + " ";
    const SimRun recorded = sim(
        "--data " + dir + " --frames 300 --input " + dir + "/input.txt --record " + dir + "/run.demo", intoPictures);
    ASSERT_EQ(recorded.exitCode, 0) << recorded.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pictures), {}), 1);
    const std::vector<unsigned char> demo = bytesOf(dir + "/run.demo");

    // The same demo with frame 150 a millisecond longer.
    DemoReader reader;
    std::string error;
    ASSERT_TRUE(reader.open(demo, error)) << error;
    std::vector<unsigned char> longer;
    encodeHeader(reader.header(), longer);
    DemoFrame frame;
    for (size_t n = 1; reader.next(frame); ++n) {
        frame.frameTime += n == 150 ? 1 : 0;
        for (const DemoEvent& event : frame.events) encodeEvent(event, longer);
        encodeFrame(frame, longer);
    }
    encodeFinalState(reader.finalState(), longer);
    std::vector<unsigned char> cut = demo;
    cut.resize(cut.size() - 80);  // the final state and part of the last frames: a crash while recording
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        int exitCode;
        const char* said;
    } cases[] = {
        {"cut short", cut, 0, "the recording was cut short"},
        {"one frame 1 ms longer", longer, 3, "differs from the demo's (first at frame 150)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/\"" + c.name + "\" \\.demo";  // a name the summary's JSON must escape
        writeBytes(path, c.bytes);
        const SimRun run = sim("--data " + dir + " --play '" + path + "'", intoPictures);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
        const size_t begin = run.out.find("{\"frames\"");
        ASSERT_NE(begin, std::string::npos) << run.out;
        const auto summary = nlohmann::json::parse(run.out.substr(begin, run.out.find('\n', begin) - begin));
        const std::string report = summary["demo"]["report"];
        EXPECT_EQ(report.rfind(path + ": ", 0), 0u) << report;
        EXPECT_NE(report.find(c.said), std::string::npos) << report;
    }
    // The replayed run is the recorded one, to the last bit.
    const SimRun replayed = sim("--data " + dir + " --play " + dir + "/run.demo", intoPictures);
    EXPECT_NE(replayed.out.find("played 300 of 300 frames: the state matches the demo's"), std::string::npos);
    const auto state = [](const std::string& out) {
        const size_t begin = out.find("{\"frames\"");
        return out.substr(begin, out.find(",\"startupMs\"") - begin);
    };
    EXPECT_EQ(state(replayed.out), state(recorded.out));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pictures), {}), 1);

    // Flown with settings of the player's own (the mouse's reach, the camera, P moved to F5), the mouse's reach
    // raised on the settings screen in flight (F2, six rows down, one step right, Escape), the flight replays
    // where every setting is at its default: the demo carries them, and the change where it was made.
    std::ofstream(dir + "/own.ini") << "mouse-sensitivity = 0.5\ninvert-camera = true\nkey-pause = F5\n";
    std::ofstream flight(dir + "/f5.txt");
    flight << "101 mouse 100 500\n";
    int at = 110;
    for (int key : {0x71, 0x28, 0x28, 0x28, 0x28, 0x28, 0x28, 0x27, 0x1B}) {
        flight << at << " key down " << key << "\n" << at + 1 << " key up " << key << "\n";
        at += 2;
    }
    flight << "150 mouse 700 200\n200 key down 116\n201 key up 116\n";
    flight.close();
    const SimRun own = sim("--data " + dir + " --frames 300 --input " + dir + "/f5.txt --settings " + dir +
                           "/own.ini --record " + dir + "/own.demo");
    const SimRun elsewhere = sim("--data " + dir + " --play " + dir + "/own.demo --no-settings");
    EXPECT_EQ(elsewhere.exitCode, 0) << elsewhere.out;
    EXPECT_EQ(state(elsewhere.out), state(own.out));
    EXPECT_NE(state(own.out), state(recorded.out));
    EXPECT_NE(own.out.find("\"steer\":-0.28125"), std::string::npos) << own.out;  // 3/4 of the mouse's full turn
}

TEST(Demo, TwoRunsRecordingToOneFileLeaveOneWholeDemo) {
    const std::string dir = flatLevel(true), demo = dir + "/shared.demo";
    const std::string run = hangGuard() + std::string(VANTURO_SIM) + " --data " + dir + " --record " + demo;
    const SimRun both = runProgram(run + " --frames 400 --mouse 100,300 >/dev/null & " + run +
                                   " --frames 300 --mouse 700,200 >/dev/null; b=$?; wait $!; exit $(($? | b))");
    ASSERT_EQ(both.exitCode, 0) << both.out;
    const SimRun replayed = sim("--data " + dir + " --play " + demo);
    EXPECT_EQ(replayed.exitCode, 0) << replayed.out;
    EXPECT_NE(replayed.out.find("the state matches the demo's"), std::string::npos) << replayed.out;
}

TEST(Demo, BadDemosAreRefusedInOneLineWithCodeTwo) {
    const std::string dir = flatLevel(false), other = flatLevel(true);
    ASSERT_EQ(sim("--data " + dir + " --frames 120 --mouse 300,300 --record " + dir + "/run.demo").exitCode, 0);
    const std::vector<unsigned char> demo = bytesOf(dir + "/run.demo");
    auto patched = [&demo](size_t at, std::vector<unsigned char> with) {
        std::vector<unsigned char> bytes = demo;
        std::copy(with.begin(), with.end(), bytes.begin() + std::ptrdiff_t(at));
        return bytes;
    };
    std::vector<unsigned char> trailing = demo;
    trailing.push_back(6);
    const size_t finalTypes = demo.size() - 8 * 5 - 1;  // the final state's count of entity types
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::string level;
        const char* said;
    };
    const Case cases[] = {
        {"not a demo", patched(0, {'V', 'N', 'T', 'X'}), dir, "not a Vanturo demo"},
        {"a later version", patched(8, {2, 0}), dir, "format version 2, and this game reads version 1"},
        {"another level", demo, other, "recorded on another level"},
        {"cut inside its header", std::vector<unsigned char>(demo.begin(), demo.begin() + 20), dir,
         "truncated inside its header"},
        {"an unknown record", patched(32, {99}), dir, "an unknown record (kind 99) at byte 32"},
        {"a key event neither down nor up", patched(32, {2, 65, 7}), dir, "an input event no game gives at byte 32"},
        {"a mouse five times as far-reaching", patched(32, {8, 1, 0, 0, 0xA0, 0x40}), dir,
         "an input event no game gives at byte 32"},
        {"Escape for a key", patched(32, {8, 19, 0, 0, 0xD8, 0x41}), dir, "an input event no game gives at byte 32"},
        {"200 entity types", patched(finalTypes, {200}), dir, "200 entity types in the final state"},
        {"a ship filed twice over", patched(finalTypes - 5, {2}), dir, "a final state no game gives"},
        {"bytes after the end", trailing, dir, "bytes after its final state"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir + "/bad.demo", c.bytes);
        const SimRun run = sim("--data " + c.level + " --play " + dir + "/bad.demo");
        EXPECT_EQ(run.exitCode, 2) << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }
    // A demo that is not there, or a folder in its place, is said in the same way.
    for (const auto& [path, said] : {std::pair{dir + "/gone.demo", ": no such file"}, {dir, ": not a regular file"}}) {
        SCOPED_TRACE(said);
        const SimRun run = sim("--data " + dir + " --play " + path);
        EXPECT_EQ(run.exitCode, 2) << run.out;
        EXPECT_NE(run.out.find(path + said), std::string::npos) << run.out;
    }
}

TEST(Demo, AFlightsLinkReplaysAsItsDemoAndOneOverAnotherLevelOrDamagedIsRefused) {
    const std::string dir = flatLevel(true), other = flatLevel(false);
    std::ofstream(dir + "/input.txt") << "101 mouse 100 500\n150 mouse 700 200\n200 key down 80\n201 key up 80\n"
                                         "230 key down 80\n231 key up 80\n260 mouse 0 0\n";
    ASSERT_EQ(
        sim("--data " + dir + " --frames 300 --input " + dir + "/input.txt --record " + dir + "/run.demo").exitCode, 0);
    const SimRun fromDemo = sim("--data " + dir + " --play " + dir + "/run.demo --link " + dir + "/run.link");
    ASSERT_EQ(fromDemo.exitCode, 0) << fromDemo.out;
    const std::vector<unsigned char> bytes = bytesOf(dir + "/run.link");
    const std::string link(bytes.begin(), bytes.end() - 1);
    EXPECT_EQ(link.rfind("vanturo.html#flight=", 0), 0u) << link;
    const auto state = [](const std::string& out) {
        const size_t begin = out.find("{\"frames\"");
        return out.substr(begin, out.find(",\"startupMs\"") - begin);
    };
    // The file holding the link, and the link itself, play to the demo's state, which they compare.
    for (const std::string& played : {dir + "/run.link", link}) {
        const SimRun run = sim("--data " + dir + " --play " + played);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        EXPECT_EQ(state(run.out), state(fromDemo.out));
        EXPECT_NE(run.out.find("played 300 of 300 frames: the state matches"), std::string::npos) << run.out;
    }
    std::string damaged = link;
    damaged[damaged.size() - 10] = damaged[damaged.size() - 10] == 'x' ? 'y' : 'x';
    const struct {
        const char* name;
        std::string arguments;
        int exitCode;
        const char* said;
    } refusals[] = {
        {"over another level", "--data " + other + " --play " + link, 2, "the flight link: recorded on another level"},
        {"damaged", "--data " + dir + " --play " + damaged, 2, "the flight link: a damaged or cut flight link"},
        {"a link without a flight", "--data " + dir + " --frames 5 --link " + dir + "/x.link", 2,
         "--link writes the link of the flight --play plays"},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.name);
        const SimRun run = sim(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }
}

TEST(Demo, TheShareKeySavesTheFlightSoFarBesideThePicturesAndSaysItsLinkAndBothReplay) {
    const std::string dir = flatLevel(true), pictures = makeTempDir();
    std::ofstream(dir + "/input.txt") << "101 mouse 100 500\n150 mouse 700 200\n200 key down 76\n201 key up 76\n";
    const SimRun shared =
        sim("--data " + dir + " --frames 300 --input " + dir + "/input.txt", "XDG_PICTURES_DIR=" + pictures + " ");
    ASSERT_EQ(shared.exitCode, 0) << shared.out;
    const size_t at = shared.out.find("the flight's link: ");
    ASSERT_NE(at, std::string::npos) << shared.out;
    const std::string link = shared.out.substr(at + 19, shared.out.find('\n', at) - at - 19);
    std::vector<std::string> demos;
    for (const auto& entry : std::filesystem::directory_iterator(pictures)) demos.push_back(entry.path().string());
    ASSERT_EQ(demos.size(), 1u);
    EXPECT_EQ(std::filesystem::path(demos[0]).extension(), ".demo");
    // Both hold the 200 frames before the key's frame ended, and its state then.
    for (const std::string& played : {demos[0], link}) {
        const SimRun run = sim("--data " + dir + " --play " + played);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        EXPECT_NE(run.out.find("played 200 of 200 frames: the state matches"), std::string::npos) << run.out;
    }
}
