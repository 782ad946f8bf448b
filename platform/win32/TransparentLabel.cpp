#include "platform/win32/TransparentLabel.h"

#include <string>

#include "platform/win32/Handles.h"

bool TransparentLabel::Create(HWND parent, BackgroundPainter& background, const Settings& settings) {
    background_ = &background;
    font_ = settings.font;
    return CreateChild(kClassName, settings.text, parent, settings.id, settings.rect);
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

// The window's picture, then the text over it, in one pass.
void TransparentLabel::OnPaint() {
    BufferedPaint paint(Handle());
    background_->PaintBackground(paint.Dc(), ChildRect(Handle()));

    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(Handle(), text.data(), length + 1);
    ScopedSelect selectFont(paint.Dc(), font_);
    SetBkMode(paint.Dc(), TRANSPARENT);
    SetTextColor(paint.Dc(), RGB(0, 0, 0));
    RECT area = paint.Client();
    DrawTextA(paint.Dc(), text.c_str(), length, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}
