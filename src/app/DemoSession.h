// The demo of this run: recorded as the game is played, or played back in place of live input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/DemoFormat.h"
#include "common/OutputFile.h"

class DemoSession {
   public:
    static DemoSession& instance();

    // Starts writing a demo of this run, taken with this seed. Needs the data folder entered. False with the
    // reason when the file cannot be made. The demo takes its place at path only when finish() completes it.
    bool record(const std::string& path, uint32_t seed, std::string& error);
    // Loads a demo to play in place of live input: the game is to take seed() as its seed. paced: each frame
    // waits for its own frame time, as it was played, but no longer than the world uses of a frame (so a
    // recording of a stopped game, or a hostile one, never holds the replay up). False with a one-line reason
    // for a bad demo, or one made on another level.
    bool play(const std::string& path, bool paced, std::string& error);
    // path may also be a flight link, or a file holding one: a link keeps no state of each frame, so only the
    // final state is compared.
    uint32_t seed() const { return reader_.header().seed; }
    // The link of the demo being played. False with the reason when there is none.
    bool linkOfPlayed(std::string& link, std::string& error) const;
    bool playing() const { return playing_; }
    // Watched by someone (played at its own pace, or paced by the page): the viewer's keys work, its line shows.
    bool watched() const { return playing_ && (paced_ || pacedByShell_); }
    void setPacedByShell(bool on) { pacedByShell_ = on; }
    size_t framesInDemo() const { return reader_.frameCount(); }
    bool playedToTheEnd() const { return playing_ && framesPlayed_ >= reader_.frameCount(); }

    // Live input as a window delivers it: written down when recording. False while a demo plays, which
    // ignores live input, but for Escape (which still ends the game) and F12 (a screenshot).
    bool takeLiveInput(const DemoEvent& event);
    // A setting of the flight changed during a pass (on the settings screen): written down with the next
    // frame's input, so a replay meets it after the keys that made it, not before them (they would step it
    // once more). False while a demo plays: its keys make the change again.
    bool takeSettingChange(const DemoEvent& event);

    // Around one pass of the main loop. beforePass takes the pass's frame time and whether it draws (the
    // window's own state): a recording keeps them, a demo being played replaces them with its own. False when
    // the demo being played has no frame left.
    bool beforePass(float& frameMs, bool& drawing);
    void afterPass();

    // The end of the run. Recording: writes the final state, puts the demo in place and says where in report;
    // returns 1 (with the file and the reason in report) when any write failed. Playing: compares the state
    // with the demo's and says so in report; returns 0 when it matches, 3 when it does not, 1 when the run
    // stopped before the demo's end. Returns 0 otherwise.
    int finish(std::string& report);

    // The flight so far, flown or played, as a whole demo: what was handled up to the last frame, each frame's
    // state as it came out here, and the final state now. False when there is none (before the start, or a
    // flight past the most a demo may hold).
    bool flightSoFar(std::vector<unsigned char>& demo);
    // Hands a played demo's flight to the player: the world goes on live from exactly here, and the flight so
    // far goes on from the demo's frames played. False when no demo plays.
    bool flyFromHere();
    // Plays the demo again from its first frame, the world started again with its seed. False when none plays.
    bool playFromTheStart();
    // Frames played or flown so far.
    size_t framesSoFar() const { return framesFlown_; }

    // A live flight begins, taken with this seed (startDemos calls it).
    void beginFlight(uint32_t seed);

    // Forgets the session (tests and tools that run several games).
    void reset();

   private:
    // The demo at path, or the one a link holds (path itself, or the file's text).
    bool readDemo(const std::string& path, std::vector<unsigned char>& bytes, std::string& error);
    // Written and flushed with every frame; after a failure nothing more is written, and finish() says why.
    bool write(const std::vector<unsigned char>& bytes);

    // Recording.
    OutputFile file_;
    bool recording_ = false;
    std::vector<unsigned char> pending_;          // the events since the last frame
    std::vector<unsigned char> nextFrameEvents_;  // settings changed during this pass
    uint32_t framesRecorded_ = 0;
    // The flight so far, in memory: its header, then the records of every pass.
    DemoHeader flownHeader_;
    bool levelDigested_ = false;
    std::vector<unsigned char> flown_;
    size_t framesFlown_ = 0;
    bool flownWhole_ = false;  // false before the start, and once a flight outgrows a demo
    // Playing.
    DemoReader reader_;
    DemoFrame frame_;
    std::string playedPath_;
    bool playing_ = false, paced_ = false;
    bool pacedByShell_ = false;
    bool framesChecked_ = true;  // false for a link's flight, which carries no state for each frame
    size_t framesPlayed_ = 0;
    size_t firstDifferentFrame_ = 0;  // 0: none yet
    double lastFrameMs_ = 0;
};

// For the shells, once the data folder is entered: starts what the command line asked (a demo to play, one
// to record; either path may be empty; paced as play() says), with the tick taken at start. Sets the seed
// the game is to take.
// False, with the reason said on stderr, when it cannot.
bool startDemos(const std::string& playPath, const std::string& recordPath, bool paced, unsigned tick, unsigned& seed);
// After the main loop: finishes the demo and says how a played one went; the exit code to end with (a played
// demo's, 1 when a recording could not be written, or the usual one).
int finishDemos(int usualExitCode);

// The state of the world as a demo records it.
DemoFinalState currentFinalState(uint32_t frames);
