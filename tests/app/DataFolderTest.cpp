// Where the game finds its data: the given folder, the current one, the executable's, the installed one.
#include "app/DataFolder.h"

#include "Fixtures.h"

TEST(DataFolder, TheFirstFolderInOrderThatHoldsTheTerrainWins) {
    const struct {
        const char* holding;  // which of given, current, executable, beside bin, installed hold data/level1.tga
        int found;            // index of the folder found, -1 for none
    } cases[] = {{"gcebi", 0}, {"-cebi", 1}, {"--ebi", 2}, {"---bi", 3}, {"----i", 4}, {"-----", -1}, {"g---i", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holding);
        std::vector<std::string> folders;
        for (int i = 0; i < 5; ++i) {
            // The executable in a bin/ of its own, so that share/vanturo beside it is this case's alone.
            folders.push_back(i == 2   ? makeTempDir() + "/bin"
                              : i == 3 ? folders[2] + "/../share/vanturo"
                                       : makeTempDir());
            ASSERT_EQ(system(("mkdir -p " + folders.back()).c_str()), 0);
            if (c.holding[i] != '-') {
                ASSERT_EQ(system(("mkdir -p " + folders.back() + "/data").c_str()), 0);
                writeFlatTerrain(folders.back() + "/data/level1.tga", 16, 16, 0);
            }
        }
        ScopedWorkingDirectory cwd(folders[1]);
        const std::vector<std::string> candidates = dataFolderCandidates(folders[0], folders[2], folders[4]);
        ASSERT_EQ(candidates, (std::vector<std::string>{folders[0], ".", folders[2], folders[3], folders[4]}));
        const std::string found = findDataFolder(candidates);
        EXPECT_EQ(found, c.found < 0 ? "" : candidates[size_t(c.found)]);
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
