// What every control's window shares: its place and font at the form's
// resolution, its colours, and its creation as a child of the form or strip.
#include <algorithm>
#include <cmath>

#include "ui/contrast.h"
#include "ui/win32/native.h"

namespace ui::win32 {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

RECT PixelRect(const Twips& place, int dpi) {
    const int left = Px(place.left, dpi), top = Px(place.top, dpi);
    return {left, top, left + Px(place.width, dpi), top + Px(place.height, dpi)};
}

bool FollowSystemColours() {
    HIGHCONTRASTW scheme{sizeof scheme, 0, nullptr};
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0) &&
        (scheme.dwFlags & HCF_HIGHCONTRASTON))
        return true;
    // Wine reports no high-contrast scheme: what such a scheme does to the
    // system's text on the light grey tells it.
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const Rgb grey{kLightGrey.red, kLightGrey.green, kLightGrey.blue};
    return ContrastRatio({GetRValue(text), GetGValue(text), GetBValue(text)}, grey) <
           kReadableContrast;
}

COLORREF ToColorRef(Colour colour) {
    switch (colour.kind) {
        case Colour::Kind::WindowBackground:
            return GetSysColor(COLOR_WINDOW);
        case Colour::Kind::WindowText:
            return GetSysColor(COLOR_WINDOWTEXT);
        case Colour::Kind::Rgb:
            break;
    }
    if (FollowSystemColours()) {
        if (colour == kLightGrey) return GetSysColor(COLOR_BTNFACE);
        if (colour == kBlack) return GetSysColor(COLOR_WINDOWTEXT);
    }
    return RGB(colour.red, colour.green, colour.blue);
}

HBRUSH Brush(FormWindow& form, Colour colour) {
    const COLORREF value = ToColorRef(colour);
    owned::GdiObject<HBRUSH>& brush = form.brushes[value];
    if (!brush) brush.reset(CreateSolidBrush(value));
    return brush.get();
}

// Outline faces only: a bitmap face has few sizes and no bold, and would
// not be sharp at every DPI.
HFONT FontFor(FormWindow& form, const Font& font) {
    const int height = -static_cast<int>(std::lround(font.points * form.dpi / 72.0));
    owned::GdiObject<HFONT>& handle = form.fonts[{font.face, height, font.bold}];
    if (!handle)
        handle.reset(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face));
    return handle.get();
}

FormWindow& FormOf(const Control& control) { return *WindowOf(control.parent.OwnerForm()); }

namespace {

HWND ParentWindow(Control& control) {
    if (Control* strip = control.parent.AsControl()) return Hwnd(*strip);
    return FormOf(control).hwnd;
}

// A child's place in pixels at the form's current DPI.
RECT ChildRect(const Control& control, const ChildLayout& layout, int dpi) {
    RECT rect = PixelRect(control.place, dpi);
    rect.bottom = rect.top + (rect.bottom - rect.top) * layout.heightFactor;
    return rect;
}

}  // namespace

HWND CreateChild(Control& control, const wchar_t* className, const std::wstring& text, DWORD style,
                 DWORD exStyle, const Font* font, int heightFactor) {
    FormWindow& form = FormOf(control);
    const int id = form.nextId++;
    const ChildLayout layout{font ? *font : control.parent.OwnerForm().style.font, heightFactor};
    const RECT at = ChildRect(control, layout, form.dpi);
    HWND hwnd =
        CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.left,
                        at.top, at.right - at.left, at.bottom - at.top, ParentWindow(control),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), &control);
    control.handle = hwnd;
    form.layouts[hwnd] = layout;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form, layout.font)), FALSE);
    return hwnd;
}

void Place(Control& control) {
    FormWindow& form = FormOf(control);
    HWND hwnd = Hwnd(control);
    const ChildLayout& layout = form.layouts[hwnd];
    const RECT at = ChildRect(control, layout, form.dpi);
    SetWindowPos(hwnd, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form, layout.font)), TRUE);
}

void FitCaption(HWND label) {
    std::wstring caption(GetWindowTextLengthW(label) + 1, L'\0');
    caption.resize(GetWindowTextW(label, caption.data(), static_cast<int>(caption.size())));
    RECT needed{};
    {
        const owned::WindowDc dc(label);
        const owned::Selection font(dc.get(),
                                    reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), caption.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    }
    RECT own{};
    GetClientRect(label, &own);
    if (needed.right > own.right)
        SetWindowPos(label, nullptr, 0, 0, needed.right, own.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FitDropDownHeight(HWND comboBox, int height) {
    const auto closedHeight = [comboBox] {
        RECT closed{};
        GetWindowRect(comboBox, &closed);
        return static_cast<int>(closed.bottom - closed.top);
    };
    const int wanted = std::max(height, closedHeight());
    // The selection field takes up the difference. Wine reads back a field
    // height that differs from the one it was given, so the second step
    // corrects from what was given and what came of it.
    auto field = SendMessageW(comboBox, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int step = 0; step < 2 && field > 0 && closedHeight() != wanted; ++step) {
        field += wanted - closedHeight();
        SendMessageW(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

}  // namespace ui::win32

namespace ui {

// A control laid out again keeps to its place; some kinds fit it to their
// content (controls.cpp).
void Control::LayOutNative() { win32::Place(*this); }

}  // namespace ui
