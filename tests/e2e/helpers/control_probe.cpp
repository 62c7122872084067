// Loaded into Tavolin's process by a message hook of the end-to-end tests:
// fonts, brushes and icons can only be read by the process that made them,
// so a control is looked at here and the answer left on it as window
// properties the test reads (see control_probe.h).
#include "control_probe.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

void Leave(HWND window, const wchar_t* name, INT_PTR value) {
    SetPropW(window, name, reinterpret_cast<HANDLE>(value + 1));
}

void MeasureCaption(HWND control) {
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
    Leave(control, probe::kCaptionWidth, extent.right);
    Leave(control, probe::kCaptionHeight, extent.bottom);
}

void ReadFont(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle) GetObjectW(handle, sizeof font, &font);
    Leave(control, probe::kFontFace, GlobalAddAtomW(font.lfFaceName));
    Leave(control, probe::kFontWeight, font.lfWeight);
    Leave(control, probe::kFontHeight, font.lfHeight < 0 ? -font.lfHeight : font.lfHeight);
}

// What the parent tells a label to paint with, as it tells the label itself.
void ReadColours(HWND label) {
    HDC dc = GetDC(label);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(label), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(label)));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof fill, &fill);
    const COLORREF text = GetTextColor(dc);
    ReleaseDC(label, dc);
    Leave(label, probe::kTextColour, text);
    Leave(label, probe::kBackgroundColour, fill.lbColor);
}

// The icon drawn on a colour no icon uses, pixel by pixel.
std::vector<DWORD> Drawn(HICON icon, int size) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    DeleteObject(magenta);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> drawn(pixels, pixels + size * size);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

void CompareIcon(HWND window, WPARAM kind, LPARAM resource) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
    INT_PTR answer = 0;
    ICONINFO parts{};
    if (icon && GetIconInfo(icon, &parts)) {
        BITMAP bitmap{};
        GetObjectW(parts.hbmColor ? parts.hbmColor : parts.hbmMask, sizeof bitmap, &bitmap);
        if (parts.hbmColor) DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        const int size = bitmap.bmWidth;
        const auto expected = static_cast<HICON>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0));
        answer = expected && Drawn(icon, size) == Drawn(expected, size) ? 2 : 1;
        if (expected) DestroyIcon(expected);
    }
    Leave(window, probe::kIcon, answer);
}

// Wine reports no GDI objects through GetGuiResources, but takes a handle by
// its table index alone, so the live ones can be counted by asking each
// index for its object's type.
void CountGdiObjects(HWND window) {
    INT_PTR count = 0;
    for (ULONG_PTR index = 0; index <= 0xFFFF; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    Leave(window, probe::kGdiObjectCount, count);
}

void SetColours(HWND window, LPARAM atom) {
    wchar_t text[256] = {};
    GlobalGetAtomNameW(static_cast<ATOM>(atom), text, 256);
    std::vector<int> elements;
    std::vector<COLORREF> colours;
    int element = 0;
    unsigned int rgb = 0;
    int read = 0;
    for (const wchar_t* at = text; swscanf(at, L"%d=%x%n", &element, &rgb, &read) == 2;
         at += read) {
        elements.push_back(element);
        colours.push_back(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
    }
    const bool set = !elements.empty() && SetSysColors(static_cast<int>(elements.size()),
                                                       elements.data(), colours.data());
    Leave(window, probe::kColoursSet, set ? 1 : 0);
}

void MakeCurrent(HWND window, LPARAM atom) {
    wchar_t directory[MAX_PATH] = {};
    GlobalGetAtomNameW(static_cast<ATOM>(atom), directory, MAX_PATH);
    Leave(window, probe::kDirectoryMade, SetCurrentDirectoryW(directory) ? 1 : 0);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT question = RegisterWindowMessageW(probe::kMessage);
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == question) {
        switch (message->wParam) {
            case probe::kCaptionExtent:
                MeasureCaption(message->hwnd);
                break;
            case probe::kFont:
                ReadFont(message->hwnd);
                break;
            case probe::kColours:
                ReadColours(message->hwnd);
                break;
            case probe::kBigIcon:
                CompareIcon(message->hwnd, ICON_BIG, message->lParam);
                break;
            case probe::kSmallIcon:
                CompareIcon(message->hwnd, ICON_SMALL, message->lParam);
                break;
            case probe::kGdiObjects:
                CountGdiObjects(message->hwnd);
                break;
            case probe::kCurrentDirectory:
                MakeCurrent(message->hwnd, message->lParam);
                break;
            case probe::kSystemColours:
                SetColours(message->hwnd, message->lParam);
                break;
            case probe::kHold:
                Sleep(static_cast<DWORD>(message->lParam));
                break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
