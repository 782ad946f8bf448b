#include <gtest/gtest.h>

#include "tests/fakes/FakeSystem.h"
#include "tests/fakes/FakeWindow.h"
#include "workflow/Workflow.h"

namespace {

const Text kImage = "D:\\sources\\install.wim";
const Text kChooseImage = "请选择install.wim文件 (提示:install.wim文件一般位于系统光盘的sources文件夹下)";

struct InstallFixture : ::testing::Test {
    FakeSystem system;
    FakeWindow window;
    Payloads payloads;
    Workflow workflow{system, window, payloads};

    InstallFixture() {
        system.AddFile(kImage, "wim");
        system.AddFile("C:\\Windows\\system32\\imagex.exe", "MZ");
        system.AddDirectory("E:\\");
        window.texts[Control::EditBox1] = kImage;
    }
};

struct InstallCase {
    const char* name;
    Text imagePath;
    std::vector<int> answers;
    bool rootHoldsFile;
    bool rootUnreadable;
    std::vector<FakeWindow::Box> boxes;
    bool formats;
    int timerPeriod;
};

void PrintTo(const InstallCase& c, std::ostream* out) {
    *out << c.name;
}

class InstallTable : public InstallFixture, public ::testing::WithParamInterface<InstallCase> {};

const Text kConfirmE = "该操作会格式化驱动器 E:\\ 上的数据，是否继续？";
const FakeWindow::Box kConfirmBox{kConfirmE, 0x44, "警告"};

INSTANTIATE_TEST_SUITE_P(
    Steps,
    InstallTable,
    ::testing::Values(InstallCase{"EmptyPath", "", {}, false, false, {{kChooseImage, 0, "提示"}}, false, 0},
                      InstallCase{"PathMatchesNothing",
                                  "D:\\gone\\install.wim",
                                  {},
                                  false,
                                  false,
                                  {{"文件不存在！", 0, "提示"}},
                                  false,
                                  0},
                      InstallCase{"AnswerNo", kImage, {6}, false, false, {kConfirmBox}, false, 0},
                      InstallCase{"BoxClosedWithoutYes", kImage, {1}, false, false, {kConfirmBox}, false, 0},
                      InstallCase{"RootNotEmpty",
                                  kImage,
                                  {5},
                                  true,
                                  false,
                                  {kConfirmBox, {"请先格式化  E:\\", 16, "提示"}},
                                  false,
                                  0},
                      InstallCase{"RootUnreadable",
                                  kImage,
                                  {5},
                                  false,
                                  true,
                                  {kConfirmBox, {"请先格式化  E:\\", 16, "提示"}},
                                  false,
                                  0},
                      InstallCase{"YesOnEmptyRoot", kImage, {5}, false, false, {kConfirmBox}, true, 300}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(InstallTable, ShowsTheBoxesAndGoesAsFarAsItShould) {
    const InstallCase& c = GetParam();
    window.texts[Control::EditBox1] = c.imagePath;
    window.boxAnswers.assign(c.answers.begin(), c.answers.end());
    if (c.rootHoldsFile) system.AddFile("E:\\old.txt");
    if (c.rootUnreadable) system.unreadable.insert("E:");

    workflow.OnInstallClicked();

    ASSERT_EQ(window.boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
        EXPECT_EQ(window.boxes[i].text, c.boxes[i].text) << i;
        EXPECT_EQ(window.boxes[i].style, c.boxes[i].style) << i;
        EXPECT_EQ(window.boxes[i].caption, c.boxes[i].caption) << i;
    }
    EXPECT_EQ(system.formats.size(), c.formats ? 1u : 0u);
    EXPECT_EQ(system.launches.size(), c.formats ? 1u : 0u);
    EXPECT_EQ(window.timerPeriod, c.timerPeriod);
    EXPECT_TRUE(system.writes.empty());
    EXPECT_TRUE(system.created.empty());
}

TEST_F(InstallFixture, FormatsTheChosenDriveByItsZeroBasedNumber) {
    for (const auto& [letter, number] : {std::pair<Text, std::uint32_t>{"A", 0}, {"C", 2}, {"Z", 25}}) {
        FakeSystem fresh;  // the system directory lies on S:, so every root can be empty
        fresh.systemDirectory = "S:\\Windows\\system32\\";
        fresh.AddFile("S:\\Windows\\system32\\imagex.exe", "MZ");
        fresh.AddFile(kImage);
        fresh.AddDirectory(letter + ":\\");
        FakeWindow view;
        view.texts[Control::EditBox1] = kImage;
        view.drive = letter;
        view.boxAnswers = {5};
        Workflow run(fresh, view, payloads);
        run.OnInstallClicked();
        ASSERT_EQ(fresh.formats.size(), 1u) << letter;
        EXPECT_EQ(fresh.formats[0].drive, number) << letter;
        EXPECT_EQ(fresh.formats[0].owner, view.handle);
        ASSERT_EQ(fresh.launches.size(), 1u);
        EXPECT_EQ(fresh.launches[0].commandLine, "IMAGEX /apply " + kImage + " 1  " + letter + ":\\");
    }
}

TEST_F(InstallFixture, BuildsTheImagingCommandLine) {
    const struct {
        Text image;
        Text expected;
    } cases[] = {
        {kImage, "IMAGEX /apply D:\\sources\\install.wim 1  E:\\"},
        {"D:\\My Images\\install.wim", "IMAGEX /apply \"D:\\My Images\\install.wim\" 1  E:\\"},
        {"D:\\a\tb\\install.wim", "IMAGEX /apply \"D:\\a\tb\\install.wim\" 1  E:\\"},
        {"D:\\镜像\\install.wim", "IMAGEX /apply D:\\镜像\\install.wim 1  E:\\"},
    };
    for (const auto& c : cases) {
        system.AddFile(c.image);
        window.texts[Control::EditBox1] = c.image;
        window.boxAnswers = {5};
        system.launches.clear();
        workflow.OnInstallClicked();
        ASSERT_EQ(system.launches.size(), 1u) << c.image;
        EXPECT_EQ(system.launches[0].commandLine, c.expected);
        EXPECT_EQ(system.launches[0].program, "C:\\Windows\\system32\\imagex.exe");
    }
}

TEST_F(InstallFixture, ReadsTheControlsAfreshAtEachStep) {
    // The drive shown changes while the confirmation is open: the emptiness test, the format
    // and the command line follow the drive shown at their own step.
    system.AddDirectory("F:\\");
    int reads = 0;
    window.driveSource = [&] { return ++reads == 1 ? Text("E") : Text("F"); };
    window.boxAnswers = {5};
    workflow.OnInstallClicked();
    EXPECT_EQ(window.boxes[0].text, kConfirmE);
    ASSERT_EQ(system.formats.size(), 1u);
    EXPECT_EQ(system.formats[0].drive, 5u);
    EXPECT_EQ(system.launches.at(0).commandLine, "IMAGEX /apply " + kImage + " 1  F:\\");
}

TEST_F(InstallFixture, TheImagingToolStartsOnlyAfterTheFormatDialogHasReturned) {
    window.boxAnswers = {5};
    std::size_t launchesDuringFormat = 99;
    system.onFormat = [&] { launchesDuringFormat = system.launches.size(); };
    workflow.OnInstallClicked();
    EXPECT_EQ(launchesDuringFormat, 0u) << "nothing runs while the format dialog is open";
    EXPECT_EQ(system.launches.size(), 1u);
}

TEST_F(InstallFixture, ACancelledFormatStillLaunchesAndArmsTheTimer) {
    window.boxAnswers = {5};
    system.onFormat = [&] { system.AddFile("E:\\left-over.txt"); };  // the user cancelled
    workflow.OnInstallClicked();
    EXPECT_EQ(system.launches.size(), 1u);
    EXPECT_EQ(window.timerPeriod, 300);
}

TEST_F(InstallFixture, ASecondInstallWhileTheTimerRunsLeavesItRunning) {
    window.boxAnswers = {5, 5};
    workflow.OnInstallClicked();
    workflow.OnInstallClicked();
    EXPECT_EQ(system.launches.size(), 2u);
    EXPECT_EQ(window.timerPeriod, 300);
    EXPECT_EQ(window.timerRestarts, 1);
}

TEST_F(InstallFixture, ALaunchFailureIsShownAndLeavesTheTimerOff) {
    const struct {
        const char* name;
        bool toolMissing;
        bool startFails;
    } cases[] = {{"tool nowhere trusted", true, false}, {"process not created", false, true}};
    for (const auto& c : cases) {
        FakeSystem fresh;
        fresh.AddFile(kImage);
        fresh.AddDirectory("E:\\");
        if (!c.toolMissing) fresh.AddFile("C:\\Windows\\system32\\imagex.exe", "MZ");
        fresh.failStart = c.startFails;
        FakeWindow view;
        view.texts[Control::EditBox1] = kImage;
        view.boxAnswers = {5};
        Workflow run(fresh, view, payloads);
        run.OnInstallClicked();
        ASSERT_EQ(view.boxes.size(), 2u) << c.name;
        EXPECT_EQ(view.boxes[1].text, "无法启动映像工具 imagex.exe");
        EXPECT_EQ(view.boxes[1].caption, "提示");
        EXPECT_EQ(view.boxes[1].style, 16u);
        EXPECT_EQ(view.timerPeriod, 0) << c.name;
    }
}

TEST_F(InstallFixture, AnImagingToolAnywhereButTheSystemDirectoryIsNeverStarted) {
    FakeSystem fresh;
    fresh.AddFile(kImage);
    fresh.AddDirectory("E:\\");
    for (const char* planted : {"D:\\sources\\imagex.exe", "C:\\Tools\\imagex.exe", "C:\\imagex.exe"}) {
        fresh.AddFile(planted, "MZ planted");
    }
    FakeWindow view;
    view.texts[Control::EditBox1] = kImage;
    view.boxAnswers = {5};
    Workflow run(fresh, view, payloads);
    run.OnInstallClicked();
    EXPECT_TRUE(fresh.launches.empty());
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[1].text, "无法启动映像工具 imagex.exe");
    EXPECT_EQ(view.timerPeriod, 0);
}

}  // namespace
