#include "platform/win32/Picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComReleaser {
public:
    ComReleaser() = default;
    ~ComReleaser() {
        if (pointer) pointer->Release();
    }
    ComReleaser(const ComReleaser&) = delete;
    ComReleaser& operator=(const ComReleaser&) = delete;
    Interface* pointer = nullptr;
};

// Decodes a JPEG held as an RCDATA resource through OLE's picture loader and returns a DIB
// section of its own (the OLE picture keeps its bitmap and is released here).
HBITMAP LoadJpegResource(int resourceId) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return nullptr;
    const DWORD size = SizeofResource(module, found);
    const void* data = LockResource(LoadResource(module, found));
    if (!data || size == 0) return nullptr;

    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    if (void* target = GlobalLock(copy)) {
        std::memcpy(target, data, size);
        GlobalUnlock(copy);
    }
    ComReleaser<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream.pointer))) {
        GlobalFree(copy);
        return nullptr;
    }
    ComReleaser<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.pointer, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture.pointer)))) {
        return nullptr;
    }
    OLE_HANDLE handle = 0;
    if (FAILED(picture.pointer->get_Handle(&handle)) || handle == 0) return nullptr;
    return static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION));
}

}  // namespace

Picture::Picture(int resourceId) : bitmap_(LoadJpegResource(resourceId)) {
    BITMAP info{};
    if (bitmap_ && GetObjectA(bitmap_.Get(), sizeof info, &info)) size_ = {info.bmWidth, info.bmHeight};
}

void Picture::Draw(HDC dc, int x, int y) const {
    if (!bitmap_) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    ScopedSelect select(source.Get(), bitmap_.Get());
    BitBlt(dc, x, y, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
}
