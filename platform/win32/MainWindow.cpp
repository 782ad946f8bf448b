#include "platform/win32/MainWindow.h"

bool MainWindow::Create(const Settings& settings) {
    background_ = Picture(settings.backgroundPicture);
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(settings.icon), IMAGE_ICON, 32, 32, LR_SHARED));
    if (!RegisterClassOnce(kClassName, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), icon)) {
        return false;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - settings.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - settings.height) / 2;
    const RECT rect{left, top, left + settings.width, top + settings.height};
    // The class's icons serve the window (taskbar, Alt+Tab); WM_SETICON would only hand the
    // same icon to the shell again, at a cost to the start-up.
    return Window::Create(
        {kClassName, settings.caption, WS_POPUP | WS_MINIMIZEBOX | WS_CLIPCHILDREN, WS_EX_APPWINDOW, rect, nullptr, 0});
}

void MainWindow::PaintBackground(HDC dc, const RECT& area) {
    const SIZE tile = background_.Size();
    if (tile.cx <= 0 || tile.cy <= 0) {
        RECT whole{0, 0, area.right - area.left, area.bottom - area.top};
        FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    for (int y = area.top - area.top % tile.cy; y < area.bottom; y += tile.cy) {
        for (int x = area.left - area.left % tile.cx; x < area.right; x += tile.cx) {
            background_.Draw(dc, x - area.left, y - area.top);
        }
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(message, wParam);
    case WM_LBUTTONDOWN: OnLeftButtonDown(); return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0 && onClicked) onClicked(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (onTimer) onTimer(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam, lParam);
    case WM_SETCURSOR:
        // The arrow over the window and every control; a picture button answers for itself.
        if (LOWORD(lParam) != HTCLIENT) return Default(message, wParam, lParam);
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    case WM_HELP: return TRUE;  // F1 opens no help
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return Default(message, wParam, lParam);
    }
}

bool MainWindow::MoveFocusOnTab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    if (HWND next = GetNextDlgTabItem(Handle(), GetFocus(), backwards)) SetFocus(next);
    return true;
}

// A press on the window's own background moves the window as a title bar would.
void MainWindow::OnLeftButtonDown() {
    ReleaseCapture();
    SendMessageA(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (control != whiteControl_) return Default(message, wParam, lParam);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}
