// The settings folder on IndexedDB (emscripten's IDBFS): the game writes its file as everywhere, through the
// safe writer into the page's memory; each change found after a pass is stored, and Module.vanturoSettingsStored
// counts the stores that finished, so a test can reload the page knowing the change is kept.
#include "WebSettings.h"

#include <emscripten.h>
#include <sys/stat.h>

namespace {

constexpr const char* folder = "/settings";
constexpr const char* file = "/settings/settings.ini";
void (*startAfterRestore)() = nullptr;
// What the file was when last stored: the safe writer puts each save in place as a new file, so its inode
// changes with every save, however close together.
ino_t lastInode = 0;
struct timespec lastChange = {};

// The page's JavaScript, as the browser reads it: kept from the C++ formatter.
// clang-format off
EM_JS(void, mountAndRestore, (const char* path), {
    const where = UTF8ToString(path);
    Module.vanturoSettingsStored = 0;
    try {
        FS.mkdir(where);
        FS.mount(IDBFS, {}, where);
    } catch (error) {
        console.warn("vanturo: no settings kept in this browser: " + error);
        Module._vanturoSettingsRestored();
        return;
    }
    FS.syncfs(true, (error) => {
        if (error) console.warn("vanturo: the settings kept in this browser could not be read: " + error);
        Module._vanturoSettingsRestored();
    });
});

EM_JS(void, storeFolder, (), {
    FS.syncfs(false, (error) => {
        if (error) console.warn("vanturo: the settings could not be kept in this browser: " + error);
        else Module.vanturoSettingsStored++;
    });
});
// clang-format on

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void vanturoSettingsRestored() {
    struct stat status;
    if (stat(file, &status) == 0) {
        lastInode = status.st_ino;
        lastChange = status.st_mtim;
    }
    if (startAfterRestore) startAfterRestore();
}

std::string web::settingsFolder() { return folder; }

void web::restoreSettings(void (*start)()) {
    startAfterRestore = start;
    mountAndRestore(folder);
}

void web::keepSettings() {
    struct stat status;
    if (stat(file, &status) != 0) return;
    if (status.st_ino == lastInode && status.st_mtim.tv_sec == lastChange.tv_sec &&
        status.st_mtim.tv_nsec == lastChange.tv_nsec)
        return;
    lastInode = status.st_ino;
    lastChange = status.st_mtim;
    storeFolder();
}
