#pragma once
#include <windows.h>

#include "platform/win32/Handles.h"

// A JPEG picture from the program's resources, decoded once and drawn at its own size. OLE
// must be initialised on the thread first.
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
