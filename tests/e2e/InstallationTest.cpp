// Whole installations through the real window under Wine, with the stand-in tools the
// program carries. D: holds the images, T: the tree they were captured from, E: is the
// target, L: collects the stand-ins' logs.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ControlIds.h"
#include "tests/win32/Driver.h"
#include "tests/win32/TestSupport.h"

using namespace driver;
using namespace testsupport;

namespace {

const std::string kProgram = ProgramFolder() + "Vandrell.exe";
const char kLog[] = "L:\\stand-ins.log";

std::string SystemTool() {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\imagex.exe";
}

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::string text = ReadFileText(kLog), line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return lines;
}

struct InstallationTest : ::testing::Test {
    std::unique_ptr<Program> program;

    void SetUp() override {
        // A boot sector stand-in of the test before may still be ending and hold its file.
        std::vector<std::string> left;
        for (int i = 0; i < 50; ++i) {
            EmptyFolder("E:");
            left.clear();
            ListTree("E:", "", left);
            if (left.empty()) break;
            Sleep(200);
        }
        ASSERT_TRUE(left.empty()) << "E: could not be emptied";
        DeleteFileA(kLog);
        SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", kLog);
        DeleteFileA(SystemTool().c_str());
        program = std::make_unique<Program>(kProgram);
        ASSERT_TRUE(program->Started());
    }
    void TearDown() override { SetEnvironmentVariableA("VANDRELL_FIXTURE_LOG", nullptr); }

    void SelectImage(const std::string& path) {
        HWND dialog = OpenSelectDialog(*program);
        ASSERT_NE(dialog, nullptr);
        SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PressDialogButton(dialog, IDOK);
        ASSERT_EQ(TextOf(program->Control(ControlId::EditBox1)), path);
    }
    // Clicks PicBtn2 and answers the confirmation with Yes.
    void StartAndConfirm() {
        ChooseDrive(*program, 'E');
        ASSERT_EQ(ComboSelection(program->Control(ControlId::DriverBox1)).substr(0, 2), "E:");
        RECT rect;
        GetWindowRect(program->Control(ControlId::PicBtn2), &rect);
        ClickAt({rect.left + 30, rect.top + 14});
        HWND box = WaitForTopLevel(program->ProcessId(), "警告", 10000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), "该操作会格式化驱动器 E:\\ 上的数据，是否继续？");
        ClickDialogButton(box, IDYES);
    }
    std::string WaitForFinalStatus() {
        const std::string working = "正在处理 E：\\ 的引导，请稍候....";
        std::string status;
        for (int i = 0; i < 1200; ++i) {
            status = TextOf(program->Control(ControlId::TransLabel4));
            if (status.rfind("E：\\", 0) == 0 && status != working) break;
            Settle(100);
        }
        return status;
    }
};

void ExpectTreeOnE() {
    std::vector<std::string> expected, actual;
    ListTree("T:", "", expected);
    ListTree("E:", "", actual);
    actual.erase(
        std::remove_if(actual.begin(), actual.end(), [](const std::string& p) { return p.rfind("Boot\\", 0) == 0; }),
        actual.end());
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);
    ASSERT_GE(expected.size(), 8u);
    for (const std::string& path : expected) {
        if (path.back() == '\\') continue;
        EXPECT_EQ(ReadFileText("E:\\" + path), ReadFileText("T:\\" + path)) << path;
    }
}

TEST_F(InstallationTest, InstallsTheImageAndSetsUpTheBootSector) {
    EXPECT_EQ(ReadFileText(SystemTool()), ReadFileText(VANDRELL_IMAGING_STAND_IN)) << "deployed at start-up";
    SelectImage("D:\\images\\install.wim");
    StartAndConfirm();
    EXPECT_EQ(WaitForFinalStatus(), "E：\\ 的引导处理完成");
    RECT window;
    GetWindowRect(program->Window(), &window);
    CreateDirectoryA((ProgramFolder() + "artifacts").c_str(), nullptr);
    SaveScreenBmp(window, ProgramFolder() + "artifacts\\installed.bmp");

    ExpectTreeOnE();
    EXPECT_EQ(ReadFileText("E:\\Boot\\bootsect.exe"), ReadFileText(VANDRELL_BOOT_STAND_IN));
    Settle(1000);
    const std::vector<std::string> expectedLog = {"IMAGEX /apply D:\\images\\install.wim 1  E:\\",
                                                  "E:\\Boot\\bootsect.exe /nt60 E:"};
    EXPECT_EQ(LogLines(), expectedLog);
    for (int hiddenButton : {ControlId::Button1, ControlId::Button2}) {
        EXPECT_TRUE(IsWindowEnabled(program->Control(hiddenButton)));
        EXPECT_FALSE(IsWindowVisible(program->Control(hiddenButton)));
    }
}

TEST_F(InstallationTest, AnImagePathWithASpaceAndChineseFoldersWorks) {
    SelectImage("D:\\My 镜像\\安装 映像\\install.wim");
    StartAndConfirm();
    EXPECT_EQ(WaitForFinalStatus(), "E：\\ 的引导处理完成");
    ExpectTreeOnE();
    EXPECT_EQ(LogLines().at(0), "IMAGEX /apply \"D:\\My 镜像\\安装 映像\\install.wim\" 1  E:\\");
}

TEST_F(InstallationTest, ADamagedImageIsReportedAndGetsNoBootSetup) {
    SelectImage("D:\\damaged\\install.wim");
    StartAndConfirm();
    EXPECT_EQ(WaitForFinalStatus(), "E：\\ 的映像应用失败");
    EXPECT_FALSE(PathExists("E:\\Boot"));
    Settle(500);
    EXPECT_EQ(LogLines().size(), 1u) << "the boot sector tool was not started";
}

TEST_F(InstallationTest, ADriveThatIsNotEmptyIsRefusedAndLeftAlone) {
    ASSERT_TRUE(WriteFileText("E:\\keep.txt", "mine"));
    SelectImage("D:\\images\\install.wim");
    ChooseDrive(*program, 'E');
    RECT rect;
    GetWindowRect(program->Control(ControlId::PicBtn2), &rect);
    ClickAt({rect.left + 30, rect.top + 14});
    HWND confirm = WaitForTopLevel(program->ProcessId(), "警告", 10000);
    ASSERT_NE(confirm, nullptr);
    ClickDialogButton(confirm, IDYES);
    HWND notice = WaitForTopLevel(program->ProcessId(), "提示", 10000);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(notice, 0xFFFF)), "请先格式化  E:\\");
    ClickDialogButton(notice, IDOK);
    Settle(1500);
    std::vector<std::string> onE;
    ListTree("E:", "", onE);
    EXPECT_EQ(onE, std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(ReadFileText("E:\\keep.txt"), "mine");
    EXPECT_TRUE(LogLines().empty()) << "no tool was started";
}

}  // namespace
