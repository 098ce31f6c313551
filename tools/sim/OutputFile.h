// An output file of the simulation: opened before the run, every write checked, closed with its result.
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
   public:
    OutputFile() = default;
    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates (or empties) the file at path. False, with the reason in error, when it cannot be written.
    bool open(const std::string& path, std::string& error);
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // False once any write has failed; the first failure's reason stays in the reason().
    bool write(const void* data, size_t size);
    bool write(const std::string& text) { return write(text.data(), text.size()); }
    // Flushes and closes; false if that or any earlier write failed.
    bool close();
    const std::string& reason() const { return reason_; }

   private:
    void fail();

    std::FILE* file_ = nullptr;
    std::string path_;
    bool failed_ = false;
    std::string reason_;
};
