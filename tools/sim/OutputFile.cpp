// An output file of the simulation: every write checked, so a full disk or a bad path never passes unseen.
#include "OutputFile.h"

#include <cerrno>
#include <cstring>

bool OutputFile::open(const std::string& path, std::string& error) {
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) error = "cannot write " + path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void OutputFile::fail() {
    if (!failed_) reason_ = "cannot write " + path_ + ": " + std::strerror(errno);
    failed_ = true;
}

bool OutputFile::write(const void* data, size_t size) {
    if (!file_ || failed_) return false;
    if (std::fwrite(data, 1, size, file_) != size) fail();
    return !failed_;
}

bool OutputFile::close() {
    if (!file_) return !failed_;
    if (std::fflush(file_) != 0 || std::ferror(file_)) fail();
    if (std::fclose(file_) != 0) fail();
    file_ = nullptr;
    return !failed_;
}
