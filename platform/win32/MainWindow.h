#pragma once
#include <windows.h>

#include <functional>

#include "platform/win32/Picture.h"
#include "platform/win32/Window.h"

// The frameless program window: fixed size, centred when created, its own task-bar button,
// white background covered by a picture tiled from the top-left corner, moved by dragging its
// own background. Clicks and timer ticks go to the bound handlers.
class MainWindow : public Window, public BackgroundPainter {
public:
    static constexpr char kClassName[] = "VandrellMainWindow";

    struct Settings {
        const char* caption;
        int width, height;
        int backgroundPicture;  // resource id
        int icon;               // resource id
    };
    std::function<void(int controlId)> onClicked;
    std::function<void(UINT_PTR timerId)> onTimer;

    bool Create(const Settings& settings);
    // The read-only edit box: black on white, not the grey that read-only boxes get by default.
    void SetWhiteBackgroundControl(HWND control) { whiteControl_ = control; }
    void PaintBackground(HDC dc, const RECT& area) override;
    // Tab and Shift+Tab move the keyboard focus between the focus stops; true when the
    // message was such a key for this window and is done with.
    bool MoveFocusOnTab(const MSG& message);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override { PaintBackground(dc, client); }

private:
    void OnLeftButtonDown();
    LRESULT OnControlColour(HDC dc, HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    Picture background_;
    HWND whiteControl_ = nullptr;
};
