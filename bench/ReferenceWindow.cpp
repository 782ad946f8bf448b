// The reference for the start-up and memory figures: the smallest frameless window program
// of Vandrell's size, centred, shown, with a message loop and nothing else.
#include <windows.h>

namespace {
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "VandrellReferenceWindow";
    RegisterClassA(&wc);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 345) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 181) / 2;
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, wc.lpszClassName, "Reference", WS_POPUP | WS_MINIMIZEBOX, left, top,
                                  345, 181, nullptr, nullptr, instance, nullptr);
    if (!window) return -1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
