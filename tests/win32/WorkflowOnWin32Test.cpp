// The utilities and the workflow over the real Win32 services under Wine. E: is an empty
// folder mapped as a fixed disk.
#include <gtest/gtest.h>

#include "platform/win32/Win32SystemServices.h"
#include "tests/fakes/FakeWindow.h"
#include "tests/win32/TestSupport.h"
#include "util/DirectoryTree.h"
#include "util/ProcessCheck.h"
#include "workflow/Workflow.h"

using namespace testsupport;

namespace {

const std::string kFixture = ProgramFolder() + "fixture_console.exe";

ByteView View(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// A fixture started under a chosen file name that runs until the release file appears.
class HeldProcess {
public:
    explicit HeldProcess(const std::string& path) : release_(path + ".go") {
        CopyFileA(kFixture.c_str(), path.c_str(), FALSE);
        SetEnvironmentVariableA("VANDRELL_FIXTURE_RELEASE", release_.c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + path + "\"";
        started_ = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &info_) != FALSE;
        SetEnvironmentVariableA("VANDRELL_FIXTURE_RELEASE", nullptr);
        Sleep(300);
    }
    ~HeldProcess() { End(); }
    bool Started() const { return started_; }
    void End() {
        if (!started_) return;
        WriteFileText(release_, "go");
        WaitForSingleObject(info_.hProcess, 10000);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
        started_ = false;
    }

private:
    std::string release_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

TEST(ProcessCheckOnWin32, FindsARunningImagexInAnyCaseAndOnlyByItsWholeName) {
    Win32SystemServices system;
    CreateDirectoryA("E:\\proc", nullptr);
    Text name = "imagex.exe";
    ASSERT_FALSE(IsProcessRunning(system, name));
    {
        HeldProcess imagex("E:\\proc\\IMAGEX.EXE");
        ASSERT_TRUE(imagex.Started());
        for (const char* asked : {"imagex.exe", "IMAGEX.EXE", "ImageX.exe"}) {
            name = asked;
            EXPECT_TRUE(IsProcessRunning(system, name)) << asked;
            EXPECT_EQ(name, "imagex.exe");
        }
        imagex.End();
        name = "imagex.exe";
        EXPECT_FALSE(IsProcessRunning(system, name));
    }
    HeldProcess other("E:\\proc\\myimagex.exe");
    ASSERT_TRUE(other.Started());
    name = "imagex.exe";
    EXPECT_FALSE(IsProcessRunning(system, name));
    name = "myimagex.exe";
    EXPECT_TRUE(IsProcessRunning(system, name));
}

TEST(DirectoryTreeOnWin32, CreatesLevelsAndRollsBackItsOwnWork) {
    Win32SystemServices system;
    Text path = "E:\\Boot";
    EXPECT_EQ(CreateDirectoryTree(system, path), 1);
    EXPECT_EQ(path, "E:\\Boot\\");
    EXPECT_TRUE(IsFolder("E:\\Boot"));
    path = "E:\\Boot";
    EXPECT_EQ(CreateDirectoryTree(system, path), 0);

    ASSERT_TRUE(CreateDirectoryA("E:\\a", nullptr));
    path = "E:\\a\\b\\c";
    EXPECT_EQ(CreateDirectoryTree(system, path), 1);
    EXPECT_TRUE(IsFolder("E:\\a\\b\\c"));

    // A file blocks a level: nothing is created and the file stays.
    ASSERT_TRUE(CreateDirectoryA("E:\\f", nullptr));
    ASSERT_TRUE(WriteFileText("E:\\f\\b", "file"));
    path = "E:\\f\\b\\c";
    EXPECT_EQ(CreateDirectoryTree(system, path), -1);
    EXPECT_EQ(ReadFileText("E:\\f\\b"), "file");

    // The deepest level cannot be made: the level this call made is removed again.
    ASSERT_TRUE(CreateDirectoryA("E:\\r", nullptr));
    path = "E:\\r\\s\\bad|name";
    EXPECT_EQ(CreateDirectoryTree(system, path), -1);
    EXPECT_EQ(path, "E:\\r\\s\\bad|name");
    EXPECT_FALSE(PathExists("E:\\r\\s"));
    EXPECT_TRUE(IsFolder("E:\\r"));

    // An empty element never removes what was there before.
    ASSERT_TRUE(WriteFileText("E:\\r\\keep.txt", "x"));
    path = "E:\\r\\\\t";
    EXPECT_EQ(CreateDirectoryTree(system, path), -1);
    EXPECT_EQ(ReadFileText("E:\\r\\keep.txt"), "x");
}

TEST(ToolDeploymentOnWin32, WritesTheImagingToolIntoTheSystemDirectory) {
    Win32SystemServices system;
    const Text target = system.GetSystemDirectoryPath() + "imagex.exe";
    ASSERT_FALSE(PathExists(target)) << "the test runs in a prefix without imagex.exe";
    const std::string tool = ReadFileText(kFixture);
    ASSERT_GT(tool.size(), 1000u);
    FakeWindow window;
    Payloads payloads{View(tool), {}};
    Workflow workflow(system, window, payloads);

    workflow.OnWindowCreated();
    EXPECT_EQ(ReadFileText(target), tool);

    const std::string other = "MZ another version";
    Payloads otherPayloads{View(other), {}};
    Workflow again(system, window, otherPayloads);
    again.OnWindowCreated();
    EXPECT_EQ(ReadFileText(target), tool) << "a present tool is used unchanged";
    DeleteFileA(target.c_str());
}

TEST(PollOnWin32, TheCompletingTickWritesAndStartsTheBootSectorTool) {
    Win32SystemServices system;
    const std::string tool = ReadFileText(kFixture);
    FakeWindow window;
    window.drive = "E";
    window.timerPeriod = 300;
    Payloads payloads{{}, View(tool)};
    Workflow workflow(system, window, payloads);
    SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", "E:\\bootsect.log");

    workflow.OnPollTimer();

    SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", nullptr);
    EXPECT_EQ(ReadFileText("E:\\Boot\\bootsect.exe"), tool);
    ASSERT_TRUE(WaitForPath("E:\\bootsect.log", 20000));
    Sleep(500);
    EXPECT_EQ(ReadFileText("E:\\bootsect.log"), "E:\\Boot\\bootsect.exe /nt60 E:\n") << "started once";
    EXPECT_EQ(window.texts[Control::TransLabel4], "E：\\ 的引导处理完成");
    EXPECT_EQ(window.timerPeriod, 0);
}

}  // namespace
