// Many ticks and repaints on the real form must leave the process holding what it held
// before. Wine reports no handle or GUI object counts, so they are counted by probing: every
// kernel handle value (GetHandleInformation), every GDI table index (GetObjectType accepts a
// bare index) and every window of this process.
#include <gtest/gtest.h>

#include <ole2.h>

#include <cstdio>

#include "app/Form.h"
#include "platform/ControlIds.h"
#include "platform/win32/Win32SystemServices.h"
#include "platform/win32/Win32WindowServices.h"
#include "tests/win32/TestSupport.h"
#include "util/ProcessCheck.h"
#include "workflow/Workflow.h"

using namespace testsupport;

namespace {

struct Counts {
    int kernel = 0, gdi = 0, windows = 0;
};

BOOL CALLBACK CountOwnWindows(HWND window, LPARAM param) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(param);
        EnumChildWindows(window, &CountOwnWindows, param);
    }
    return TRUE;
}

Counts CountResources() {
    Counts counts;
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++counts.kernel;
    }
    for (UINT_PTR index = 0; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++counts.gdi;
    }
    EnumWindows(&CountOwnWindows, reinterpret_cast<LPARAM>(&counts.windows));
    return counts;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

ByteView View(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

TEST(Soak, TicksAndRepaintsLeakNothing) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        Form form;
        ASSERT_TRUE(form.Create());
        ShowWindow(form.MainHandle(), SW_SHOWNORMAL);
        Win32SystemServices system;
        Win32WindowServices window(form.Parts());
        const std::string bootTool = ReadFileText(ProgramFolder() + "fixture_console.exe");
        Payloads payloads{{}, View(bootTool)};
        Workflow workflow(system, window, payloads);
        window.SetControlText(Control::TransLabel4, "soak");
        // The completing ticks work on the drive shown: E:, never the drive of this folder.
        HWND drives = GetDlgItem(form.MainHandle(), ControlId::DriverBox1);
        for (LRESULT i = 0; i < SendMessageA(drives, CB_GETCOUNT, 0, 0); ++i) {
            if (SendMessageA(drives, CB_GETITEMDATA, i, 0) == 'E') SendMessageA(drives, CB_SETCURSEL, i, 0);
        }
        ASSERT_EQ(window.GetCurrentDrive(), "E");

        const auto waitingTicks = [&](int count) {
            window.SetTimerPeriod(300);
            for (int i = 0; i < count; ++i) workflow.OnPollTimer();
            Pump();
        };
        const auto completingTicks = [&](int count) {
            for (int i = 0; i < count; ++i) {
                window.SetTimerPeriod(300);
                workflow.OnPollTimer();
                Pump();
            }
        };
        const auto repaints = [&](int count) {
            for (int i = 0; i < count; ++i)
                window.SetControlText(Control::TransLabel4, i % 2 ? "正在处理" : "E：\\ 的引导处理完成");
            Pump();
        };

        // Warm up every path once, so that what the platform keeps after its first use is in
        // the baseline.
        completingTicks(5);
        repaints(20);
        Sleep(1000);

        // A process named imagex.exe that runs until released keeps the ticks waiting.
        CreateDirectoryA("E:\\held", nullptr);
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "fixture_console.exe").c_str(), "E:\\held\\imagex.exe", FALSE));
        SetEnvironmentVariableA("VANDRELL_FIXTURE_RELEASE", "E:\\held\\go");
        ASSERT_TRUE(system.RunCommandLine("E:\\held\\imagex.exe", false));
        SetEnvironmentVariableA("VANDRELL_FIXTURE_RELEASE", nullptr);
        Sleep(500);
        waitingTicks(20);
        Pump();

        const Counts before = CountResources();
        const DWORD start = GetTickCount();
        waitingTicks(10000);
        ASSERT_EQ(window.GetTimerPeriod(), 300) << "the ticks were waiting ticks";
        ASSERT_TRUE(WriteFileText("E:\\held\\go", "go"));
        for (int i = 0; i < 100; ++i) {
            Text name = "imagex.exe";
            Sleep(100);
            if (!IsProcessRunning(system, name)) break;
        }
        completingTicks(1000);
        EXPECT_EQ(window.GetControlText(Control::TransLabel4), "E：\\ 的引导处理完成");
        repaints(1000);
        Sleep(2000);  // the last boot sector stand-ins end
        Pump();
        const Counts after = CountResources();
        std::printf("soak: %lu ms; kernel handles %d -> %d, GDI objects %d -> %d, windows %d -> %d\n",
                    GetTickCount() - start, before.kernel, after.kernel, before.gdi, after.gdi, before.windows,
                    after.windows);
        EXPECT_GT(before.kernel, 0);
        EXPECT_GT(before.gdi, 0);
        EXPECT_GT(before.windows, 10);
        EXPECT_EQ(after.kernel, before.kernel);
        EXPECT_EQ(after.gdi, before.gdi);
        EXPECT_EQ(after.windows, before.windows);
    }
    OleUninitialize();
}

}  // namespace
