// Termination signals: a flag for the loops, and a prompt end while a child is waited for.
#include "common/Termination.h"

#include <algorithm>
#include <csignal>
#include <cstring>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {
volatile std::sig_atomic_t caught = 0;
volatile std::sig_atomic_t childGroup = 0;

// The scratch files, in slots the handler can read without allocating: a slot's path is whole before it is
// marked used, and unmarked before it is changed.
constexpr int scratchSlots = 32;
constexpr size_t scratchPathBytes = 4096;
struct ScratchSlot {
    volatile std::sig_atomic_t used = 0;
    char path[scratchPathBytes];
};
ScratchSlot scratch[scratchSlots];

// The line said when a signal ends the program at once; empty when it is not to end at once for it.
char lastLine[1024];
volatile std::sig_atomic_t lastLineBytes = 0, nameAt = 0;  // where the signal's name goes

#if !defined(_WIN32)
void onTerminationSignal(int signal) {
    if (childGroup > 0) kill(-childGroup, SIGKILL);
    if (caught != 0 || childGroup > 0 || lastLineBytes > 0) {  // at once: only async-signal-safe calls
        if (lastLineBytes > 0) {
            const char* name = signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
            const bool ok = write(2, lastLine, size_t(nameAt)) >= 0 && write(2, name, std::strlen(name)) >= 0 &&
                            write(2, lastLine + nameAt, size_t(lastLineBytes - nameAt)) >= 0;
            (void)ok;  // nothing more to be done about a failed last word
        }
        for (ScratchSlot& slot : scratch)
            if (slot.used) unlink(slot.path);
        _exit(signalExitCode(signal));
    }
    caught = signal;
}
#endif
}  // namespace

void holdScratchFile(const char* path) {
    if (std::strlen(path) >= scratchPathBytes) return;  // too long to keep: removed on the way out only
    for (ScratchSlot& slot : scratch) {
        if (slot.used) continue;
        std::strcpy(slot.path, path);
        slot.used = 1;
        return;
    }
}

void letScratchFileGo(const char* path) {
    for (ScratchSlot& slot : scratch)
        if (slot.used && std::strcmp(slot.path, path) == 0) slot.used = 0;
}

void catchTerminationSignals() {
#if !defined(_WIN32)
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a blocked read, write or wait returns, and the program sees the flag
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
#endif
}

int terminationSignal() { return caught; }

int signalExitCode(int signal) { return 128 + signal; }

std::string signalName(int signal) {
    switch (signal) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
#if !defined(_WIN32)
        case SIGHUP: return "SIGHUP";
#endif
        default: return "signal " + std::to_string(signal);
    }
}

void watchChildGroup(int processGroup) { childGroup = processGroup; }

void endAtOnceOnSignal(const std::string& lastWords) {
    lastLineBytes = 0;  // not read half-changed
    const size_t bytes = std::min(lastWords.size(), sizeof lastLine);
    std::memcpy(lastLine, lastWords.data(), bytes);
    const size_t marker = lastWords.find("%s");
    nameAt = std::sig_atomic_t(marker < bytes ? marker : bytes);
    if (marker < bytes) std::memmove(lastLine + marker, lastLine + marker + 2, bytes - marker - 2);
    lastLineBytes = std::sig_atomic_t(marker < bytes ? bytes - 2 : bytes);
}
