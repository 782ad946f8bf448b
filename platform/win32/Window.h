#pragma once
#include <windows.h>

// Base of the toolkit's own window classes: `this` travels in WM_NCCREATE, is kept in
// GWLP_USERDATA and is cleared on WM_NCDESTROY, so no message reaches a gone object.
class Window {
public:
    // Where and how a window is created.
    struct Placement {
        const char* className;
        const char* text;
        DWORD style;  // WS_VISIBLE only when the window is to be shown at creation
        DWORD exStyle;
        RECT rect;  // in the parent's client area (screen for a top-level window)
        HWND parent;
        int id;  // control ID of a child; ignored for a top-level window
    };

    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class once per process; false when registration failed.
    static bool RegisterClassOnce(const char* className, HBRUSH background, HICON icon);
    bool Create(const Placement& placement);
    // Registers the class if needed and creates a child of the parent.
    bool CreateChild(const char* className, const char* text, HWND parent, int id, const RECT& rect, bool visible);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
    // The whole client area drawn into dc. One routine for WM_PAINT (through a buffer, so
    // nothing flickers) and WM_PRINTCLIENT (so PrintWindow captures it): a class that paints
    // itself sends both messages, and WM_ERASEBKGND, to PaintMessage.
    virtual void Paint(HDC dc, const RECT& client);
    LRESULT PaintMessage(UINT message, WPARAM wParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Who paints the window's picture behind a child that lets it show through.
class BackgroundPainter {
public:
    virtual ~BackgroundPainter() = default;
    // Paints the part `area` (in the painter's client coordinates) with its top-left at (0, 0).
    virtual void PaintBackground(HDC dc, const RECT& area) = 0;
};
