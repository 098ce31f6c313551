// GlTest: a fixture that gives each test a fresh, current headless GL context and a clean game state.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// Where the pixels brighter than a threshold in every channel lie, in a band of rows.
struct BrightPixels {
    int count = 0, left = 800, right = -1, bottom = 600, top = -1;
};

class GlTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

    // RGBA of the pixel at (x, y), y counted from the bottom of the 800 by 600 frame.
    std::vector<unsigned char> readPixel(int x, int y) const;
    // Every pixel of the frame, RGBA, bottom row first.
    std::vector<unsigned char> readFrame() const;
    BrightPixels brightPixels(int threshold, int fromRow = 0, int toRow = 600) const;
    // An 800 by 600 frame cleared to black, looking down -z through the given box, modelview reset.
    void orthoFrame(double left, double right, double bottom, double top, double zNear, double zFar) const;
    // Texturing on, with a one-texel texture of this colour bound, as a model's skin leaves it.
    void bindTexel(unsigned char r, unsigned char g, unsigned char b) const;
};

// Resets the process-wide game state: level, ship, shell values, texture cache.
void resetGameState();

// A fresh, empty folder for the test's files; the working directory is left alone.
std::string makeTempDir();

// Runs a test body with the working directory changed to dir, restoring it afterwards.
class ScopedWorkingDirectory {
   public:
    explicit ScopedWorkingDirectory(const std::string& dir) { std::filesystem::current_path(dir); }
    ~ScopedWorkingDirectory() { std::filesystem::current_path(previous_); }

   private:
    const std::filesystem::path previous_ = std::filesystem::current_path();
};
