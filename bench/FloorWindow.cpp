// The floor for the start-up figure: what any program with Vandrell's form must do before its
// window shows. It initialises OLE, creates a frameless 345 x 181 window centred on the screen
// with the same background picture, shows it and runs a message loop; nothing else.
#include <windows.h>
#include <ole2.h>

namespace {

HBITMAP g_background = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, g_background);
        BitBlt(dc, 0, 0, 345, 181, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (FAILED(OleInitialize(nullptr))) return -1;
    g_background = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(101), IMAGE_BITMAP, 0, 0, 0));
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "VandrellFloorWindow";
    RegisterClassA(&wc);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 345) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 181) / 2;
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, wc.lpszClassName, "Floor", WS_POPUP | WS_MINIMIZEBOX, left, top,
                                  345, 181, nullptr, nullptr, instance, nullptr);
    if (!window) return -1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(g_background);
    OleUninitialize();
    return 0;
}
