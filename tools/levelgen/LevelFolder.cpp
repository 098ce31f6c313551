// The level's folder: a lock on the folder that holds it, the checks before a replacement, the swap, the
// recovery after a stopped run.
#include "LevelFolder.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/Report.h"
#include "common/Termination.h"
#include "world/LevelFormat.h"

namespace fs = std::filesystem;

namespace {

fs::path holdingFolder(const fs::path& dataDir) { return dataDir.parent_path().empty() ? "." : dataDir.parent_path(); }

// ".data.new-1234" beside "data": the run's pid, or 0 for a name of another kind.
int runOf(const std::string& name, const std::string& dataName) {
    for (const char* what : {".new-", ".old-"}) {
        const std::string prefix = "." + dataName + what;
        if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size() &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
            return std::atoi(name.c_str() + prefix.size());
    }
    return 0;
}

bool hasTerrain(const fs::path& folder) {
    std::error_code error;
    const std::string terrain = terrainFile;
    return fs::is_regular_file(folder / terrain.substr(terrain.find('/') + 1), error);
}

}  // namespace

LevelFolderLock::LevelFolderLock(const fs::path& dataDir) {
    const fs::path holder = holdingFolder(dataDir);
    std::error_code error;
    fs::create_directories(holder, error);
    fd_ = ::open(holder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        why_ = shortPath(holder.string()) + " is not a folder that can be written into (" + std::strerror(errno) + ")";
        return;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
    reportNote("waiting for another vanturo-levelgen writing into " + shortPath(holder.string()));
    while (flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR && !terminationSignal()) continue;
        why_ = errno == EINTR ? "stopped by " + signalName(terminationSignal()) : std::strerror(errno);
        ::close(fd_);
        fd_ = -1;
        return;
    }
}

LevelFolderLock::~LevelFolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}

bool LevelFolderLock::held(std::string& why) const {
    why = why_;
    return fd_ >= 0;
}

std::string cannotReplace(const fs::path& dataDir) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(dataDir, error);
    if (!fs::exists(status)) return "";
    const std::string name = shortPath(dataDir.string());
    if (fs::is_symlink(status)) return name + " is a link, not a level folder: it is left as it is";
    if (!fs::is_directory(status)) return name + " is not a level folder: it is left as it is";
    if (!hasTerrain(dataDir) && !fs::is_empty(dataDir, error))
        return name + " holds no level (no " + terrainFile + "): it is left as it is";
    if (access(dataDir.c_str(), W_OK | X_OK) != 0)
        return name + " cannot be emptied (" + std::strerror(errno) + "): the level there is left as it was";
    return "";
}

void recoverStoppedRuns(const fs::path& dataDir) {
    std::error_code error;
    const std::string dataName = dataDir.filename().string();
    for (const fs::directory_entry& entry : fs::directory_iterator(holdingFolder(dataDir), error)) {
        const std::string name = entry.path().filename().string();
        const int run = runOf(name, dataName);
        if (run == 0 || (kill(run, 0) == 0 || errno == EPERM)) continue;  // another kind of name, or a live run
        const bool oldLevel = name.find(".old-") != std::string::npos;
        if (oldLevel && !fs::exists(fs::symlink_status(dataDir, error)) && hasTerrain(entry.path())) {
            fs::rename(entry.path(), dataDir, error);
            if (!error) {
                reportNote("put back the level a stopped run had set aside in " + shortPath(name));
                continue;
            }
        }
        fs::remove_all(entry.path(), error);
    }
}

fs::path besideLevel(const fs::path& dataDir, const char* what) {
    return holdingFolder(dataDir) / ("." + dataDir.filename().string() + "." + what + "-" + std::to_string(getpid()));
}

bool swapInLevel(const fs::path& fresh, const fs::path& dataDir, std::string& why) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(dataDir, error))) {
        if (::rename(fresh.c_str(), dataDir.c_str()) == 0) return true;
        why = std::strerror(errno);
        return false;
    }
#if defined(RENAME_EXCHANGE)
    // One step: at no moment is there no level at dataDir.
    if (renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, dataDir.c_str(), RENAME_EXCHANGE) == 0) {
        fs::remove_all(fresh, error);  // the old level now; links inside are removed, never followed
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        why = std::strerror(errno);
        return false;
    }
#endif
    // Two renames where the system cannot exchange: a run stopped between them leaves the old level set
    // aside, which the next run puts back (recoverStoppedRuns).
    const fs::path old = besideLevel(dataDir, "old");
    if (::rename(dataDir.c_str(), old.c_str()) != 0) {
        why = "cannot set the old level aside: " + std::string(std::strerror(errno));
        return false;
    }
    if (::rename(fresh.c_str(), dataDir.c_str()) != 0) {
        why = std::strerror(errno);
        ::rename(old.c_str(), dataDir.c_str());
        return false;
    }
    fs::remove_all(old, error);
    return true;
}
