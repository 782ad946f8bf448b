#include "platform/win32/Window.h"

#include "platform/win32/Handles.h"

Window::~Window() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool Window::RegisterClassOnce(const char* className, HBRUSH background, HICON icon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

bool Window::Create(const Placement& placement) {
    const RECT& r = placement.rect;
    HMENU menu = placement.parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)) : nullptr;
    return CreateWindowExA(placement.exStyle, placement.className, placement.text, placement.style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, placement.parent, menu, GetModuleHandleA(nullptr),
                           this) != nullptr;
}

bool Window::CreateChild(const char* className, const char* text, HWND parent, int id, const RECT& rect, bool visible) {
    if (!RegisterClassOnce(className, nullptr, nullptr)) return false;
    return Create({className, text, WS_CHILD | (visible ? WS_VISIBLE : 0u), 0, rect, parent, id});
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

void Window::Paint(HDC, const RECT&) {}

LRESULT Window::PaintMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;  // Paint covers every pixel
    case WM_PAINT: {
        BufferedPaint paint(Handle());
        Paint(paint.Dc(), paint.Client());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(Handle(), &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    default: return 0;
    }
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}
