// Owners of the Win32 handles the program makes: each releases its handle,
// by the call that fits it, when it goes.
#pragma once

#include <memory>
#include <type_traits>

#include "win32/windows_h.h"

namespace owned {

template <class Handle, auto Release>
struct Releaser {
    void operator()(Handle handle) const { Release(handle); }
};

template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Release>>;

// Fonts, brushes and bitmaps, and what else GDI makes.
template <class Gdi>
using GdiObject = Owned<Gdi, &DeleteObject>;
// A device context made by CreateDC or CreateCompatibleDC.
using MadeDc = Owned<HDC, &DeleteDC>;
using Icon = Owned<HICON, &DestroyIcon>;
// A kernel object: a process, a thread.
using KernelHandle = Owned<HANDLE, &CloseHandle>;
// Memory the system allocated for the caller, such as a formatted message.
using LocalMemory = Owned<void*, &LocalFree>;
// A view of a file mapping in this process's memory.
using MappedView = Owned<void*, &UnmapViewOfFile>;

// A directory search begun by FindFirstFile.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (valid()) FindClose(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A window's (or the screen's) device context, from GetDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a while; the one it
// replaced comes back when this goes.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace owned
