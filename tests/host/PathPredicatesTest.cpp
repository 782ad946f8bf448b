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
    bool DirectoryListsNoEntries(const Text&) override { return listsNothing; }
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
