#include <gtest/gtest.h>

#include "tests/fakes/FakeSystem.h"
#include "util/DirectoryTree.h"

namespace {

using Paths = std::vector<Text>;

struct TreeCase {
    const char* name;
    Paths existingDirectories;
    Paths existingFiles;
    Paths failingCreates;
    Text path;
    int result;
    Text pathAfter;
    Paths created;  // in the fake's upper-case keys
    Paths removed;
    Paths presentAfter;
};

void PrintTo(const TreeCase& c, std::ostream* out) {
    *out << c.name;
}

class DirectoryTreeTable : public ::testing::TestWithParam<TreeCase> {};

// One row a case, as a table reads.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, DirectoryTreeTable,
    ::testing::Values(
        TreeCase{"Empty", {"E:"}, {}, {}, "", -1, "", {}, {}, {}},
        TreeCase{"Blank", {"E:"}, {}, {}, " \xA1\xA1 ", -1, " \xA1\xA1 ", {}, {}, {}},
        TreeCase{"BootMissing", {"E:"}, {}, {}, "E:\\Boot", 1, "E:\\Boot\\", {"E:\\BOOT"}, {}, {"E:\\BOOT"}},
        TreeCase{"BootPresent", {"E:\\Boot"}, {}, {}, "E:\\Boot", 0, "E:\\Boot\\", {}, {}, {}},
        TreeCase{"BootPresentWithSeparator", {"E:\\Boot"}, {}, {}, "E:\\Boot\\", 0, "E:\\Boot\\", {}, {}, {}},
        TreeCase{"TwoMissingBelowAnExistingLevel", {"E:\\a"}, {}, {}, "E:\\a\\b\\c", 1, "E:\\a\\b\\c\\",
                 {"E:\\A\\B", "E:\\A\\B\\C"}, {}, {"E:\\A\\B\\C"}},
        TreeCase{"RollbackOfWhatThisCallMade", {"E:\\a"}, {}, {"E:\\A\\B\\C"}, "E:\\a\\b\\c", -1, "E:\\a\\b\\c",
                 {"E:\\A\\B"}, {"E:\\A\\B"}, {"E:\\A"}},
        TreeCase{"NoRollbackWhenNothingExistedBelowTheDrive", {"E:"}, {}, {"E:\\X\\Y\\Z"}, "E:\\x\\y\\z", -1,
                 "E:\\x\\y\\z", {"E:\\X", "E:\\X\\Y"}, {}, {"E:\\X\\Y"}},
        TreeCase{"FirstLevelFails", {"E:"}, {}, {"E:\\BOOT"}, "E:\\Boot", -1, "E:\\Boot", {}, {}, {}},
        TreeCase{"DriveAlone", {}, {}, {}, "E:", 1, "E:\\", {}, {}, {}},
        TreeCase{"DriveRootThatIsADirectory", {"E:"}, {}, {}, "E:\\", 0, "E:\\", {}, {}, {}},
        TreeCase{"RelativePath", {}, {}, {"A\\B"}, "a\\b", -1, "a\\b", {}, {}, {}},
        TreeCase{"PlainFileAtALevel", {"E:"}, {"E:\\Boot"}, {}, "E:\\Boot", -1, "E:\\Boot", {}, {}, {"E:\\BOOT"}},
        TreeCase{"PlainFileDeeper", {"E:\\a"}, {"E:\\a\\b\\c"}, {}, "E:\\a\\b\\c\\d", -1, "E:\\a\\b\\c\\d",
                 {}, {}, {"E:\\A\\B\\C"}},
        // An empty element names, as rollback target, a directory that was there before:
        // it must stay.
        TreeCase{"EmptyElementKeepsTheExistingDirectory", {"E:\\a\\x"}, {}, {}, "E:\\a\\\\b", -1, "E:\\a\\\\b",
                 {}, {}, {"E:\\A\\X"}},
        TreeCase{"DoubleByteNameWithBackslashByte", {"E:"}, {}, {}, "E:\\\xB1\x5C", 1, "E:\\\xB1\x5C\\",
                 {"E:\\\xB1\x5C"}, {}, {"E:\\\xB1\x5C"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_P(DirectoryTreeTable, CreatesWhatIsMissingAndRollsBackOnlyItsOwnWork) {
    const TreeCase& c = GetParam();
    FakeSystem system;
    for (const Text& dir : c.existingDirectories) system.AddDirectory(dir);
    for (const Text& file : c.existingFiles) system.AddFile(file);
    system.failingCreates.insert(c.failingCreates.begin(), c.failingCreates.end());

    Text path = c.path;
    EXPECT_EQ(CreateDirectoryTree(system, path), c.result);
    EXPECT_EQ(path, c.pathAfter);
    EXPECT_EQ(system.created, c.created);
    EXPECT_EQ(system.removed, c.removed);
    for (const Text& present : c.presentAfter) EXPECT_TRUE(system.Exists(present)) << present;
    for (const Text& dir : c.existingDirectories) EXPECT_TRUE(system.IsDir(dir)) << dir << " existed before";
}

}  // namespace
