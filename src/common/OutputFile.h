// Output files, the one way every program writes: a new file is written beside its target and moved into
// place only when it is whole and flushed, so a failed or refused run leaves any older file as it was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class OutputFile {
   public:
    OutputFile() = default;
    ~OutputFile() { discard(); }  // never committed: the target stays as it was
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Begins the file for path. What is not a place for files (a pipe, terminal, device or socket, or one of
    // the process's standard streams, as /dev/stdout is) is written straight through; anything else goes into
    // a new file beside path, which takes the old file's mode, so a link at path is replaced, never written
    // through. False, with "cannot write PATH: WHY" in error, when it cannot be begun (a folder, say).
    bool open(const std::string& path, std::string& error);
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // False once any write has failed; the first failure's reason stays in reason().
    bool write(const void* data, size_t size);
    bool write(const std::string& text) { return write(text.data(), text.size()); }
    // Writes over the file's first bytes (a header whose counts are known only at the end). False for a
    // stream that cannot seek, which keeps what was first written, or after a failure.
    bool rewriteStart(const void* data, size_t size);
    // Hands what was written to the system (a demo does so every frame, so a crash keeps the flight so far
    // in the file beside its target).
    bool flush();
    // Flushes, syncs and closes the file and moves it over path. False, with reason(), when that or any
    // earlier write failed: path then stays as it was.
    bool commit();
    // Drops what was written: path stays as it was.
    void discard();
    const std::string& reason() const { return reason_; }

   private:
    void fail(const std::string& why);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::string temporary_;  // the file beside path being written; "" when written straight through
    bool seekable_ = false;  // a regular file: its start can be written again
    bool failed_ = false;
    std::string reason_;
};

// Removes what a run that was killed while writing path left beside it (the new file it had begun, named
// .NAME.PID-N.tmp): one whose process is no longer running (on Windows, one not touched for a minute).
void removeStaleScratchFiles(const std::string& path);

// Whether path is the file one of the program's standard streams (1 output, 2 error) goes to: /dev/stdout,
// or the file it is redirected into, by any name.
bool isStandardStream(const std::string& path, int stream);

// Whether two output paths name one file: spelt alike once made absolute and tidied, or the same file
// through a link. Checked before anything is written, so that one output never overwrites another.
bool sameOutputPath(const std::string& a, const std::string& b);
