#include "platform/win32/TransparentLabel.h"

#include <string>

#include "platform/win32/Handles.h"

bool TransparentLabel::Create(HWND parent, BackgroundPainter& background, const Settings& settings) {
    background_ = &background;
    font_ = settings.font;
    return CreateChild(kClassName, settings.text, parent, settings.id, settings.rect, settings.visible);
}

LRESULT TransparentLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(message, wParam);
    case WM_SETTEXT: {
        const LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
        return result;
    }
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN: return 0;  // a press on a label does not move the window
    default: return Default(message, wParam, lParam);
    }
}

// The window's picture under the label, then the text over it, in one pass.
void TransparentLabel::Paint(HDC dc, const RECT& client) {
    RECT area{};
    GetWindowRect(Handle(), &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&area), 2);
    background_->PaintBackground(dc, area);

    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(Handle(), text.data(), length + 1);
    ScopedSelect selectFont(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT textArea = client;
    DrawTextA(dc, text.c_str(), length, &textArea, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}
