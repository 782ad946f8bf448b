#include "platform/win32/TransparentLabel.h"

#include <string>

#include "platform/win32/Handles.h"

bool TransparentLabel::Create(HWND parent, BackgroundPainter& background, const Settings& settings) {
    background_ = &background;
    font_ = settings.font;
    if (!RegisterClassOnce(kClassName, nullptr, nullptr)) return false;
    const RECT& r = settings.rect;
    return CreateAs(kClassName, 0, settings.text, WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                    r.bottom - r.top, parent, settings.id) != nullptr;
}

LRESULT TransparentLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
        return result;
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

// Picture and text in one pass through a memory DC, so nothing flickers.
void TransparentLabel::OnPaint() {
    ScopedPaint paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    UniqueMemoryDc buffer(CreateCompatibleDC(paint.Get()));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    ScopedSelect selectBitmap(buffer.Get(), bitmap.Get());
    background_->PaintBackground(buffer.Get(), ChildRect(Handle()));

    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(Handle(), text.data(), length + 1);
    ScopedSelect selectFont(buffer.Get(), font_);
    SetBkMode(buffer.Get(), TRANSPARENT);
    SetTextColor(buffer.Get(), RGB(0, 0, 0));
    DrawTextA(buffer.Get(), text.c_str(), length, &client, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}
