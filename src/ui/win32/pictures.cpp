// The toolkit's own child windows: the frame, and the pictures drawn from
// one bitmap per form.
#include <algorithm>

#include "ui/win32/native.h"

namespace ui {

using win32::FormOf;
using win32::Px;

namespace win32 {

namespace {

Control* AttachedControl(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HBRUSH PictureBackground(const Picture& picture) {
    // The parts outside an icon's mask show the frame's colour.
    auto* frame = static_cast<Frame*>(picture.parent.AsControl());
    return frame ? Brush(FormOf(picture), frame->background) : GetSysColorBrush(COLOR_BTNFACE);
}

// Draws every picture of the form at its cell's pixel size, side by side,
// into the window's strip.
void DrawStrip(const Form& form, FormWindow& window) {
    std::vector<const Picture*> pictures;
    int width = 0, height = 0;
    for (const Control* control : form.Controls()) {
        if (auto* picture = dynamic_cast<const Picture*>(control)) {
            pictures.push_back(picture);
            const int size = Px(picture->place.width, window.dpi);
            width += size;
            height = std::max(height, size);
        }
    }
    PictureStrip& strip = window.pictures.emplace();
    {
        const owned::WindowDc screen(nullptr);
        strip.dc.reset(CreateCompatibleDC(screen.get()));
        strip.bitmap.reset(
            CreateCompatibleBitmap(screen.get(), std::max(width, 1), std::max(height, 1)));
    }
    strip.selection.emplace(strip.dc.get(), strip.bitmap.get());
    int left = 0;
    for (const Picture* picture : pictures) {
        // Loaded at the cell's pixel size, so it is drawn sharp at any DPI.
        const int size = Px(picture->place.width, window.dpi);
        const RECT cell{left, 0, left + size, height};
        FillRect(strip.dc.get(), &cell, PictureBackground(*picture));
        const owned::Icon icon(static_cast<HICON>(
            LoadImageW(Instance(), MAKEINTRESOURCEW(picture->iconId), IMAGE_ICON, size, size, 0)));
        if (icon)
            DrawIconEx(strip.dc.get(), left, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
        strip.offsets[picture] = left;
        left += size;
    }
}

void PaintPicture(const Picture& picture, HDC dc, const RECT& client) {
    FormWindow& window = FormOf(picture);
    if (!window.pictures) DrawStrip(picture.parent.OwnerForm(), window);
    FillRect(dc, &client, PictureBackground(picture));
    // Square, centred in the cell.
    const int size = client.right;
    BitBlt(dc, 0, (client.bottom - size) / 2, size, size, window.pictures->dc.get(),
           window.pictures->offsets[&picture], 0, SRCCOPY);
}

}  // namespace

// The frame forwards its children's notifications to the form.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = static_cast<Frame*>(AttachedControl(hwnd, message, lParam));
    if (!frame) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd, &client);
            HDC dc = reinterpret_cast<HDC>(wParam);
            FillRect(dc, &client, Brush(FormOf(*frame), frame->background));
            DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
            return 1;
        }
        case WM_MOUSEMOVE:
            frame->MouseMove();
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr wchar_t kPressed[] = L"TavolinPressed";
    auto* picture = static_cast<Picture*>(AttachedControl(hwnd, message, lParam));
    if (!picture) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            RECT client;
            GetClientRect(hwnd, &client);
            PaintPicture(*picture, dc, client);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_MOUSEMOVE:
            picture->MouseMove();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(hwnd);
            SetPropW(hwnd, kPressed, reinterpret_cast<HANDLE>(1));
            return 0;
        case WM_LBUTTONUP: {
            const bool pressed = RemovePropW(hwnd, kPressed) != nullptr;
            ReleaseCapture();
            RECT client;
            GetClientRect(hwnd, &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            // A click is a press and a release over the same picture.
            if (pressed && PtInRect(&client, at)) picture->Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            RemovePropW(hwnd, kPressed);
            return 0;
        case WM_NCDESTROY:
            RemovePropW(hwnd, kPressed);
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32

void Frame::CreateNative() { win32::CreateChild(*this, win32::kFrameClass, L"", WS_CLIPSIBLINGS); }

void Picture::CreateNative() {
    // The window text is the control's name for screen readers.
    win32::CreateChild(*this, win32::kPictureClass, accessibleName, 0);
}

}  // namespace ui
