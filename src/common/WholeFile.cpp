// Whole files into memory: regular files only, within a size, with every refusal but a missing file said.
#include "common/WholeFile.h"

#include "common/Report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

bool readWholeFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes) {
    std::string why;
    if (readWholeFile(path, maxBytes, bytes, why)) return true;
    if (!why.empty()) reportRefusal(path, why);
    return false;
}

bool readWholeFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes, std::string& why) {
    bytes.clear();
    why.clear();
    if (!path) return false;
    std::error_code error;
    // Asked before opening: opening a FIFO for reading waits for a writer that may never come.
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        // Missing is silent; a link that leads nowhere, or round in a loop, was somebody's doing.
        std::error_code ignored;
        if (error.value() == ELOOP) why = "a loop of links: not read";
        else if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored)))
            why = "a link to nothing: not read";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        why = "not a regular file: not read";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) {
        if (errno != ENOENT) why = std::strerror(errno);
        return false;
    }
    const long length = std::fseek(file.get(), 0, SEEK_END) == 0 ? std::ftell(file.get()) : -1;
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        why = "cannot find its size";
        return false;
    }
    if (static_cast<unsigned long>(length) > maxBytes) {
        why = std::to_string(length) + " bytes, larger than the " + std::to_string(maxBytes) +
              " such a file may be: not read";
        return false;
    }
    try {
        bytes.resize(size_t(length));
    } catch (const std::bad_alloc&) {
        why = "not enough memory to read it";
        return false;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        why = std::ferror(file.get()) ? std::strerror(errno) : "it shrank while it was read";
        bytes.clear();
        return false;
    }
    return true;
}
