// SystemServices against the real file system and processes under Wine. E: is an empty
// folder mapped as a fixed disk, G: an empty fixed disk kept empty, H: a fixed disk holding
// one hidden file, Q: a CD-ROM letter without a medium; S:, T: and U: fixed disks that get a
// "System Volume Information" folder; E:\tiny is a 64 KiB file system.
#include <gtest/gtest.h>

#include <set>

#include "platform/win32/Win32SystemServices.h"
#include "tests/win32/TestSupport.h"
#include "util/PathPredicates.h"

using namespace testsupport;

namespace {

struct SystemServicesTest : ::testing::Test {
    Win32SystemServices system;
};

TEST_F(SystemServicesTest, SystemDirectoryEndsWithOneBackslash) {
    const Text path = system.GetSystemDirectoryPath();
    ASSERT_GE(path.size(), 4u);
    EXPECT_EQ(path.back(), '\\');
    EXPECT_NE(path[path.size() - 2], '\\');
    EXPECT_TRUE(IsFolder(path));
}

TEST_F(SystemServicesTest, FileExistsFindsFilesFoldersAndWildcards) {
    ASSERT_TRUE(CreateDirectoryA("E:\\exists", nullptr));
    ASSERT_TRUE(CreateDirectoryA("E:\\exists\\folder", nullptr));
    ASSERT_TRUE(WriteFileText("E:\\exists\\file.txt", "x"));
    const struct {
        const char* path;
        bool expected;
    } cases[] = {
        {"E:\\exists\\file.txt", true},
        {"E:\\exists\\folder", true},
        {"E:\\exists\\*.txt", true},
        {"E:\\exists\\f?le.txt", true},
        {"E:\\exists\\*.wim", false},
        {"E:\\exists\\missing", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(system.FileExists(c.path), c.expected) << c.path;
}

TEST_F(SystemServicesTest, WriteBytesToFileTruncatesAndRefusesAnEmptyPath) {
    const std::uint8_t longer[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};
    const std::uint8_t shorter[] = {'a', 'b', 'c'};
    ASSERT_TRUE(system.WriteBytesToFile("E:\\written.bin", {longer, sizeof longer}));
    ASSERT_TRUE(system.WriteBytesToFile("E:\\written.bin", {shorter, sizeof shorter}));
    EXPECT_EQ(ReadFileText("E:\\written.bin"), "abc");
    EXPECT_FALSE(system.WriteBytesToFile("", {shorter, sizeof shorter}));
    EXPECT_FALSE(system.WriteBytesToFile("E:\\no-such-folder\\x.bin", {shorter, sizeof shorter}));
    EXPECT_FALSE(PathExists("E:\\no-such-folder"));
}

TEST_F(SystemServicesTest, AFailedWriteLeavesNoPartialFile) {
    if (!IsFolder("E:\\tiny"))
        GTEST_SKIP() << "E:\\tiny, a 64 KiB file system, is mounted only when the tests run as root";
    std::string bytes(256 * 1024, 'x');
    EXPECT_FALSE(system.WriteBytesToFile("E:\\tiny\\big.bin",
                                         {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
    EXPECT_FALSE(PathExists("E:\\tiny\\big.bin"));
    EXPECT_TRUE(
        system.WriteBytesToFile("E:\\tiny\\small.bin", {reinterpret_cast<const std::uint8_t*>(bytes.data()), 1024}));
}

TEST_F(SystemServicesTest, RemoveDirectoryTreeRefusesEmptyPathsAndDriveRoots) {
    ASSERT_TRUE(WriteFileText("E:\\keep-me.txt", "x"));
    for (const char* path : {"", "   ", "E:", "E:\\", "  E:\\", "e:"}) {
        EXPECT_FALSE(system.RemoveDirectoryTree(path)) << '"' << path << '"';
    }
    EXPECT_TRUE(PathExists("E:\\keep-me.txt"));
}

TEST_F(SystemServicesTest, RemoveDirectoryTreeRemovesDepthFirstButSkipsDotNames) {
    for (const char* folder : {"E:\\tree", "E:\\tree\\a", "E:\\tree\\a\\b", "E:\\dotted", "E:\\dotted\\sub"}) {
        ASSERT_TRUE(CreateDirectoryA(folder, nullptr)) << folder;
    }
    ASSERT_TRUE(WriteFileText("E:\\tree\\top.txt", "1"));
    ASSERT_TRUE(WriteFileText("E:\\tree\\a\\b\\deep.txt", "2"));
    ASSERT_TRUE(WriteFileText("E:\\dotted\\sub\\file.txt", "3"));
    ASSERT_TRUE(WriteFileText("E:\\dotted\\.keep", "4"));

    EXPECT_TRUE(system.RemoveDirectoryTree("  E:\\tree"));
    EXPECT_FALSE(PathExists("E:\\tree"));

    // The dot entry stays, so the folder's own removal fails and that is the result.
    EXPECT_FALSE(system.RemoveDirectoryTree("E:\\dotted"));
    EXPECT_TRUE(PathExists("E:\\dotted\\.keep"));
    EXPECT_FALSE(PathExists("E:\\dotted\\sub"));
}

TEST_F(SystemServicesTest, FindsDirectoryLooksOnlyForDirectories) {
    ASSERT_TRUE(CreateDirectoryA("E:\\find", nullptr));
    for (const char* folder : {"E:\\find\\d1", "E:\\find\\z2"}) ASSERT_TRUE(CreateDirectoryA(folder, nullptr));
    for (const char* file : {"E:\\find\\f1", "E:\\find\\a-file", "E:\\find\\zfile"})
        ASSERT_TRUE(WriteFileText(file, "x"));
    const struct {
        const char* pattern;
        bool found;
    } cases[] = {
        {"E:\\find\\d1", true},    {"E:\\find\\D1", true},       {"E:\\find\\f1", false},
        {"E:\\find\\d1\\", false}, {"E:\\find\\z*", true},  // a file and a directory match
        {"E:\\find\\a*", false},   {"E:\\find\\missing", false}, {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(system.FindsDirectory(c.pattern), c.found) << c.pattern;
}

TEST_F(SystemServicesTest, MakeDirectoryMakesOneLevel) {
    EXPECT_TRUE(system.MakeDirectory("E:\\one"));
    EXPECT_FALSE(system.MakeDirectory("E:\\one"));
    EXPECT_FALSE(system.MakeDirectory("E:\\two\\levels"));
    EXPECT_TRUE(IsFolder("E:\\one"));
    EXPECT_FALSE(PathExists("E:\\two"));
}

struct FixtureRun {
    std::string log, release;
    FixtureRun(const char* name, const char* runMs)
        : log(std::string("E:\\") + name + ".log"), release(std::string("E:\\") + name + ".go") {
        SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", log.c_str());
        SetEnvironmentVariableA("VANDRELL_FIXTURE_RUN_MS", runMs);
        SetEnvironmentVariableA("VANDRELL_FIXTURE_RELEASE", nullptr);
    }
    ~FixtureRun() {
        for (const char* name : {"VANDRELL_FIXTURE_LOG", "VANDRELL_FIXTURE_RUN_MS", "VANDRELL_FIXTURE_RELEASE"}) {
            SetEnvironmentVariableA(name, nullptr);
        }
    }
};

TEST_F(SystemServicesTest, RunCommandLineStartsWithoutWaiting) {
    FixtureRun run("nowait", "0");
    // The fixture logs only once the release file appears, which happens after the call
    // returns: a launch that waited for the end would never come back.
    SetEnvironmentVariableA("VANDRELL_FIXTURE_RELEASE", run.release.c_str());
    const Text commandLine = ProgramFolder() + "fixture_console.exe /nt60 E:";
    ASSERT_TRUE(system.RunCommandLine(commandLine, false));
    EXPECT_FALSE(PathExists(run.log));
    ASSERT_TRUE(WriteFileText(run.release, "go"));
    ASSERT_TRUE(WaitForPath(run.log, 20000));
    Sleep(200);
    EXPECT_EQ(ReadFileText(run.log), commandLine + "\n");
}

TEST_F(SystemServicesTest, RunCommandLineCanWaitAndReportsAProgramThatIsMissing) {
    FixtureRun run("wait", "300");
    ASSERT_TRUE(system.RunCommandLine(ProgramFolder() + "fixture_console.exe waited", true));
    EXPECT_EQ(ReadFileText(run.log), ProgramFolder() + "fixture_console.exe waited\n");
    EXPECT_FALSE(system.RunCommandLine("E:\\nothing-here.exe /x", false));
}

TEST_F(SystemServicesTest, StartProgramKeepsTheProcessForItsExitCode) {
    FixtureRun run("exitcode", "200");
    SetEnvironmentVariableA("VANDRELL_FIXTURE_EXIT", "7");
    auto process = system.StartProgram(ProgramFolder() + "fixture_console.exe", "IMAGEX /apply x 1  E:\\");
    SetEnvironmentVariableA("VANDRELL_FIXTURE_EXIT", nullptr);
    ASSERT_TRUE(process);
    std::uint32_t code = 0;
    for (int i = 0; i < 400 && !process->ReadExitCode(code); ++i) Sleep(50);
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(ReadFileText(run.log), "IMAGEX /apply x 1  E:\\\n");
    EXPECT_FALSE(system.StartProgram("E:\\nothing-here.exe", "nothing-here"));
}

TEST_F(SystemServicesTest, TrustedProgramsComeFromTheSystemDirectoryOnly) {
    ASSERT_TRUE(CreateDirectoryA("E:\\tools", nullptr));
    ASSERT_TRUE(CreateDirectoryA("E:\\here", nullptr));
    for (const std::string& plant : {std::string("E:\\tools\\probe-tool.exe"), std::string("E:\\here\\probe-tool.exe"),
                                     ProgramFolder() + "probe-tool.exe"}) {
        ASSERT_TRUE(WriteFileText(plant, "MZ")) << plant;
    }
    char oldPath[4096];
    const DWORD oldLength = GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    char oldFolder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, oldFolder);
    ASSERT_TRUE(SetCurrentDirectoryA("E:\\here"));
    const Text programFolder = ProgramFolder().substr(0, ProgramFolder().size() - 1);
    SetEnvironmentVariableA("PATH", ("E:\\tools;.;E:\\here;" + programFolder).c_str());

    EXPECT_EQ(system.LocateTrustedProgram("probe-tool.exe"), "") << "PATH, current and program folder";
    EXPECT_EQ(system.LocateTrustedProgram("notepad.exe"), system.GetSystemDirectoryPath() + "notepad.exe");
    EXPECT_EQ(system.LocateTrustedProgram("drivers"), "") << "a directory is no program";

    SetCurrentDirectoryA(oldFolder);
    SetEnvironmentVariableA("PATH", oldLength ? oldPath : nullptr);
    DeleteFileA((ProgramFolder() + "probe-tool.exe").c_str());
}

TEST_F(SystemServicesTest, ProcessSnapshotListsThisProgram) {
    const std::unique_ptr<ProcessSnapshot> snapshot = system.TakeProcessSnapshot();
    ASSERT_TRUE(snapshot);
    bool foundSelf = false;
    int listed = 0;
    for (Text name; snapshot->NextExecutableName(name); ++listed) {
        foundSelf = foundSelf || lstrcmpiA(name.c_str(), "win32_system_tests.exe") == 0;
    }
    EXPECT_TRUE(foundSelf) << listed << " processes listed";
    Text name = "unchanged";
    EXPECT_FALSE(snapshot->NextExecutableName(name)) << "the walk stays at its end";
}

TEST_F(SystemServicesTest, PathPredicatesOnTheRealFileSystem) {
    ASSERT_TRUE(CreateDirectoryA("E:\\p", nullptr));
    ASSERT_TRUE(WriteFileText("E:\\p\\Boot", "not a folder"));
    ASSERT_TRUE(CreateDirectoryA("E:\\p\\bootsect.exe", nullptr));
    ASSERT_TRUE(CreateDirectoryA("E:\\p\\empty", nullptr));
    ASSERT_TRUE(WriteFileText("H:\\.hidden", "x"));
    ASSERT_TRUE(CreateDirectoryA("S:\\System Volume Information", nullptr));
    ASSERT_TRUE(CreateDirectoryA("T:\\system volume information", nullptr));
    ASSERT_TRUE(CreateDirectoryA("T:\\$RECYCLE.BIN", nullptr));
    ASSERT_TRUE(WriteFileText("U:\\System Volume Information", "a file"));
    const struct {
        const char* path;
        bool isDirectory, fileExistsExact, isEmpty;
    } cases[] = {
        {"E:\\p\\Boot", false, true, false},
        {"E:\\p\\bootsect.exe", true, true, true},
        {"E:\\p\\empty", true, true, true},
        {"E:\\p", true, true, false},
        {"E:\\p\\missing", false, false, false},
        {"G:\\", true, true, true},     // an empty drive root lists no "." or ".."
        {"H:\\", true, true, false},    // one hidden file
        {"Q:\\", false, false, false},  // a letter without a medium
        {"S:\\", true, true, true},     // only the system's own folder
        {"T:\\", true, true, false},    // and the recycle bin: deleted files are the user's
        {"U:\\", true, true, false},    // a file of that name is the user's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDirectory(system, c.path), c.isDirectory) << c.path;
        EXPECT_EQ(FileExistsExact(system, c.path), c.fileExistsExact) << c.path;
        EXPECT_EQ(IsDirectoryEmpty(system, c.path), c.isEmpty) << c.path;
    }
}

}  // namespace
