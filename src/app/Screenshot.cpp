// Screenshots: the frame in the back buffer as a PNG, saved under a name of its own in the pictures folder (where
// a shared flight's demo goes too).
#include "app/Screenshot.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "assets/PngWriter.h"
#include "common/Gl.h"
#include "common/OutputFile.h"

std::string screenshotFolder = ".";

namespace {
constexpr int maxScreenshotsPerSecond = 999;  // names of one second: the stamp, then -2 to -999
}

std::vector<unsigned char> framePng() {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    if (width <= 0 || height <= 0) return {};
    const size_t row = size_t(width) * 3;
    std::vector<unsigned char> rgb(row * size_t(height)), flipped(rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    for (int y = 0; y < height; ++y)  // GL's rows run bottom up, a picture's top down
        std::copy(rgb.begin() + std::ptrdiff_t(row * size_t(height - 1 - y)),
                  rgb.begin() + std::ptrdiff_t(row * size_t(height - y)),
                  flipped.begin() + std::ptrdiff_t(row * size_t(y)));
    return encodePng(width, height, flipped);
}

std::string saveScreenshot(std::string& error) {
    const std::vector<unsigned char> png = framePng();
    if (png.empty()) {
        error = "there is no frame to save";
        return "";
    }
    return saveInPicturesFolder(png, ".png", error);
}

std::string saveInPicturesFolder(const std::vector<unsigned char>& bytes, const char* extension, std::string& error) {
    const std::time_t now = std::time(nullptr);
    char stamp[32] = "vanturo";
    if (const std::tm* local = std::localtime(&now)) std::strftime(stamp, sizeof stamp, "vanturo-%Y%m%d-%H%M%S", local);
    namespace fs = std::filesystem;
    std::error_code ignored;
    // The first name of this second that nothing has: the player's own files are never written over.
    fs::path path;
    for (int n = 1; path.empty() && n <= maxScreenshotsPerSecond; ++n) {
        const fs::path name =
            fs::path(screenshotFolder) / (stamp + (n > 1 ? "-" + std::to_string(n) : std::string()) + extension);
        if (!fs::exists(fs::symlink_status(name, ignored))) path = name;
    }
    if (path.empty()) {
        error =
            "the " + std::to_string(maxScreenshotsPerSecond) + " names of this second are taken in " + screenshotFolder;
        return "";
    }
    OutputFile file;
    if (!file.open(path.string(), error) || !file.write(bytes.data(), bytes.size()) || !file.commit()) {
        error = file.reason();
        return "";
    }
    return path.string();
}
