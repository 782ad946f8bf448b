#pragma once
#include <windows.h>

// Base of the toolkit's own window classes: `this` travels in WM_NCCREATE, is kept in
// GWLP_USERDATA and is cleared on WM_NCDESTROY, so no message reaches a gone object.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class once per process; false when registration failed.
    static bool RegisterClassOnce(const char* className, HBRUSH background, HICON icon);
    HWND CreateAs(const char* className, DWORD exStyle, const char* text, DWORD style, int left,
                  int top, int width, int height, HWND parent, int id);
    // Registers the class if needed and creates a visible child at `rect` of the parent.
    bool CreateChild(const char* className, const char* text, HWND parent, int id, const RECT& rect);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

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

// The rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND child);
