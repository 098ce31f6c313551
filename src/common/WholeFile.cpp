// Whole files into memory: regular files only, within a size, with every refusal but a missing file said.
#include "common/WholeFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

void reportRefusal(const char* path, const char* why) { std::fprintf(stderr, "%s: %s\n", path, why); }

bool readWholeFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes) {
    bytes.clear();
    if (!path) return false;
    std::error_code error;
    // Asked before opening: opening a FIFO for reading waits for a writer that may never come.
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) return false;
    if (!std::filesystem::is_regular_file(status)) {
        reportRefusal(path, "not a regular file: not read");
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    if (static_cast<unsigned long>(length) > maxBytes) {
        const std::string why = std::to_string(length) + " bytes, larger than the " + std::to_string(maxBytes) +
                                " such a file may be: not read";
        reportRefusal(path, why.c_str());
        return false;
    }
    try {
        bytes.resize(size_t(length));
    } catch (const std::bad_alloc&) {
        reportRefusal(path, "not enough memory to read it");
        return false;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}
