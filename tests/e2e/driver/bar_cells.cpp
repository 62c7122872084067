// The bar's cells have no windows of their own: the driver finds them as a
// screen reader does, through the strip's accessible object.
#include <oleacc.h>

#include "driver.h"

namespace e2e {

namespace {

// The strip's object for screen readers, or null; COM is set up once.
IAccessible* StripObject(HWND bar) {
    static const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const HWND strip = ChildOfClass(bar, L"TavolinFrame");
    IAccessible* object = nullptr;
    if (!com || !strip ||
        FAILED(AccessibleObjectFromWindow(strip, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

}  // namespace

RECT Target::Rect() const { return window_ ? WindowRectOnScreen(window_) : rect_; }

Target BarCell(HWND bar, const std::wstring& description) {
    IAccessible* strip = StripObject(bar);
    if (!strip) return Target(RECT{});
    RECT found{};
    LONG count = 0;
    strip->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        BSTR name = nullptr;
        if (FAILED(strip->get_accName(child, &name)) || !name) continue;
        const bool match = description == name;
        SysFreeString(name);
        LONG left = 0, top = 0, width = 0, height = 0;
        if (match && SUCCEEDED(strip->accLocation(&left, &top, &width, &height, child))) {
            found = {left, top, left + width, top + height};
            break;
        }
    }
    strip->Release();
    return Target(found);
}

}  // namespace e2e
