#include "tests/win32/Driver.h"

#include <cstring>

#include "platform/ControlIds.h"
#include "platform/win32/MainWindow.h"

namespace driver {

namespace {

struct FindTopLevel {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<FindTopLevel*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == find->processId && ClassOf(window) == find->className && IsWindowVisible(window)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

struct CollectTopLevel {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM param) {
    auto* collect = reinterpret_cast<CollectTopLevel*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == collect->processId && IsWindowVisible(window)) collect->windows.push_back(window);
    return TRUE;
}

void SendMouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

Program::Program(const std::string& exePath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_)) {
        return;
    }
    for (int i = 0; i < 300 && !window_; ++i) {
        FindTopLevel find{info_.dwProcessId, MainWindow::kClassName, nullptr};
        EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&find));
        window_ = find.found;
        if (!window_) Sleep(100);
    }
    if (window_) Settle(500);  // let it paint
}

Program::~Program() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

DWORD Program::WaitForExit(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string TextOf(HWND window) {
    char buffer[1024] = {};
    const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

namespace {
// Cross-process, the ANSI form of CB_GETLBTEXT comes back cut short under Wine: ask for the
// UTF-16 text and convert it to the ANSI code page here.
std::string ComboEntry(HWND combo, LRESULT index) {
    wchar_t wide[512] = {};
    if (SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide)) == CB_ERR) return "";
    char text[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}
}  // namespace

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) entries.push_back(ComboEntry(combo, i));
    return entries;
}

std::string ComboSelection(HWND combo) {
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? "" : ComboEntry(combo, index);
}

void MoveMouseTo(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65535 + width / 2) / (width - 1),
              (screen.y * 65535 + height / 2) / (height - 1));
    Settle(150);
}

void MouseButton(bool down) {
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    Settle(150);
}

void ClickAt(POINT screen) {
    MoveMouseTo(screen);
    MouseButton(true);
    MouseButton(false);
}

void Drag(POINT from, POINT to) {
    MoveMouseTo(from);
    MouseButton(true);
    for (int step = 1; step <= 5; ++step) {
        MoveMouseTo({from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5});
    }
    MouseButton(false);
    Settle(300);
}

void PressKey(WORD virtualKey, bool withShift) {
    INPUT inputs[4] = {};
    UINT count = 0;
    const auto key = [&](WORD vk, DWORD flags) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = vk;
        inputs[count++].ki.dwFlags = flags;
    };
    if (withShift) key(VK_SHIFT, 0);
    key(virtualKey, 0);
    key(virtualKey, KEYEVENTF_KEYUP);
    if (withShift) key(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(count, inputs, sizeof inputs[0]);
    Settle(200);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void TypeText(const std::string& ascii) {
    for (char c : ascii) PressKey(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
}

POINT ScreenPointOf(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void Settle(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(20);
    } while (GetTickCount() - start < ms);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    CollectTopLevel collect{processId, {}};
    EnumWindows(&CollectWindows, reinterpret_cast<LPARAM>(&collect));
    return collect.windows;
}

HWND WaitForTopLevel(DWORD processId, const std::string& caption, DWORD timeoutMs) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += 100) {
        for (HWND window : TopLevelWindowsOf(processId)) {
            if (TextOf(window) == caption) return window;
        }
        Sleep(100);
    }
    return nullptr;
}

HWND FileNameBox(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x47C);  // cmb13
    if (combo) {
        if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
        return combo;
    }
    return GetDlgItem(dialog, 0x480);  // edt1
}

HWND OpenSelectDialog(Program& program) {
    RECT rect;
    GetWindowRect(program.Control(ControlId::PicBtn1), &rect);
    ClickAt({rect.left + 30, rect.top + 14});
    return WaitForTopLevel(program.ProcessId(), "请选择install.wim文件", 10000);
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Settle(100);
    Settle(300);
}

void ClickDialogButton(HWND dialog, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    for (int i = 0; i < 50 && IsWindow(dialog); ++i) Settle(100);
}

void ChooseDrive(Program& program, char letter) {
    RECT rect;
    GetWindowRect(program.Control(ControlId::DriverBox1), &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    Settle(300);
    PressKey(static_cast<WORD>(VkKeyScanA(static_cast<char>(letter | 0x20)) & 0xFF));
    PressKey(VK_RETURN);
    Settle(300);
}

std::vector<COLORREF> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw) {
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(COLORREF));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (COLORREF& pixel : pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

std::vector<COLORREF> GrabPixels(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    return DrawnPixels(width, height, [&](HDC memory) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

bool SaveScreenBmp(const RECT& rect, const std::string& path) {
    const std::vector<COLORREF> pixels = GrabPixels(rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + rowBytes * height;
    std::string data(reinterpret_cast<const char*>(&file), sizeof file);
    data.append(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = pixels[static_cast<std::size_t>(y) * width + x];  // 0x00RRGGBB
            row[x * 3] = static_cast<char>(pixel & 0xFF);
            row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        data += row;
    }
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(out);
    return ok && written == data.size();
}

}  // namespace driver
