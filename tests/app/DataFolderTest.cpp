// Where the game finds its data: the given folder, the current one, the executable's, the installed one.
#include "app/DataFolder.h"

#include "Fixtures.h"

TEST(DataFolder, AGivenFolderIsTheOnlyOneElseTheFirstInOrderThatHoldsTheTerrainWins) {
    const struct {
        const char* holding;  // which of given (. for none), current, executable, beside bin, installed hold it
        int found;            // index of the folder found, -1 for none
    } cases[] = {{"gcebi", 0}, {"-cebi", -1}, {".cebi", 1}, {".-ebi", 2}, {".--bi", 3}, {".---i", 4}, {".----", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holding);
        std::vector<std::string> folders;
        for (int i = 0; i < 5; ++i) {
            // The executable in a bin/ of its own, so that share/vanturo beside it is this case's alone.
            folders.push_back(i == 2   ? makeTempDir() + "/bin"
                              : i == 3 ? folders[2] + "/../share/vanturo"
                                       : makeTempDir());
            ASSERT_EQ(system(("mkdir -p " + folders.back()).c_str()), 0);
            if (c.holding[i] != '-' && c.holding[i] != '.') {
                ASSERT_EQ(system(("mkdir -p " + folders.back() + "/data").c_str()), 0);
                writeFlatTerrain(folders.back() + "/" + terrainFile, 16, 16, 0);
            }
        }
        ScopedWorkingDirectory cwd(folders[1]);
        const bool given = c.holding[0] != '.';
        // The executable's folder as SDL gives it, with a slash at the end: the folders are named tidied.
        const std::vector<std::string> candidates =
            dataFolderCandidates(given ? folders[0] : "", folders[2] + "/", folders[4]);
        const std::string besideBin = folders[2].substr(0, folders[2].size() - 4) + "/share/vanturo";
        const std::vector<std::string> expected =
            given ? std::vector<std::string>{folders[0]}
                  : std::vector<std::string>{".", folders[2], besideBin, folders[4]};
        ASSERT_EQ(candidates, expected);
        const std::string found = findDataFolder(candidates);
        EXPECT_EQ(found, c.found < 0 ? "" : candidates[size_t(given ? 0 : c.found - 1)]);
        if (c.found < 0) {
            const std::string message = missingDataMessage(candidates);
            for (const std::string& folder : candidates) EXPECT_NE(message.find(folder), std::string::npos);
        }
    }
    // Folders not given or not known are left out.
    EXPECT_EQ(dataFolderCandidates("", "", ""), std::vector<std::string>{"."});
    // A folder that cannot be entered is said to be so, and the game stays where it was.
    ScopedWorkingDirectory cwd(makeTempDir());
    EXPECT_FALSE(enterDataFolder("/nonexistent/vanturo"));
}
