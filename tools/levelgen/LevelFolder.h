// The level's folder on disk: one run at a time on a folder, what stands there checked before it is replaced,
// the new level swapped in whole, and what a stopped run left put right by the next one.
#pragma once

#include <filesystem>
#include <string>

// Holds the folder that holds dataDir against other runs of the generator for as long as it lives: a second
// run waits for the first to end (saying so once), so the two never swap levels under each other.
class LevelFolderLock {
   public:
    explicit LevelFolderLock(const std::filesystem::path& dataDir);
    ~LevelFolderLock();
    LevelFolderLock(const LevelFolderLock&) = delete;
    LevelFolderLock& operator=(const LevelFolderLock&) = delete;
    // False, with why, when the folder could not be held (it is not a folder, or a signal ended the wait).
    bool held(std::string& why) const;

   private:
    int fd_ = -1;
    std::string why_;
};

// Why what stands at dataDir may not be replaced by a level, or "" when it may: nothing there, an empty
// folder, or a level folder (one that holds the terrain picture). Anything else (a file, a link, a folder of
// other things, one the generator could not empty) is the player's and stays.
std::string cannotReplace(const std::filesystem::path& dataDir);

// What a run stopped mid-way left beside dataDir (every such run has ended: the lock is held): the old level
// put back where there is none, the other folders removed. Says what it put back.
void recoverStoppedRuns(const std::filesystem::path& dataDir);

// A folder beside dataDir, named for this run: where the new level is built.
std::filesystem::path besideLevel(const std::filesystem::path& dataDir, const char* what);

// Puts fresh at dataDir in one step (an exchange of the two folders where the system offers one, else two
// renames), and removes the old level. False, with why, when fresh could not be put there; the old level is
// then where it was.
bool swapInLevel(const std::filesystem::path& fresh, const std::filesystem::path& dataDir, std::string& why);
