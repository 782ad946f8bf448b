#include <gtest/gtest.h>

#include "tests/fakes/FakeSystem.h"
#include "util/PathPredicates.h"

namespace {

// The platform's answers are passed through (or compared with 1) as they come.
class ScriptedShell : public FakeSystem {
public:
    std::int32_t isDirectory = 0, fileExists = 0, isEmpty = 0;
    bool listsNothing = false;
    Text lastPath;
    std::int32_t PathIsDirectoryA(const Text& p) override { return lastPath = p, isDirectory; }
    std::int32_t PathFileExistsA(const Text& p) override { return lastPath = p, fileExists; }
    std::int32_t PathIsDirectoryEmptyA(const Text& p) override { return lastPath = p, isEmpty; }
    bool ListDirectory(const Text&, std::vector<DirectoryEntry>& entries) override {
        entries.clear();
        return listsNothing;
    }
};

TEST(PathPredicates, MapPlatformResultsToTruth) {
    const struct {
        std::int32_t platform;
        bool isDirectory, fileExistsExact;
    } cases[] = {{0, false, false}, {1, true, true}, {16, true, false}, {-1, true, false}, {2, true, false}};
    for (const auto& c : cases) {
        ScriptedShell shell;
        shell.isDirectory = shell.fileExists = c.platform;
        const Text path = "E:\\Boot";
        EXPECT_EQ(IsDirectory(shell, path), c.isDirectory) << c.platform;
        EXPECT_EQ(FileExistsExact(shell, path), c.fileExistsExact) << c.platform;
        EXPECT_EQ(shell.lastPath, "E:\\Boot");
    }
}

TEST(PathPredicates, EmptyDirectoryAcceptsARootThatListsNothing) {
    const struct {
        std::int32_t platform;
        bool listsNothing, expected;
    } cases[] = {{0, false, false}, {1, false, true}, {0, true, true}, {7, false, true}};
    for (const auto& c : cases) {
        ScriptedShell shell;
        shell.isEmpty = c.platform;
        shell.listsNothing = c.listsNothing;
        EXPECT_EQ(IsDirectoryEmpty(shell, "E:\\"), c.expected) << c.platform << c.listsNothing;
    }
}

TEST(PathPredicates, ARootHoldingOnlyTheSystemVolumeFolderIsEmpty) {
    const struct {
        const char* name;
        std::vector<Text> directories, files;
        bool empty;
    } cases[] = {
        {"nothing", {}, {}, true},
        {"System Volume Information alone", {"System Volume Information"}, {}, true},
        {"in another ASCII case", {"SYSTEM volume information"}, {}, true},
        {"with something inside it", {"System Volume Information\\tracking.log"}, {}, true},
        {"as a file", {}, {"System Volume Information"}, false},
        {"beside a user's file", {"System Volume Information"}, {"notes.txt"}, false},
        {"beside the recycle bin", {"System Volume Information", "$RECYCLE.BIN"}, {}, false},
        {"the recycle bin alone", {"$RECYCLE.BIN"}, {}, false},
        {"a look-alike name", {"System Volume Information2"}, {}, false},
        {"full-width letters", {"\xA3\xD3ystem Volume Information"}, {}, false},
    };
    for (const auto& c : cases) {
        FakeSystem fs;
        fs.AddDirectory("E:\\");
        for (const Text& d : c.directories) fs.AddDirectory("E:\\" + d);
        for (const Text& f : c.files) fs.AddFile("E:\\" + f);
        EXPECT_EQ(IsDirectoryEmpty(fs, "E:\\"), c.empty) << c.name;
    }
}

TEST(PathPredicates, EmptinessOverTheFakeFileSystem) {
    FakeSystem fs;
    fs.AddDirectory("E:\\");
    fs.AddDirectory("F:\\");
    fs.AddFile("F:\\x");
    fs.AddDirectory("E:\\sub");
    fs.AddFile("E:\\Boot");
    fs.AddDirectory("E:\\Boot2\\bootsect.exe");
    EXPECT_FALSE(IsDirectoryEmpty(fs, "E:\\"));
    EXPECT_TRUE(IsDirectoryEmpty(fs, "E:\\sub"));
    EXPECT_FALSE(IsDirectoryEmpty(fs, "F:\\"));
    EXPECT_FALSE(IsDirectoryEmpty(fs, "Q:\\"));
    EXPECT_FALSE(IsDirectoryEmpty(fs, "E:\\Boot"));
    EXPECT_FALSE(IsDirectory(fs, "E:\\Boot"));
    EXPECT_TRUE(FileExistsExact(fs, "E:\\Boot2\\bootsect.exe"));
}

}  // namespace
