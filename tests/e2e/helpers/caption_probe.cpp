// Loaded into Tavolin's process by a message hook of the DPI test: a font can
// only be selected by the process that made it, so the caption of a control
// is measured here, with the control's own font, and the extent is left on
// the control as window properties the test reads.
#include <windows.h>

namespace {

// Extents are stored plus one, so that a missing property reads as 0.
void Measure(HWND control) {
    wchar_t caption[256] = {};
    GetWindowTextW(control, caption, 256);
    HDC dc = GetDC(control);
    // Without a font of its own the control draws with the DC's default one.
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    RECT extent{};
    DrawTextW(dc, caption, -1, &extent, DT_CALCRECT | DT_SINGLELINE);  // '&' marks, not drawn
    if (previous) SelectObject(dc, previous);
    ReleaseDC(control, dc);
    SetPropW(control, L"TavolinCaptionWidth", reinterpret_cast<HANDLE>(INT_PTR{extent.right + 1}));
    SetPropW(control, L"TavolinCaptionHeight",
             reinterpret_cast<HANDLE>(INT_PTR{extent.bottom + 1}));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    MeasureCaptionHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT measure = RegisterWindowMessageW(L"TavolinMeasureCaption");
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == measure)
        Measure(message->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
