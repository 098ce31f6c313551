// Whole files into memory: the one way the game reads its data files, and how it says why it refused one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Reads the file at path into bytes. Only a regular file is read: a directory, FIFO, device or socket is
// refused without opening it, so nothing can block. A missing file is refused silently (the game runs on
// without it); a link to nothing or a loop of links, one that is not a regular file, is larger than maxBytes,
// does not fit in memory or cannot be read is refused with a line on stderr. On refusal bytes is left empty.
bool readWholeFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes);
// The same, with the reason for a refusal in why ("" for a missing file) instead of on stderr: for a caller
// that says it in its own line.
bool readWholeFile(const char* path, size_t maxBytes, std::vector<unsigned char>& bytes, std::string& why);
