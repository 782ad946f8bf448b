#include "platform/win32/PictureButton.h"

#include <windowsx.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Picture.h"

bool PictureButton::Create(HWND parent, const Settings& settings) {
    settings_ = settings;
    cursor_ = LoadCursorA(nullptr, settings.handCursor ? IDC_HAND : IDC_ARROW);
    return CreateChild(kClassName, "", parent, settings.id, settings.rect, settings.visible);
}

LRESULT PictureButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: return PaintMessage(message, wParam);
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(lParam); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) SetState(State::Normal);
        return 0;
    case WM_SETCURSOR: SetCursor(cursor_); return TRUE;
    default: return Default(message, wParam, lParam);
    }
}

void PictureButton::Paint(HDC dc, const RECT& client) {
    // Black first: a part that the picture does not cover shows black, as the form wants.
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const bool hover = state_ == State::Hover && settings_.hover && settings_.hover->Loaded();
    const Picture* picture = hover ? settings_.hover : settings_.normal;
    if (picture) picture->Draw(dc, 0, 0);
}

bool PictureButton::IsOver(LPARAM position) const {
    RECT client;
    GetClientRect(Handle(), &client);
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    return PtInRect(&client, point) != FALSE;
}

void PictureButton::OnMouseMove(WPARAM keys, LPARAM position) {
    if (!IsOver(position)) {
        SetState(State::Normal);
        if (GetCapture() == Handle()) ReleaseCapture();
        return;
    }
    if (GetCapture() != Handle()) SetCapture(Handle());
    SetCursor(cursor_);  // no WM_SETCURSOR arrives while the capture is held
    SetState((keys & MK_LBUTTON) ? State::Pressed : State::Hover);
}

void PictureButton::OnLeftButtonDown() {
    if (GetCapture() != Handle()) SetCapture(Handle());
    SetState(State::Pressed);
}

void PictureButton::OnLeftButtonUp(LPARAM position) {
    if (!IsOver(position)) return;
    // Release the capture first: the command may open a modal box that needs the mouse.
    if (GetCapture() == Handle()) ReleaseCapture();
    SetState(State::Normal);
    SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(settings_.id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Handle()));
}

void PictureButton::SetState(State state) {
    if (state_ == state) return;
    state_ = state;
    InvalidateRect(Handle(), nullptr, FALSE);
}
