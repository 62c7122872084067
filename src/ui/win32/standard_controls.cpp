// The system's own controls (buttons, labels, text boxes, lists) brought
// into the toolkit: each window keeps its class's procedure, called on from
// ours, which first hands the toolkit what it needs.
#include "ui/win32/native.h"

namespace ui::win32 {

namespace {

Control* ControlFromWindow(HWND hwnd) {
    return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The control is in the window's user data and the original procedure is its
// class's. Both are read in the process itself: a window property is asked of
// the window server, which took a second for ten thousand list entries added.
WNDPROC OriginalProc(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
}

LRESULT CALLBACK StandardControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = ControlFromWindow(hwnd);
    const WNDPROC original = OriginalProc(hwnd);
    if (!control) return CallWindowProcW(original, hwnd, message, wParam, lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            control->MouseMove();
            break;
        case WM_GETDLGCODE:
            if (control->TakesEnter() && lParam) {
                const auto* msg = reinterpret_cast<const MSG*>(lParam);
                if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                    return CallWindowProcW(original, hwnd, message, wParam, lParam) |
                           DLGC_WANTALLKEYS;
            }
            break;
        case WM_CHAR:
            control->KeyPress(static_cast<wchar_t>(wParam));
            break;
        case WM_GETOBJECT:
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
                !control->accessibleName.empty())
                if (const LRESULT object = StandardControlObject(hwnd, wParam, *control))
                    return object;
            break;
        case kPressMessage:
            if (TakesInput(hwnd)) control->Click();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace

bool TakesInput(HWND control) {
    return IsWindowEnabled(control) && IsWindowEnabled(GetAncestor(control, GA_ROOT));
}

void SubclassStandardControl(Control& control) {
    HWND hwnd = Hwnd(control);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardControlProc));
}

}  // namespace ui::win32
