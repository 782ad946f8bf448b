// The real form in this process: the pointer that each part of the window shows under real
// mouse input, and what the toolkit's own controls draw for WM_PRINTCLIENT (what PrintWindow
// captures on Windows; Wine's PrintWindow copies the screen instead, so the message is sent
// here directly).
#include <gtest/gtest.h>

#include <ole2.h>

#include <algorithm>
#include <vector>

#include "app/Form.h"
#include "platform/ControlIds.h"
#include "tests/win32/Driver.h"

namespace {

// The real form, shown and in front, with OLE for this thread as the program has it.
struct FormTest : ::testing::Test {
    struct Ole {
        Ole() { OleInitialize(nullptr); }
        ~Ole() { OleUninitialize(); }
    } ole;  // outlives the form
    Form form;
    HWND main = nullptr;

    void SetUp() override {
        ASSERT_TRUE(form.Create());
        main = form.MainHandle();
        ShowWindow(main, SW_SHOWNORMAL);
        SetForegroundWindow(main);
        driver::Settle(300);
    }
};

// What the shell shows for the window (taskbar, Alt+Tab): the icon the window answers with, or
// else its class's; both sizes are the program's 32 x 32 icon. In-process: Wine's icon handles
// are the process's own.
TEST_F(FormTest, TheWindowShowsTheProgramsIcon) {
    const struct {
        int size;
        int classIndex;
    } cases[] = {{ICON_BIG, GCLP_HICON}, {ICON_SMALL, GCLP_HICONSM}};
    for (const auto& c : cases) {
        HICON icon = reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, c.size, 0));
        if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(main, c.classIndex));
        ICONINFO info{};
        ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << c.size;
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, 32) << c.size;
        EXPECT_EQ(colour.bmHeight, 32) << c.size;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(FormTest, TheArrowEverywhereButTheHandOverTheCloseButton) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), hand = LoadCursorA(nullptr, IDC_HAND);
    const struct {
        const char* part;
        int x, y;  // in the client area
        HCURSOR expected;
    } cases[] = {
        {"EditBox1", 100, 68, arrow},   {"DriverBox1", 100, 124, arrow}, {"PicBtn1", 280, 68, arrow},
        {"PicBtn2", 280, 126, arrow},   {"PicBtn3", 320, 12, hand},      {"TransLabel2", 100, 44, arrow},
        {"background", 10, 140, arrow},
    };
    for (const auto& c : cases) {
        driver::MoveMouseTo(driver::ScreenPointOf(main, 200, 170));  // each case enters its part afresh
        driver::MoveMouseTo(driver::ScreenPointOf(main, c.x, c.y));
        driver::Settle(200);
        EXPECT_EQ(GetCursor(), c.expected) << c.part;
    }
}

// The control's client area as it draws it for WM_PRINTCLIENT, as 0x00RRGGBB values.
std::vector<COLORREF> PrintedPixels(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    return driver::DrawnPixels(client.right, client.bottom, [&](HDC memory) {
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
}

TEST_F(FormTest, TheToolkitsControlsPrintWhatTheScreenShows) {
    driver::MoveMouseTo({0, 0});  // no hover
    driver::Settle(500);
    for (int id : {ControlId::PicBtn1, ControlId::PicBtn2, ControlId::PicBtn3, ControlId::TransLabel1,
                   ControlId::TransLabel2, ControlId::TransLabel4}) {
        HWND control = GetDlgItem(main, id);
        ASSERT_NE(control, nullptr) << id;
        RECT onScreen;
        GetWindowRect(control, &onScreen);
        const std::vector<COLORREF> printed = PrintedPixels(control);
        EXPECT_EQ(printed, driver::GrabPixels(onScreen)) << id;
        EXPECT_NE(std::count(printed.begin(), printed.end(), printed.front()), static_cast<long>(printed.size()))
            << id << ": something was drawn";
    }
}

}  // namespace
