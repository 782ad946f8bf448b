// The real program under Wine, driven from outside. Drives: E: an empty fixed disk, F: a fixed
// disk holding a copy of the program, L: a fixed disk labelled DATA, R: a CD-ROM and N: a
// network drive.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ControlIds.h"
#include "tests/win32/Driver.h"
#include "tests/win32/TestSupport.h"

using namespace driver;
using testsupport::ProgramFolder;

namespace {

const std::string kProgram = ProgramFolder() + "Vandrell.exe";
const std::string kArtifacts = ProgramFolder() + "artifacts\\";

struct MainWindowTest : ::testing::Test {
    Program program{kProgram};
    void SetUp() override {
        if (program.Started()) return;
        const DWORD code = program.WaitForExit(0);
        FAIL() << "no visible VandrellMainWindow after 30 s; the program "
               << (code == STILL_ACTIVE ? std::string("still runs") : "ended with exit code " + std::to_string(code));
    }
};

TEST_F(MainWindowTest, WindowIsFramelessCentredAndNamed) {
    HWND window = program.Window();
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 345) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 181) / 2);
    const struct {
        int screenWidth, screenHeight, left, top;
    } screens[] = {{1920, 1080, 787, 449}, {1024, 768, 339, 293}, {800, 600, 227, 209}};
    bool knownScreen = false;
    for (const auto& screen : screens) {
        if (GetSystemMetrics(SM_CXSCREEN) != screen.screenWidth ||
            GetSystemMetrics(SM_CYSCREEN) != screen.screenHeight) {
            continue;
        }
        knownScreen = true;
        EXPECT_EQ(rect.left, screen.left);
        EXPECT_EQ(rect.top, screen.top);
    }
    EXPECT_TRUE(knownScreen) << GetSystemMetrics(SM_CXSCREEN) << "x" << GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect.right - rect.left, 345);
    EXPECT_EQ(rect.bottom - rect.top, 181);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 345);
    EXPECT_EQ(client.bottom, 181);

    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER));
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(TextOf(window), "Vandrell");
    EXPECT_EQ(ClassOf(window), "VandrellMainWindow");

    CreateDirectoryA(kArtifacts.c_str(), nullptr);
    EXPECT_TRUE(SaveScreenBmp(rect, kArtifacts + "main-window.bmp"));
}

TEST_F(MainWindowTest, ControlsHaveTheirPlacesStatesAndTexts) {
    const struct {
        int id;
        const char* className;
        RECT rect;
        bool visible;
        const char* text;
    } cases[] = {
        {ControlId::PicBtn3, "VandrellPictureButton", {304, 0, 342, 26}, true, ""},
        {ControlId::PicBtn1, "VandrellPictureButton", {248, 54, 316, 83}, true, ""},
        {ControlId::PicBtn2, "VandrellPictureButton", {248, 112, 316, 141}, true, ""},
        {ControlId::TransLabel1, "VandrellTransparentLabel", {32, 0, 248, 24}, true, "Vandrell  -- Quennet软件"},
        {ControlId::TransLabel2, "VandrellTransparentLabel", {24, 32, 232, 56}, true, "1、 请选择install.Wim文件"},
        {ControlId::TransLabel3, "VandrellTransparentLabel", {24, 88, 232, 112}, true, "2、 请选择驱动器"},
        {ControlId::TransLabel4, "VandrellTransparentLabel", {32, 152, 328, 176}, true, nullptr},
        {ControlId::EditBox1, "Edit", {24, 56, 240, 80}, true, ""},
        {ControlId::Button1, "Button", {-8, 216, 64, 240}, false, "选   择"},
        {ControlId::Button2, "Button", {-16, 208, 56, 232}, false, "安   装"},
    };
    for (const auto& c : cases) {
        HWND control = program.Control(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_STREQ(ClassOf(control).c_str(), c.className) << c.id;
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, c.rect.left) << c.id;
        EXPECT_EQ(rect.top, c.rect.top) << c.id;
        EXPECT_EQ(rect.right, c.rect.right) << c.id;
        EXPECT_EQ(rect.bottom, c.rect.bottom) << c.id;
        EXPECT_EQ(IsWindowVisible(control) != FALSE, c.visible) << c.id;
        EXPECT_TRUE(IsWindowEnabled(control)) << c.id;
        if (c.text) {
            EXPECT_EQ(TextOf(control), c.text) << c.id;
        }
    }
    const std::string welcome = TextOf(program.Control(ControlId::TransLabel4));
    EXPECT_FALSE(welcome.empty());
    EXPECT_EQ(welcome.find('\n'), std::string::npos);

    HWND drives = program.Control(ControlId::DriverBox1);
    const RECT closedRect = RectInParent(drives);
    EXPECT_EQ(closedRect.left, 24);
    EXPECT_EQ(closedRect.top, 112);
    EXPECT_EQ(closedRect.right, 240);
    EXPECT_EQ(closedRect.bottom, 136) << "the closed field is 24 px tall";
    // Opened, the list hangs below the field: together 80 px.
    PostMessageA(drives, CB_SHOWDROPDOWN, TRUE, 0);
    Settle(300);
    HWND list = nullptr;
    for (HWND window : TopLevelWindowsOf(program.ProcessId())) {
        if (ClassOf(window) == "ComboLBox") list = window;
    }
    ASSERT_NE(list, nullptr) << "the opened list";
    RECT field, opened;
    GetWindowRect(drives, &field);
    GetWindowRect(list, &opened);
    PostMessageA(drives, CB_SHOWDROPDOWN, FALSE, 0);
    Settle(300);
    // The platform sizes the list from the height the control was created with (80) less the
    // field it had then, in the system font; Wine's field of that font is one pixel taller
    // than the form's 24, so the two together come out at 79 there.
    EXPECT_NEAR(opened.bottom - field.top, 80, 1) << "the field and its opened list together";
    EXPECT_EQ(opened.top, field.bottom) << "the list hangs below the field";
    EXPECT_TRUE(IsWindowVisible(drives));
    EXPECT_EQ(GetWindowLongA(drives, GWL_STYLE) & 3, CBS_DROPDOWNLIST);

    const LONG editStyle = GetWindowLongA(program.Control(ControlId::EditBox1), GWL_STYLE);
    EXPECT_TRUE(editStyle & ES_READONLY);
    EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
    EXPECT_TRUE(GetWindowLongA(program.Control(ControlId::EditBox1), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    for (int id : {ControlId::PicBtn1, ControlId::PicBtn2, ControlId::PicBtn3})
        EXPECT_FALSE(GetWindowLongA(program.Control(id), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(MainWindowTest, DriveListShowsEveryDriveWithItsKind) {
    const std::vector<std::string> entries = ComboEntries(program.Control(ControlId::DriverBox1));
    const char* expected[] = {"E: （硬盘）", "F: （硬盘）", "L: （硬盘） DATA", "N: （网络驱动器）", "R: （光驱）"};
    for (const char* entry : expected) {
        EXPECT_NE(std::find(entries.begin(), entries.end(), entry), entries.end()) << entry;
    }
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end())) << "listed in the platform's order";
    // Started from the build folder on Z:, the program chose its own drive.
    EXPECT_EQ(ComboSelection(program.Control(ControlId::DriverBox1)).substr(0, 2), "Z:");
}

TEST(ProgramFile, CarriesA32By32TrueColourIconAndItsVersion) {
    HMODULE file = LoadLibraryExA(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    HICON icon = static_cast<HICON>(LoadImageA(file, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    EXPECT_EQ(colour.bmBitsPixel, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    FreeLibrary(file);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(kProgram.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(kProgram.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const DWORD versionHigh = MAKELONG(VANDRELL_VERSION_MINOR, VANDRELL_VERSION_MAJOR);
    const DWORD versionLow = MAKELONG(VANDRELL_VERSION_TWEAK, VANDRELL_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, versionHigh);
    EXPECT_EQ(fixed->dwFileVersionLS, versionLow);
    EXPECT_EQ(fixed->dwProductVersionMS, versionHigh);
    EXPECT_EQ(fixed->dwProductVersionLS, versionLow);
    for (const char* field : {"FileVersion", "ProductVersion"}) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\080404B0\\") + field;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << field;
        EXPECT_STREQ(value, VANDRELL_VERSION) << field;
    }
    for (const char* field : {"FileDescription", "ProductName", "Comments"}) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\080404B0\\") + field;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << field;
        EXPECT_STREQ(value, "Vandrell  -- Quennet软件") << field;
    }
}

TEST(MainWindowFromDriveF, ChoosesTheDriveItWasStartedFrom) {
    // 乗 ends in the byte 0x5C: the program's folder is not cut inside it.
    CreateDirectoryA("F:\\工具乗", nullptr);
    for (const char* path : {"F:\\Vandrell.exe", "F:\\工具乗\\乗.exe"}) {
        ASSERT_TRUE(CopyFileA(kProgram.c_str(), path, FALSE)) << path;
        Program program(path);
        ASSERT_TRUE(program.Started()) << path;
        EXPECT_EQ(ComboSelection(program.Control(ControlId::DriverBox1)), "F: （硬盘）") << path;
    }
}

TEST_F(MainWindowTest, EditBoxRefusesTypedText) {
    HWND edit = program.Control(ControlId::EditBox1);
    RECT rect;
    GetWindowRect(edit, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    TypeText("abc");
    SendMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(TextOf(edit), "");
}

TEST_F(MainWindowTest, EscEnterAndF1DoNothing) {
    SetForegroundWindow(program.Window());
    ClickAt(ScreenPointOf(program.Window(), 10, 140));
    const std::size_t windowsBefore = TopLevelWindowsOf(program.ProcessId()).size();
    for (WORD key : {VK_ESCAPE, VK_RETURN, VK_F1, VK_TAB, VK_RETURN, VK_SPACE}) PressKey(key);
    Settle(500);
    EXPECT_TRUE(IsWindowVisible(program.Window()));
    EXPECT_EQ(TopLevelWindowsOf(program.ProcessId()).size(), windowsBefore) << "no box, dialog or help opened";
    EXPECT_EQ(program.WaitForExit(0), STILL_ACTIVE);
}

TEST_F(MainWindowTest, TabMovesTheFocusBetweenTheEditBoxAndTheDriveListOnly) {
    HWND edit = program.Control(ControlId::EditBox1), drives = program.Control(ControlId::DriverBox1);
    RECT rect;
    GetWindowRect(edit, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ASSERT_EQ(FocusOf(program.Window()), edit);
    const std::size_t windowsBefore = TopLevelWindowsOf(program.ProcessId()).size();
    PressKey(VK_TAB);
    EXPECT_EQ(FocusOf(program.Window()), drives);
    PressKey(VK_TAB);
    EXPECT_EQ(FocusOf(program.Window()), edit);
    PressKey(VK_TAB, true);
    EXPECT_EQ(FocusOf(program.Window()), drives) << "Shift+Tab goes back";
    PressKey(VK_TAB, true);
    EXPECT_EQ(FocusOf(program.Window()), edit);
    for (WORD key : {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1}) PressKey(key);
    Settle(500);
    EXPECT_EQ(FocusOf(program.Window()), edit);
    EXPECT_EQ(TopLevelWindowsOf(program.ProcessId()).size(), windowsBefore) << "no box, dialog or help opened";
    EXPECT_EQ(program.WaitForExit(0), STILL_ACTIVE);
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindowButDraggingALabelDoesNot) {
    RECT before, afterLabel, afterBackground;
    GetWindowRect(program.Window(), &before);
    Drag(ScreenPointOf(program.Window(), 100, 44), ScreenPointOf(program.Window(), 160, 84));  // TransLabel2
    GetWindowRect(program.Window(), &afterLabel);
    EXPECT_EQ(afterLabel.left, before.left);
    EXPECT_EQ(afterLabel.top, before.top);

    const POINT from = ScreenPointOf(program.Window(), 10, 140);
    Drag(from, {from.x + 60, from.y + 40});
    GetWindowRect(program.Window(), &afterBackground);
    EXPECT_EQ(afterBackground.left, before.left + 60);
    EXPECT_EQ(afterBackground.top, before.top + 40);
    EXPECT_EQ(afterBackground.right - afterBackground.left, 345);
}

TEST_F(MainWindowTest, HoverShowsTheOrangePictureAndLeavingRestoresIt) {
    HWND select = program.Control(ControlId::PicBtn1);
    RECT rect;
    GetWindowRect(select, &rect);
    MoveMouseTo(ScreenPointOf(program.Window(), 10, 140));
    const std::vector<COLORREF> normal = GrabPixels(rect);
    MoveMouseTo({rect.left + 30, rect.top + 14});
    Settle(300);
    const std::vector<COLORREF> hover = GrabPixels(rect);
    RECT window;
    GetWindowRect(program.Window(), &window);
    SaveScreenBmp(window, kArtifacts + "main-window-hover.bmp");
    EXPECT_NE(normal, hover);
    // Orange: the centre's red outweighs its blue.
    const COLORREF centre = hover[14 * (rect.right - rect.left) + 4];
    EXPECT_GT((centre >> 16) & 0xFF, centre & 0xFF);
    MoveMouseTo(ScreenPointOf(program.Window(), 10, 140));
    Settle(300);
    EXPECT_EQ(GrabPixels(rect), normal);
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheProgramWithExitCodeZero) {
    RECT rect;
    GetWindowRect(program.Control(ControlId::PicBtn3), &rect);
    ClickAt({rect.left + 19, rect.top + 13});
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

TEST_F(MainWindowTest, PressingCloseAndReleasingElsewhereDoesNothing) {
    RECT rect;
    GetWindowRect(program.Control(ControlId::PicBtn3), &rect);
    MoveMouseTo({rect.left + 19, rect.top + 13});
    MouseButton(true);
    MoveMouseTo({rect.left - 60, rect.top + 60});
    MouseButton(false);
    EXPECT_EQ(program.WaitForExit(1000), STILL_ACTIVE);
}

TEST_F(MainWindowTest, ClosingTheWindowEndsTheProgramWithExitCodeZero) {
    PostMessageA(program.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, TheHiddenButtonsRunTheirCommandsOnBmClick) {
    PostMessageA(program.Control(ControlId::Button2), BM_CLICK, 0, 0);  // Button2: install, with no image chosen
    HWND notice = WaitForTopLevel(program.ProcessId(), "提示", 10000);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(notice, 0xFFFF)),
              "请选择install.wim文件 (提示:install.wim文件一般位于系统光盘的sources文件夹下)");
    PressDialogButton(notice, IDOK);

    PostMessageA(program.Control(ControlId::Button1), BM_CLICK, 0, 0);  // Button1: select
    HWND dialog = WaitForTopLevel(program.ProcessId(), "请选择install.wim文件", 10000);
    ASSERT_NE(dialog, nullptr);
    PressDialogButton(dialog, IDCANCEL);
    EXPECT_EQ(TextOf(program.Control(ControlId::EditBox1)), "");
    EXPECT_FALSE(IsWindowVisible(program.Control(ControlId::Button1)));
    EXPECT_FALSE(IsWindowVisible(program.Control(ControlId::Button2)));
}

TEST_F(MainWindowTest, FileDialogRoundTrip) {
    CreateDirectoryA("E:\\images", nullptr);
    ASSERT_TRUE(testsupport::WriteFileText("E:\\images\\install.wim", "wim"));
    ASSERT_TRUE(testsupport::WriteFileText("E:\\images\\other.WIM", "wim"));

    HWND dialog = OpenSelectDialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 0x470)), "install.wim") << "the one filter entry is selected";
    SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E:\\images\\install.wim"));
    PressDialogButton(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(TextOf(program.Control(ControlId::EditBox1)), "E:\\images\\install.wim");

    dialog = OpenSelectDialog(program);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(TextOf(FileNameBox(dialog)).find("install.wim"), std::string::npos) << "the previous name is offered";
    PressDialogButton(dialog, IDCANCEL);
    EXPECT_EQ(TextOf(program.Control(ControlId::EditBox1)), "E:\\images\\install.wim") << "cancel keeps the old path";

    dialog = OpenSelectDialog(program);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E:\\images\\other.WIM"));
    PressDialogButton(dialog, IDOK);
    EXPECT_EQ(TextOf(program.Control(ControlId::EditBox1)), "E:\\images\\other.WIM") << "any .wim name can be chosen";
}

}  // namespace
