// vanturo-sim end to end: runs of the real program on crafted levels, checked against values worked out by
// hand from the game's rules.
#include <unistd.h>

#include "Fixtures.h"
#include "SimRun.h"
#include "audio/Wav.h"

TEST(Simulation, FliesTwelveUnitsPerUpdateCountingTheExtraUpdateAtATileCrossingThenSteersAsScripted) {
    const std::string dir = flatLevel();
    std::ofstream(dir + "/input.txt") << "# steer hard left from frame 141\n141 mouse 0 300\n161 key down 27\n";
    const SimRun run = sim("--data " + dir + " --frames 300 --frame-ms 30 --mouse 400,300 --time --input " + dir +
                           "/input.txt --trace " + dir + "/trace.jsonl");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(field(run.out, "frames"), 161);  // Escape held: the loop ends after that frame
    EXPECT_EQ(field(run.out, "steer"), 0.5);
    EXPECT_NEAR(field(run.out, "pitch"), 0.5, 1e-6);
    // Frames 141 to 161 update 21 times with steer 0.5: 5 degrees each.
    EXPECT_NEAR(field(run.out, "heading"), 105, 1e-3);
    EXPECT_NE(run.out.find("\"timing\":{\"frameMs\":{\"median\":"), std::string::npos);
    // The trace has a line of JSON a frame. By frame 140, 40 updates straight on from z = 48; the 31st crosses
    // into the next tile row, which is updated later: 41 steps.
    EXPECT_EQ(runProgram("grep -c '^{\"frame\":.*\"tilesDrawn\":.*}$' " + dir + "/trace.jsonl").out, "161\n");
    const std::string frame140 = runProgram("sed -n 140p " + dir + "/trace.jsonl").out;
    EXPECT_DOUBLE_EQ(field(frame140, "x"), 198);
    EXPECT_NEAR(field(frame140, "z"), 48 + 12 * 41, 1e-3);

    // The player's settings of the flight, from the settings file the game reads: twice the mouse's reach
    // and the camera inverted. At (500, 150): steer 2 x (0.5 - 500/800) = -0.25, and the camera's y mirrored
    // to 449, 0.5 + 2 x (449/600 - 0.5) = 0.99667; at (100, 150) the steering stops at its full 0.5.
    const std::string config = makeTempDir();
    runProgram("mkdir -p " + config + "/vanturo");
    std::ofstream(config + "/vanturo/settings.ini") << "mouse-sensitivity = 2\ninvert-camera = true\nvolume = 5\n";
    const struct {
        const char* mouse;
        double steer, pitch;
    } reaches[] = {{"500,150", -0.25, 0.99667}, {"100,150", 0.5, 0.99667}, {"400,600", 0, 0}};
    for (const auto& r : reaches) {
        const SimRun set = sim("--data " + dir + " --frames 1 --mouse " + r.mouse, "XDG_CONFIG_HOME=" + config + " ");
        EXPECT_EQ(field(set.out, "steer"), r.steer) << set.out;
        EXPECT_NEAR(field(set.out, "pitch"), r.pitch, 1e-5) << set.out;
        EXPECT_NE(set.out.find("\"settings\":\"" + config + "/vanturo/settings.ini\""), std::string::npos);
    }
}

TEST(Simulation, ScreenshotsAreTheFrameAsDrawnAndF12FindsThePicturesFolder) {
    // F12 pressed in frame 1 saves frame 2 before it is shown: the same picture as --shot of a 2-frame run.
    const std::string dir = flatLevel();
    std::ofstream(dir + "/f12.txt") << "1 key down 123\n";
    // ~/Pictures there, not there (it is made), and unmakeable (a file in its place): then the folder the game
    // was started from.
    for (const char* pictures : {"a folder", "none", "a file"}) {
        SCOPED_TRACE(pictures);
        const std::string home = makeTempDir(), started = makeTempDir();
        const bool hasPictures = std::string(pictures) != "a file";
        if (std::string(pictures) == "a folder") std::filesystem::create_directory(home + "/Pictures");
        if (!hasPictures) std::ofstream(home + "/Pictures") << "not a folder";
        const std::string where = hasPictures ? home + "/Pictures" : started;
        // The settings file that may name the pictures folder is a FIFO, or a link to an endless device:
        // neither holds the game up.
        const std::string config = makeTempDir();
        runProgram(hasPictures ? "mkfifo " + config + "/user-dirs.dirs"
                               : "ln -s /dev/zero " + config + "/user-dirs.dirs");
        const SimRun f12 =
            sim("--data " + dir + " --frames 2 --input " + dir + "/f12.txt --shot " + home + "/last.png",
                "cd " + started + " && HOME=" + home + " XDG_CONFIG_HOME=" + config + " XDG_PICTURES_DIR= ");
        ASSERT_EQ(f12.exitCode, 0) << f12.out;
        std::vector<std::string> saved;
        for (const auto& entry : std::filesystem::directory_iterator(where)) saved.push_back(entry.path().string());
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_NE(f12.out.find("screenshot saved to " + saved[0]), std::string::npos) << f12.out;
        EXPECT_EQ(bytesOf(saved[0]), bytesOf(home + "/last.png"));
        EXPECT_EQ(runProgram("identify -format '%w %h %m' " + saved[0]).out, "800 600 PNG");
    }
    // Every name of the coming seconds taken (the stamp, then -2 to -999), or a disk too small for the
    // picture: no file of the player's is written over, no half picture is left, and the reason is said.
    const std::string taken = makeTempDir(), small = makeTempDir();
    const auto takeTheComingSeconds = [&taken] {
        runProgram("bash -c 'cd " + taken + " && now=$(date +%s) && for s in $(seq 0 20); do " +
                   "t=$(date -d @$((now + s)) +%Y%m%d-%H%M%S); touch vanturo-$t.png vanturo-$t-{2..999}.png; done'");
    };
    takeTheComingSeconds();
    const struct {
        std::string folder, shellPrefix, said;
    } cases[] = {
        {taken, "", "no screenshot: the 999 names of this second are taken in " + taken},
        {small, "trap '' XFSZ; ulimit -f 64; ", "no screenshot: cannot write " + small + "/vanturo-"},
    };
    for (const auto& c : cases) {
        SimRun f12{};
        size_t before = 0;
        for (int attempt = 0; attempt < 4; ++attempt) {  // a machine so busy that the taken seconds passed first
            before = size_t(std::distance(std::filesystem::directory_iterator(c.folder), {}));
            f12 = sim("--data " + dir + " --frames 2 --input " + dir + "/f12.txt",
                      c.shellPrefix + "XDG_PICTURES_DIR=" + c.folder + " ");
            if (c.folder != taken || f12.out.find("screenshot saved to") == std::string::npos) break;
            runProgram("rm -f " + taken + "/*");
            takeTheComingSeconds();
        }
        EXPECT_EQ(f12.exitCode, 0) << f12.out;
        EXPECT_NE(f12.out.find(c.said), std::string::npos) << f12.out;
        EXPECT_EQ(size_t(std::distance(std::filesystem::directory_iterator(c.folder), {})), before);
        EXPECT_EQ(runProgram("find " + c.folder + " -size +0").out, c.folder + "\n");  // every file still empty
    }
}

TEST(Simulation, BadOptionsAndOutputOrInputProblemsAreSaidInOneLineAndNeverPassSilently) {
    const std::string dir = flatLevel();
    const std::string level = " --data " + dir + " --frames 3";
    std::ofstream(dir + "/bad.txt") << "5 jump 3\n";
    std::ofstream(dir + "/late.txt") << "1 mouse 0 0\n2147483649 key down 27\n";  // past 2^31: never frame 1
    std::ofstream(dir + "/long.txt") << std::string(2000, '1') << " mouse 0 0\n";
    std::filesystem::create_symlink(dir + "/out", dir + "/linked");
    const struct {
        std::string arguments;
        int exitCode;
        std::string said;
    } cases[] = {
        {"--frames 5x", 2, "--frames takes a whole number from 0 to 100000000"},
        {"--frame-ms 100001", 2, "--frame-ms takes a whole number from 0 to 100000"},
        {"--mouse 4", 2, "--mouse"},
        {"--settings " + dir + "/s.ini --no-settings", 2, "--settings and --no-settings cannot be used together"},
        {"--input " + dir + "/bad.txt" + level, 2, "bad.txt:1"},
        {"--input /nonexistent/input.txt", 2, "/nonexistent/input.txt"},
        {"--input " + dir + "/late.txt" + level, 2, "late.txt:2: expected"},
        {"--trace /dev/full" + level, 1, "cannot write /dev/full: No space left on device"},
        {"--shot " + dir + "/missing/frame.png" + level, 2, "cannot write " + dir + "/missing/frame.png"},
        {"--trace " + dir + "/out --shot " + dir + "/./out" + level, 2, "--trace and --shot would both write"},
        {"--shot " + dir + "/linked --record " + dir + "/out" + level, 2, "--shot and --record would both write"},
        {"--input /dev/zero" + level, 2, "/dev/zero: not a regular file"},
        {"--input " + dir + "/long.txt" + level, 2, "long.txt:1: a line longer than 1024 bytes"},
        {"--data " + dir + "/data --frames 3", 2, dir + "/data holds no data/level1.tga"},
        {"--data '' --frames 3", 2, "--data needs a folder"},
        {"--record /dev/full" + level, 2, "cannot write /dev/full: No space left on device"},
        {"--play " + dir + "/x.demo --mouse-sensitivity 4", 2,
         "a demo brings its own settings of the flight: --play goes without --mouse-sensitivity"},
    };
    for (const auto& c : cases) {
        const SimRun run = sim(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << ": " << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << c.arguments << ": " << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << c.arguments << ": " << run.out;
    }
    // The summary is an output too: stdout on a full disk is a failed run.
    const SimRun full = runProgram("{ " + std::string(VANTURO_SIM) + level + " > /dev/full; }");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.out, "vanturo-sim: cannot write the summary\n");
}

TEST(Simulation, HostileDataFilesAreRefusedWithALineWhileTheGameRunsOn) {
    // A shell command writing the header of a 32-bit TGA of the given width and height bytes (little-endian).
    const auto header = [](const std::string& size) {
        return R"(printf '\0\0\2\0\0\0\0\0\0\0\0\0)" + size + R"(\40\0')";
    };
    const std::string manyMaterials = makeTempDir() + "/ship.ms3d";
    Ms3dContent model = oneTriangleModel();
    model.materials.resize(5000, model.materials[0]);
    ASSERT_TRUE(writeMs3d(manyMaterials, model));
    const struct {
        std::string spoil;  // a shell command, run in the level's folder, that makes its data hostile
        const char* said;
        int tiles;
        const char* memoryLimit;  // ulimit -v in KiB, or null
    } cases[] = {
        // Towers fire from frame 101: the shot and fireball models are first asked for during play.
        {"mkfifo data/models/shot.ms3d", "data/models/shot.ms3d: not a regular file", 16, nullptr},
        {header(R"(\210\23\210\23)") + " > data/level1.tga",  // 5000 is 0x1388
         "5000 by 5000 pixels, larger than the 4096 by 4096 a picture may be", 0, nullptr},
        {"cp " + manyMaterials + " data/models/ship.ms3d",
         "data/models/ship.ms3d: 5000 materials, more than the 4096 a model may have", 16, nullptr},
        // 300 MB of address space holds the context (it needs about 230) but not the largest terrain (about 480).
        {"{ " + header(R"(\0\20\0\20)") + "; head -c 67108864 /dev/zero; } > data/level1.tga",
         "data/level1.tga: not enough memory", 0, "300000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
#if defined(__SANITIZE_ADDRESS__)
        if (c.memoryLimit) continue;  // the sanitizer's shadow memory cannot live under a lowered limit
#endif
        const std::string dir = flatLevel(true);
        ASSERT_EQ(runProgram("cd " + dir + " && mkdir -p data/models && " + c.spoil).exitCode, 0);
        // Under a lowered limit Mesa rasterises on the calling thread, so its own threads' stacks do not count.
        const std::string limit =
            c.memoryLimit ? std::string("ulimit -v ") + c.memoryLimit + "; LP_NUM_THREADS=0 " : "";
        const SimRun run = sim("--data " + dir + " --frames 140 --mouse 400,300", limit);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        EXPECT_EQ(field(run.out, "tiles"), c.tiles) << run.out;
        EXPECT_EQ(field(run.out, "frames"), 140) << run.out;
    }
}

TEST(Simulation, ARendererOfManyThreadsLeavesRoomUnderALoweredAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory cannot live under a lowered limit";
#endif
    // Sixteen rasteriser threads, as on a machine of sixteen cores, each once reserving an arena of its own:
    // under a gigabyte of address space the run still loads every sound and draws every frame.
    const SimRun run = sim("--data " + flatLevel(true) + " --frames 30 --no-settings --mouse 400,300",
                           "ulimit -v 1000000; LP_NUM_THREADS=16 ");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out.find("not enough memory"), std::string::npos) << run.out;
    EXPECT_EQ(field(run.out, "frames"), 30) << run.out;
}

TEST(Simulation, RefusedOrFailedRunsLeaveEveryFileAsItWasAndNoHalfFileBehind) {
    const std::string dir = flatLevel(), keep = dir + "/keep";
    std::filesystem::create_directory(keep);
    std::ofstream(dir + "/bad.demo") << "VNTDEMO";
    const std::string outputs = " --trace " + keep + "/t --shot " + keep + "/s";
    // A disk that fills up during the run: a file may grow to 8 KiB, and the signal that would kill the
    // program for it is ignored, so the write fails as on a full disk.
    // (Under the sanitizer suite the leak checker's tracer crashes at exit in some layouts of such a process;
    // leaks are checked by every other run, so these runs skip that check.)
    const std::string smallDisk = "trap '' XFSZ; ulimit -f 8; ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 ";
    const struct {
        std::string arguments, shellPrefix;
        int exitCode;
        std::string said;
    } cases[] = {
        {"--data " + keep + outputs, "", 2, keep + " holds no data/level1.tga"},
        {"--data " + dir + " --play " + dir + "/bad.demo" + outputs, "", 2, "bad.demo: "},
        {"--data " + dir + " --frames 200" + outputs, smallDisk, 1, "cannot write " + keep + "/t: File too large"},
        {"--data " + dir + " --frames 3000 --mouse 0,300 --record " + keep + "/r", smallDisk, 1,
         "cannot write " + keep + "/r: File too large (the demo stopped after "},
        // The settings file read is no place for an output, by any name.
        {"--data " + dir + " --settings " + keep + "/./t --trace " + keep + "/t", "", 2,
         "--trace would write over the settings file " + keep + "/t"},
        {"--data " + dir + " --settings " + keep + "/s --audio " + dir + "/../" +
             std::filesystem::path(dir).filename().string() + "/keep/s",
         "", 2, "--audio would write over the settings file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        for (const char* name : {"t", "s", "r"}) std::ofstream(keep + "/" + name) << "the player's own " << name;
        const SimRun run = sim(c.arguments, c.shellPrefix);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
        size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(keep)) {
            ++files;
            const std::string name = entry.path().filename().string();
            EXPECT_EQ(runProgram("cat " + entry.path().string()).out, "the player's own " + name);
        }
        EXPECT_EQ(files, 3u);
    }
}

TEST(Simulation, StreamsGetAWholeWavSpecialPathsAreFilesAndASignalKeepsEveryOlderFile) {
    const std::string dir = flatLevel(), keep = makeTempDir();
    const std::string run = std::string(VANTURO_SIM) + " --data " + dir + " --mouse 400,300";
    // Standard output redirected into a file, and a pipe: a WAV the readers take to its end, and the summary
    // kept out of the sound's way. 30 frames of 20 ms, the first of none: 25,578 frames of sound.
    const std::string sound = run + " --frames 30 --frame-ms 20 --audio /dev/stdout";
    ASSERT_EQ(runProgram("{ " + sound + " > " + keep + "/out.wav 2>" + keep + "/summary; }").exitCode, 0);
    EXPECT_EQ(field(runProgram("cat " + keep + "/summary").out, "frames"), 30);
    ASSERT_EQ(runProgram("{ " + sound + " 2>/dev/null | cat > " + keep + "/piped.wav; }").exitCode, 0);
    // Standard error into the same file as the sound: refused, before anything else is written there.
    EXPECT_EQ(runProgram("{ " + sound + " > " + keep + "/both.wav 2>&1; }").exitCode, 2);
    EXPECT_EQ(runProgram("cat " + keep + "/both.wav").out,
              "vanturo-sim: --audio names where standard error goes, and what is said there would spoil it\n");
    for (const char* name : {"out.wav", "piped.wav"}) {
        SCOPED_TRACE(name);
        Sound sound;
        ASSERT_TRUE(loadWav((keep + "/" + name).c_str(), sound));
        EXPECT_EQ(sound.frames(), 25578u);
        EXPECT_EQ(runProgram("sox " + keep + "/" + name + " -n stat 2>&1 | grep -c 'Samples read: *51156'").out, "1\n");
    }
    // A replaced file keeps its mode; a folder is refused before the run; a path under /dev that is a file
    // (a tmpfs such as /dev/shm) is a file like any other, kept as it was by a refused run.
    std::ofstream(keep + "/mine.jsonl") << "the player's own";
    std::filesystem::permissions(keep + "/mine.jsonl", std::filesystem::perms(0600));
    ASSERT_EQ(sim("--data " + dir + " --frames 2 --trace " + keep + "/mine.jsonl").exitCode, 0);
    EXPECT_EQ(std::filesystem::status(keep + "/mine.jsonl").permissions(), std::filesystem::perms(0600));
    const SimRun folder = sim("--data " + dir + " --frames 100000000 --audio " + keep);
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_EQ(folder.out, "vanturo-sim: cannot write " + keep + ": it is a folder\n");
    if (std::filesystem::is_directory("/dev/shm")) {
        const std::string shm = "/dev/shm/vanturo-" + std::to_string(getpid()) + ".jsonl";
        std::ofstream(shm) << "kept";
        EXPECT_EQ(sim("--data " + dir + "/nowhere --trace " + shm).exitCode, 2);
        EXPECT_EQ(runProgram("cat " + shm).out, "kept");
        std::filesystem::remove(shm);
    }

    // A signal once the run is writing: it ends as a failure in one line, older files stay as they were and
    // nothing is left beside them.
    for (const std::string signal : {"TERM", "INT", "HUP"}) {
        SCOPED_TRACE(signal);
        for (const char* name : {"a", "t", "r"}) std::ofstream(keep + "/" + name) << "older " << name;
        const SimRun stopped = signalledRun(
            run + " --frames 100000000 --audio " + keep + "/a --trace " + keep + "/t --record " + keep + "/r",
            "[ -s " + keep + "/.t.*.tmp ]", signal);
        EXPECT_EQ(stopped.exitCode, 128 + (signal == "TERM" ? 15 : signal == "INT" ? 2 : 1)) << stopped.out;
        EXPECT_EQ(std::count(stopped.out.begin(), stopped.out.end(), '\n'), 1) << stopped.out;
        EXPECT_NE(stopped.out.find("vanturo-sim: stopped by SIG" + signal), std::string::npos) << stopped.out;
        for (const char* name : {"a", "t", "r"})
            EXPECT_EQ(runProgram("cat " + keep + "/" + name).out, "older " + std::string(name));
        EXPECT_EQ(runProgram("ls -A " + keep + " | grep -c tmp").out, "0\n");
    }
}
