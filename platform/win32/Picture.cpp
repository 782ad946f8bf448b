#include "platform/win32/Picture.h"

// Loaded as a device-compatible bitmap: GDI expands the RLE-compressed resource itself.
Picture::Picture(int resourceId)
    : bitmap_(
          LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)) {
    BITMAP info{};
    if (bitmap_ && GetObjectA(bitmap_.Get(), sizeof info, &info)) size_ = {info.bmWidth, info.bmHeight};
}

void Picture::Draw(HDC dc, int x, int y) const {
    if (!bitmap_) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    ScopedSelect select(source.Get(), bitmap_.Get());
    BitBlt(dc, x, y, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
}
