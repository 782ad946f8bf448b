// WindowServices on Win32, in this process: the timer's contract and the message box.
#include <gtest/gtest.h>

#include <thread>

#include "platform/ControlIds.h"
#include "platform/win32/Win32WindowServices.h"
#include "tests/win32/Driver.h"

namespace {

int g_ticks = 0;

LRESULT CALLBACK CountTicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == ControlId::Timer1) ++g_ticks;
    return DefWindowProcA(window, message, wParam, lParam);
}

struct TimerTest : ::testing::Test {
    HWND window = nullptr;
    std::unique_ptr<Win32WindowServices> services;

    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &CountTicks;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TimerProbe";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "TimerProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        Win32WindowServices::Parts parts;
        parts.mainWindow = window;
        services = std::make_unique<Win32WindowServices>(parts);
        g_ticks = 0;
    }
    void TearDown() override { DestroyWindow(window); }
    // Pumps messages until `ms` have passed since `start`.
    static void PumpUntil(DWORD start, DWORD ms) {
        while (GetTickCount() - start < ms) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(5);
        }
    }
};

TEST_F(TimerTest, DoesNotTickAtPeriodZero) {
    services->SetTimerPeriod(0);
    PumpUntil(GetTickCount(), 400);
    EXPECT_EQ(g_ticks, 0);
    EXPECT_EQ(services->GetTimerPeriod(), 0);
}

TEST_F(TimerTest, TheSameValueAgainKeepsTheRhythm) {
    const DWORD start = GetTickCount();
    services->SetTimerPeriod(1000);
    PumpUntil(start, 700);
    services->SetTimerPeriod(1000);  // a restart would put the tick at 1700 ms
    PumpUntil(start, 1350);
    EXPECT_EQ(g_ticks, 1);
}

TEST_F(TimerTest, AnotherValueRestartsAndBelowZeroStops) {
    const DWORD start = GetTickCount();
    services->SetTimerPeriod(1000);
    PumpUntil(start, 600);
    services->SetTimerPeriod(ControlId::PicBtn1);  // restarted: first tick near 1600 ms
    PumpUntil(start, 1350);
    EXPECT_EQ(g_ticks, 0);
    services->SetTimerPeriod(100);
    PumpUntil(start, 1800);
    EXPECT_GE(g_ticks, 2);
    services->SetTimerPeriod(-5);
    EXPECT_EQ(services->GetTimerPeriod(), 0);
    const int ticks = g_ticks;
    PumpUntil(GetTickCount(), 400);
    EXPECT_EQ(g_ticks, ticks);
}

TEST(MessageBoxTest, MapsEveryPlatformAnswer) {
    const struct {
        int platform, expected;
    } cases[] = {{IDOK, 0}, {IDCANCEL, 1}, {IDABORT, 2}, {IDRETRY, 3}, {IDIGNORE, 4}, {IDYES, 5},
                 {IDNO, 6}, {IDCLOSE, 0},  {IDHELP, 0},  {10, 0},      {11, 0},       {0, 0}};
    for (const auto& c : cases) EXPECT_EQ(Win32WindowServices::MessageResultOf(c.platform), c.expected) << c.platform;
}

// Answers the next box captioned `caption` in this process with the button `buttonId`,
// reporting the text it showed.
std::thread Answer(const std::string& caption, int buttonId, std::string& shownText) {
    return std::thread([caption, buttonId, &shownText] {
        HWND box = driver::WaitForTopLevel(GetCurrentProcessId(), caption, 10000);
        if (!box) return;
        shownText = driver::TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    });
}

TEST(MessageBoxTest, ShowsTheTextAndReturnsTheProgramsResultCodes) {
    Win32WindowServices services({});
    const struct {
        std::uint32_t style;
        int button, expected;
    } cases[] = {{0x44, IDNO, 6}, {0x44, IDYES, 5}, {0x10, IDOK, 0}, {0, IDOK, 0}};
    for (const auto& c : cases) {
        std::string shown;
        std::thread answer = Answer("警告", c.button, shown);
        EXPECT_EQ(services.ShowMessageBox("该操作会格式化驱动器 E:\\ 上的数据，是否继续？", c.style, "警告"),
                  c.expected);
        answer.join();
        EXPECT_EQ(shown, "该操作会格式化驱动器 E:\\ 上的数据，是否继续？");
    }
}

}  // namespace
