#include <gtest/gtest.h>

#include "tests/fakes/FakeSystem.h"
#include "tests/fakes/FakeWindow.h"
#include "workflow/Workflow.h"

namespace {

// Outlive every view of them: a payload is a view of bytes someone else owns.
const std::string kImagingTool = "MZ imaging";
const std::string kBootTool = "MZ boot sector tool";
const Text kImage = "D:\\sources\\install.wim";

ByteView View(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// An installation on E: that the install command has confirmed and started.
struct PollFixture : ::testing::Test {
    FakeSystem system;
    FakeWindow window;
    Payloads payloads{View(kImagingTool), View(kBootTool)};
    std::unique_ptr<Workflow> workflow;
    std::shared_ptr<FakeSystem::ProcessState> imaging;

    void SetUp() override { Reset(); }
    void Reset() {
        system = FakeSystem();
        window = FakeWindow();
        payloads = Payloads{View(kImagingTool), View(kBootTool)};
        workflow = std::make_unique<Workflow>(system, window, payloads);
        system.AddFile(kImage);
        system.AddDirectory("C:\\Windows\\system32");
        workflow->OnWindowCreated();  // start-up deploys the imaging tool
        system.AddDirectory("E:\\");
        system.AddDirectory("F:\\");
        window.texts[Control::EditBox1] = kImage;
        window.texts[Control::TransLabel4] = "welcome";
        window.boxAnswers = {5};
        imaging = system.nextProcess;
        imaging->ended = false;
        system.processes = {"System", "IMAGEX.EXE"};
        workflow->OnInstallClicked();
        ASSERT_EQ(window.timerPeriod, 300);
        system.launches.clear();
        system.writes.clear();
    }
    void ImagingEnds(std::uint32_t exitCode) {
        system.processes = {"System"};
        imaging->ended = true;
        imaging->exitCode = exitCode;
        // The imaging run fills the drive.
        system.AddFile("E:\\Windows\\explorer.exe");
    }
    std::vector<Text> StatusTexts() const {
        std::vector<Text> texts;
        for (const auto& [control, text] : window.textWrites) {
            if (control == Control::TransLabel4) texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(PollFixture, AWaitingTickOnlyDisablesTheHiddenButtons) {
    workflow->OnPollTimer();
    workflow->OnPollTimer();
    const std::vector<std::pair<Control, bool>> expected = {
        {Control::Button1, true}, {Control::Button2, true}, {Control::Button1, true}, {Control::Button2, true}};
    EXPECT_EQ(window.disableWrites, expected);
    EXPECT_TRUE(window.textWrites.empty());
    EXPECT_EQ(window.texts[Control::TransLabel4], "welcome");
    EXPECT_EQ(window.timerPeriod, 300);
    EXPECT_TRUE(system.launches.empty());
    EXPECT_FALSE(system.Exists("E:\\Boot"));
    EXPECT_EQ(system.openSnapshots, 0);
}

TEST_F(PollFixture, NoSnapshotIsTakenWhileTheOwnRunGoesOn) {
    system.snapshotsTaken = 0;
    for (int tick = 0; tick < 3; ++tick) workflow->OnPollTimer();
    EXPECT_EQ(system.snapshotsTaken, 0) << "the kept run answers for itself";
    EXPECT_EQ(window.timerPeriod, 300);

    ImagingEnds(0);
    system.processes = {"imagex.exe"};  // someone else's run
    workflow->OnPollTimer();
    EXPECT_EQ(system.snapshotsTaken, 1) << "once the own run has ended, the snapshot decides";
    EXPECT_EQ(window.timerPeriod, 300);
    system.processes = {};
    workflow->OnPollTimer();
    EXPECT_EQ(system.snapshotsTaken, 2);
    EXPECT_EQ(window.timerPeriod, 0);
}

TEST_F(PollFixture, AnotherProgramsImagexKeepsThePollWaiting) {
    ImagingEnds(0);
    system.processes = {"imagex.exe"};
    workflow->OnPollTimer();
    EXPECT_EQ(window.timerPeriod, 300);
    EXPECT_TRUE(system.launches.empty());
}

TEST_F(PollFixture, OurRunStillGoingUnderNoListedNameKeepsThePollWaiting) {
    system.processes = {};
    workflow->OnPollTimer();
    EXPECT_EQ(window.timerPeriod, 300);
    EXPECT_TRUE(window.textWrites.empty());
}

TEST_F(PollFixture, TheCompletingTickSetsUpTheBootSectorAndStops) {
    workflow->OnPollTimer();
    ImagingEnds(0);
    window.disableWrites.clear();
    workflow->OnPollTimer();

    const std::vector<std::pair<Control, bool>> enabled = {{Control::Button1, false}, {Control::Button2, false}};
    EXPECT_EQ(window.disableWrites, enabled);
    EXPECT_EQ(StatusTexts(), (std::vector<Text>{"正在处理 E：\\ 的引导，请稍候....", "E：\\ 的引导处理完成"}));
    EXPECT_TRUE(system.IsDir("E:\\Boot"));
    ASSERT_NE(system.FileBytes("E:\\Boot\\bootsect.exe"), nullptr);
    EXPECT_EQ(*system.FileBytes("E:\\Boot\\bootsect.exe"), kBootTool);
    ASSERT_EQ(system.launches.size(), 1u);
    EXPECT_EQ(system.launches[0].commandLine, "E:\\Boot\\bootsect.exe /nt60 E:");
    EXPECT_FALSE(system.launches[0].waitForEnd);
    EXPECT_EQ(window.timerPeriod, 0);
}

TEST_F(PollFixture, AnExistingFolderAndToolAreUsedUntouched) {
    ImagingEnds(0);
    system.AddFile("E:\\Boot\\bootsect.exe", "someone else's");
    workflow->OnPollTimer();
    EXPECT_TRUE(system.created.empty());
    EXPECT_EQ(*system.FileBytes("E:\\Boot\\bootsect.exe"), "someone else's");
    EXPECT_TRUE(system.writes.empty());
    ASSERT_EQ(system.launches.size(), 1u);
    EXPECT_EQ(StatusTexts().back(), "E：\\ 的引导处理完成");
}

TEST_F(PollFixture, ADriveChosenWhileWaitingDoesNotRedirectTheBootSetup) {
    window.drive = "F";
    workflow->OnPollTimer();
    ImagingEnds(0);
    workflow->OnPollTimer();
    EXPECT_TRUE(system.Exists("E:\\Boot\\bootsect.exe"));
    EXPECT_FALSE(system.Exists("F:\\Boot"));
    EXPECT_EQ(system.launches.at(0).commandLine, "E:\\Boot\\bootsect.exe /nt60 E:");
    EXPECT_EQ(StatusTexts().back(), "E：\\ 的引导处理完成");
}

TEST_F(PollFixture, TheBootSectorToolWritesTheConfirmedDriveOnly) {
    // A run confirmed for G: once the E: run has ended: the boot code goes to G: itself.
    ImagingEnds(0);
    workflow->OnPollTimer();
    system.launches.clear();
    system.AddDirectory("G:\\");
    window.drive = "G";
    window.boxAnswers = {5};
    imaging = system.nextProcess;
    workflow->OnInstallClicked();
    workflow->OnPollTimer();
    ASSERT_EQ(system.launches.size(), 2u);
    EXPECT_EQ(system.launches[1].commandLine, "G:\\Boot\\bootsect.exe /nt60 G:");
}

TEST_F(PollFixture, AFailedImagingRunSkipsTheBootSetup) {
    for (std::uint32_t code : {1u, 0xC0000005u}) {
        Reset();
        ImagingEnds(code);
        window.textWrites.clear();
        workflow->OnPollTimer();
        EXPECT_EQ(StatusTexts(), (std::vector<Text>{"E：\\ 的映像应用失败"})) << code;
        EXPECT_FALSE(system.Exists("E:\\Boot")) << code;
        EXPECT_TRUE(system.launches.empty()) << code;
        EXPECT_EQ(window.timerPeriod, 0) << code;
        EXPECT_FALSE(window.disabled[Control::Button1]);
    }
}

TEST_F(PollFixture, AnUnreadableExitCodeCountsAsAFailedRun) {
    ImagingEnds(0);
    imaging->readable = false;
    workflow->OnPollTimer();
    EXPECT_EQ(StatusTexts().back(), "E：\\ 的映像应用失败");
    EXPECT_TRUE(system.launches.empty());
}

TEST_F(PollFixture, BootSetupFailuresEndInTheFailureText) {
    const struct {
        const char* name;
        std::function<void(PollFixture&)> arrange;
    } cases[] = {
        {"Boot is a file", [](PollFixture& f) { f.system.AddFile("E:\\Boot", "file"); }},
        {"Boot cannot be made", [](PollFixture& f) { f.system.failingCreates.insert("E:\\BOOT"); }},
        {"tool cannot be written", [](PollFixture& f) { f.system.failingWrites.insert("E:\\BOOT\\BOOTSECT.EXE"); }},
        {"tool cannot be started", [](PollFixture& f) { f.system.failStart = true; }},
        {"bootsect.exe is a directory", [](PollFixture& f) { f.system.AddDirectory("E:\\Boot\\bootsect.exe"); }},
        {"no tool carried", [](PollFixture& f) { f.payloads.bootSectorTool = {}; }},
    };
    for (const auto& c : cases) {
        Reset();
        ImagingEnds(0);
        c.arrange(*this);
        window.textWrites.clear();
        workflow->OnPollTimer();
        EXPECT_EQ(StatusTexts(), (std::vector<Text>{"正在处理 E：\\ 的引导，请稍候....", "E：\\ 的引导处理失败"}))
            << c.name;
        EXPECT_EQ(window.timerPeriod, 0) << c.name;
        if (std::string(c.name) == "Boot is a file") {
            EXPECT_EQ(*system.FileBytes("E:\\Boot"), "file");
            EXPECT_TRUE(system.launches.empty());
        }
    }
}

TEST_F(PollFixture, TheKeptRunIsReadOnceThenTheNextInstallStartsAfresh) {
    ImagingEnds(3);
    workflow->OnPollTimer();
    EXPECT_EQ(StatusTexts().back(), "E：\\ 的映像应用失败");
    // The next run is judged on its own exit code.
    window.boxAnswers = {5};
    system.RemoveDirectoryTree("E:\\Windows");
    auto second = system.nextProcess;
    workflow->OnInstallClicked();
    ASSERT_EQ(window.timerPeriod, 300);
    second->exitCode = 0;
    workflow->OnPollTimer();
    EXPECT_EQ(StatusTexts().back(), "E：\\ 的引导处理完成");
}

}  // namespace
