// Output files: a new file beside the target, every write checked, renamed into place once whole.
#include "common/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "common/Report.h"
#include "common/Termination.h"
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// A path that is not a place for files, decided by what it is (never by its name): an existing pipe,
// terminal, device or socket, or one of the process's own standard streams (/dev/stdout with the output
// going to a file), which cannot be replaced.
bool writtenStraight(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) return false;
    const fs::file_type type = status.type();
    return type == fs::file_type::fifo || type == fs::file_type::character || type == fs::file_type::socket ||
           type == fs::file_type::block || isStandardStream(path, 0) || isStandardStream(path, 1) ||
           isStandardStream(path, 2);
}

// The new file takes the mode (and, where the system lets it, the owner) of the file it will replace.
void keepModeOf(const std::string& path, std::FILE* file) {
#ifdef _WIN32
    (void)path, (void)file;
#else
    struct stat old;
    if (::stat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return;
    const int fd = fileno(file);
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not ours to give away: the mode without the set-id bits.
        old.st_mode &= ~mode_t(S_ISUID | S_ISGID);
    }
    fchmod(fd, old.st_mode & 07777);
#endif
}

// Creates a file of this name that did not exist (never one an attacker laid down, never through a link).
std::FILE* createNew(const std::string& path) {
#ifdef _WIN32
    const int fd = _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, 0666);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (fd >= 0 && !file) _close(fd);
#else
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (fd >= 0 && !file) ::close(fd);
#endif
    return file;
}

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return int(getpid());
#endif
}

// Puts the file's bytes on the disk before it is renamed over the old one.
bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0 || errno == EINVAL || errno == EROFS;  // some file systems cannot sync
#endif
}

}  // namespace

bool OutputFile::open(const std::string& path, std::string& error) {
    discard();
    path_ = path;
    failed_ = false;
    reason_.clear();
    std::error_code status;
    if (fs::is_directory(path, status)) {
        fail("it is a folder");
        error = reason_;
        return false;
    }
    if (writtenStraight(path)) {
        file_ = std::fopen(path.c_str(), "wb");
        seekable_ = file_ && fs::is_regular_file(path, status);
    } else {
        static unsigned made = 0;
        const fs::path target(path);
        for (int attempt = 0; attempt < 100 && !file_ && (attempt == 0 || errno == EEXIST); ++attempt) {
            const fs::path beside =
                target.parent_path() / ("." + target.filename().string() + "." + std::to_string(processId()) + "-" +
                                        std::to_string(++made) + ".tmp");
            temporary_ = beside.string();
            file_ = createNew(temporary_);
        }
        if (!file_) temporary_.clear();
        if (file_) {
            keepModeOf(path, file_);
            holdScratchFile(temporary_.c_str());
        }
        seekable_ = file_ != nullptr;
    }
    if (!file_) {
        fail(std::strerror(errno));
        error = reason_;
    }
    return file_ != nullptr;
}

void OutputFile::fail(const std::string& why) {
    if (!failed_) reason_ = "cannot write " + shortPath(path_) + ": " + why;
    failed_ = true;
}

bool OutputFile::write(const void* data, size_t size) {
    if (!file_ || failed_) return false;
    if (std::fwrite(data, 1, size, file_) != size) fail(std::strerror(errno));
    return !failed_;
}

bool OutputFile::rewriteStart(const void* data, size_t size) {
    if (!file_ || failed_ || !seekable_) return false;
    if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(data, 1, size, file_) != size ||
        std::fseek(file_, 0, SEEK_END) != 0)
        fail(std::strerror(errno));
    return !failed_;
}

bool OutputFile::flush() {
    if (!file_ || failed_) return false;
    if (std::fflush(file_) != 0) fail(std::strerror(errno));
    return !failed_;
}

bool OutputFile::commit() {
    if (!file_) return false;
    if (!failed_ && std::fflush(file_) != 0) fail(std::strerror(errno));
    if (!failed_ && !temporary_.empty() && !syncToDisk(file_)) fail(std::strerror(errno));
    if (std::fclose(file_) != 0) fail(std::strerror(errno));
    file_ = nullptr;
    if (!temporary_.empty()) {
        std::error_code error;
        if (!failed_) fs::rename(temporary_, path_, error);
        if (error) fail(error.message());
        if (failed_) fs::remove(temporary_, error);
        letScratchFileGo(temporary_.c_str());
        temporary_.clear();
    }
    return !failed_;
}

void OutputFile::discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    std::error_code ignored;
    if (!temporary_.empty()) {
        fs::remove(temporary_, ignored);
        letScratchFileGo(temporary_.c_str());
    }
    temporary_.clear();
}

namespace {

// Where a path leads once every link on it is followed, even to a file not yet made.
fs::path destination(const std::string& path, std::error_code& error) {
    fs::path where = fs::absolute(path, error);
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(where, error)); ++hops) {
        const fs::path target = fs::read_symlink(where, error);
        where = target.is_absolute() ? target : where.parent_path() / target;
    }
    return fs::weakly_canonical(where, error);
}

}  // namespace

void removeStaleScratchFiles(const std::string& path) {
    const fs::path target(path);
    const std::string prefix = "." + target.filename().string() + ".";
    std::error_code error;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, ".tmp") != 0)
            continue;
        // .NAME.PID-N.tmp: the process that began it.
        const std::string stamp = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        const size_t dash = stamp.find('-');
        if (dash == 0 || dash == std::string::npos || stamp.find_first_not_of("0123456789-") != std::string::npos)
            continue;
        const long pid = std::strtol(stamp.substr(0, dash).c_str(), nullptr, 10);
        if (pid == processId()) continue;
        std::error_code ignored;
#ifdef _WIN32
        const auto age = fs::file_time_type::clock::now() - fs::last_write_time(it->path(), ignored);
        const bool stale = !ignored && age > std::chrono::minutes(1);
#else
        const bool stale = pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#endif
        if (stale && fs::is_regular_file(fs::symlink_status(it->path(), ignored))) fs::remove(it->path(), ignored);
    }
}

bool isStandardStream(const std::string& path, int stream) {
#ifdef _WIN32
    (void)path, (void)stream;
    return false;
#else
    struct stat named, open;
    return ::stat(path.c_str(), &named) == 0 && ::fstat(stream, &open) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
#endif
}

bool sameOutputPath(const std::string& a, const std::string& b) {
    std::error_code errorA, errorB;
    if (fs::equivalent(a, b, errorA)) return true;
    const fs::path first = destination(a, errorA), second = destination(b, errorB);
    return !errorA && !errorB && first == second;
}
