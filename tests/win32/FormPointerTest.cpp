// The real form in this process, with real mouse input: the pointer that each part of the
// window shows.
#include <gtest/gtest.h>

#include <ole2.h>

#include "app/Form.h"
#include "tests/win32/Driver.h"

namespace {

TEST(FormPointer, TheArrowEverywhereButTheHandOverTheCloseButton) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        Form form;
        ASSERT_TRUE(form.Create());
        HWND main = form.MainHandle();
        ShowWindow(main, SW_SHOWNORMAL);
        SetForegroundWindow(main);
        driver::Settle(300);
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
    OleUninitialize();
}

}  // namespace
