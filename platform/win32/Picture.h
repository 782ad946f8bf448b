#pragma once
#include <windows.h>

#include "platform/win32/Handles.h"

// A bitmap from the program's resources, loaded once and drawn at its own size.
class Picture {
public:
    Picture() = default;
    explicit Picture(int resourceId);
    bool Loaded() const { return bitmap_.Valid(); }
    SIZE Size() const { return size_; }
    // Draws the picture with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;

private:
    UniqueGdiObject bitmap_;
    SIZE size_{};
};
