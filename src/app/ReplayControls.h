// Watching a played flight: held or going, at a speed from a quarter to eight times its own, and handed to the
// player at any moment. The keys while a demo plays: Space holds and goes on, Up (or +) and Down (or -)
// double and halve the speed, Left and Right go a tenth of the flight back and on, Home restarts it, Enter flies
// on from here.
#pragma once

#include <cstddef>
#include <string>

class ReplayControls {
   public:
    static ReplayControls& instance();

    bool held() const { return held_; }
    void setHeld(bool held) { held_ = held; }
    // The speed as a power of two, from minSpeedStep (a quarter) to maxSpeedStep (eight times).
    static constexpr int minSpeedStep = -2, maxSpeedStep = 3;
    void changeSpeed(int steps);
    float speed() const;
    // Hands the flight to the player from the frame just played; false when no demo plays.
    bool flyFromHere();
    // Goes to a frame of the flight: the world re-run from the start on the flight's own clock, flat out (from
    // where it is, when the frame lies ahead), drawn as it goes. Frame 0 restarts it.
    void seek(size_t frame);
    bool seeking() const;

    // A live key going down while a demo plays: true when it was one of the viewer's.
    bool takeKey(int code);
    // What the viewer shows: "Replay x2: Space holds, Up/Down speed, Left/Right/Home seek, Enter flies from here".
    std::string status() const;

    void reset() { held_ = false, speedStep_ = 0, seekTo_ = 0; }

   private:
    bool held_ = false;
    int speedStep_ = 0;
    size_t seekTo_ = 0;
};
