#pragma once
#include <windows.h>

#include "platform/win32/Window.h"

class Picture;

// A push button drawn from pictures: normal, hover (pointer over it, left button up) and
// pressed (pointer over it, left button down; drawn with the normal picture). It holds the
// mouse capture while the pointer is over it to see the pointer leave, and raises BN_CLICKED
// to its parent only for a release over it. Not a focus stop.
class PictureButton : public Window {
public:
    static constexpr char kClassName[] = "VandrellPictureButton";
    enum class State { Normal, Hover, Pressed };

    struct Settings {
        int id;
        RECT rect;  // left, top, right, bottom in the parent
        bool visible;
        const Picture* normal;
        const Picture* hover;
        bool handCursor;
    };
    bool Create(HWND parent, const Settings& settings);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void OnMouseMove(WPARAM keys, LPARAM position);
    void OnLeftButtonDown();
    void OnLeftButtonUp(LPARAM position);
    bool IsOver(LPARAM position) const;
    void SetState(State state);

    Settings settings_{};
    HCURSOR cursor_ = nullptr;
    State state_ = State::Normal;
};
