#pragma once
#include <windows.h>

#include "platform/win32/Window.h"

// A one-line label that paints only its text over the window's picture. Setting its text
// repaints it at once with the picture behind, so old letters vanish. Presses on it do
// nothing (they do not move the window).
class TransparentLabel : public Window {
public:
    static constexpr char kClassName[] = "VandrellTransparentLabel";

    struct Settings {
        int id;
        RECT rect;
        bool visible;
        const char* text;
        HFONT font;
    };
    bool Create(HWND parent, BackgroundPainter& background, const Settings& settings);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void Paint(HDC dc, const RECT& client) override;

private:
    BackgroundPainter* background_ = nullptr;
    HFONT font_ = nullptr;
};
