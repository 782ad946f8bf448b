#pragma once
#include <windows.h>

#include <utility>

// One move-only owner per kind of Windows resource.
template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle Get() const { return handle_; }
    bool Valid() const { return Traits::Valid(handle_); }
    explicit operator bool() const { return Valid(); }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (Traits::Valid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Process, thread, file and snapshot handles: both NULL and INVALID_HANDLE_VALUE mean none.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
using UniqueFind = UniqueResource<FindHandleTraits>;

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// Selects an object into a DC and restores the previous one.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~ScopedSelect() { ::SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
    ~ScopedPaint() { ::EndPaint(window_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Paints a window through a memory DC of its client size, copied to the window in one go at
// the end of the scope, so nothing flickers.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window) : paint_(window) {
        GetClientRect(window, &client_);
        buffer_.Reset(CreateCompatibleDC(paint_.Get()));
        bitmap_.Reset(CreateCompatibleBitmap(paint_.Get(), client_.right, client_.bottom));
        previous_ = SelectObject(buffer_.Get(), bitmap_.Get());
    }
    ~BufferedPaint() {
        BitBlt(paint_.Get(), 0, 0, client_.right, client_.bottom, buffer_.Get(), 0, 0, SRCCOPY);
        SelectObject(buffer_.Get(), previous_);
    }
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC Dc() const { return buffer_.Get(); }
    const RECT& Client() const { return client_; }

private:
    ScopedPaint paint_;
    RECT client_{};
    UniqueMemoryDc buffer_;
    UniqueGdiObject bitmap_;
    HGDIOBJ previous_ = nullptr;
};

// Keeps the thread's last error across cleanup calls.
class PreserveLastError {
public:
    PreserveLastError() : error_(::GetLastError()) {}
    ~PreserveLastError() { ::SetLastError(error_); }

private:
    DWORD error_;
};
