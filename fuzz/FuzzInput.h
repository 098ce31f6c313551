// Fuzz helpers: the input as a file, since the game's readers take paths.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

// Writes the input to a file of this process's own and returns its path.
inline std::string writeFuzzInput(const unsigned char* data, size_t size, const char* suffix) {
    static const std::string path = "/tmp/vanturo-fuzz-" + std::to_string(getpid()) + suffix;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
