// A strip of pictures as one window that draws them and plays them for the
// pointer, the keyboard and screen readers: a cell a picture, left to right.
// No picture has a window of its own.
#include <algorithm>
#include <memory>
#include <optional>

#include "ui/win32/native.h"

namespace ui {

using win32::FormOf;

namespace win32 {

namespace {

// Every icon of the strip's pictures drawn once on the strip's background,
// side by side, at the cells' pixel size: painting is then a copy.
struct DrawnIcons {
    COLORREF background;  // what shows through the icons' transparent parts
    owned::MadeDc dc;
    owned::GdiObject<HBITMAP> bitmap;
    std::optional<owned::Selection> selection;  // the bitmap in the DC while it lives
    std::vector<std::vector<int>> offsets;      // the left edge of each picture's each icon
};

// What a strip's window keeps beside it, from its creation to its end.
struct StripWindow {
    // Drawn at the first paint after a change of size or of colours.
    std::optional<DrawnIcons> icons;
    int chosen = -1;   // the keyboard's cell: none until a key moves into the strip
    int pressed = -1;  // the cell the left button went down on, if any
};

StripWindow& StateOf(HWND hwnd) {
    return *reinterpret_cast<StripWindow*>(GetWindowLongPtrW(hwnd, 0));
}

// The strip while its form holds on to its window.
PictureStrip* StripOf(HWND hwnd) {
    return reinterpret_cast<PictureStrip*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void DrawIcons(const PictureStrip& strip, StripWindow& state) {
    FormWindow& window = FormOf(strip);
    int width = 0, height = 0;
    for (const Picture* picture : strip.Pictures()) {
        const int size = Px(picture->place.width, window.dpi);
        width += size * static_cast<int>(picture->iconIds.size());
        height = std::max(height, size);
    }
    DrawnIcons& icons = state.icons.emplace();
    icons.background = ToColorRef(strip.background);
    {
        const owned::WindowDc screen(nullptr);
        icons.dc.reset(CreateCompatibleDC(screen.get()));
        icons.bitmap.reset(
            CreateCompatibleBitmap(screen.get(), std::max(width, 1), std::max(height, 1)));
    }
    icons.selection.emplace(icons.dc.get(), icons.bitmap.get());
    int left = 0;
    for (const Picture* picture : strip.Pictures()) {
        // Loaded at the cell's pixel size, so it is drawn sharp at any DPI.
        const int size = Px(picture->place.width, window.dpi);
        std::vector<int>& offsets = icons.offsets.emplace_back();
        for (int id : picture->iconIds) {
            const RECT cell{left, 0, left + size, height};
            FillRect(icons.dc.get(), &cell, Brush(window, strip.background));
            const owned::Icon icon(static_cast<HICON>(
                LoadImageW(Instance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
            if (icon)
                DrawIconEx(icons.dc.get(), left, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
            offsets.push_back(left);
            left += size;
        }
    }
}

RECT CellAt(const PictureStrip& strip, int index) {
    return PixelRect(strip.Pictures()[index]->place, FormOf(strip).dpi);
}

void PaintCells(HWND hwnd, const PictureStrip& strip, StripWindow& state, HDC dc,
                const RECT& update) {
    FormWindow& window = FormOf(strip);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, Brush(window, strip.background));
    DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
    if (strip.Pictures().empty()) return;
    if (!state.icons || state.icons->background != ToColorRef(strip.background))
        DrawIcons(strip, state);
    for (size_t i = 0; i < strip.Pictures().size(); ++i) {
        const RECT cell = CellAt(strip, static_cast<int>(i));
        // The telephone's tick asks for its own cell alone.
        RECT drawn;
        if (!IntersectRect(&drawn, &cell, &update)) continue;
        // Square, centred in the cell.
        const int size = cell.right - cell.left;
        const int top = cell.top + (cell.bottom - cell.top - size) / 2;
        BitBlt(dc, cell.left, top, size, size, state.icons->dc.get(),
               state.icons->offsets[i][strip.Pictures()[i]->Shown()], 0, SRCCOPY);
    }
}

// The focus cue, once the keyboard is in use.
void PaintFocus(HWND hwnd, const PictureStrip& strip, const StripWindow& state, HDC dc) {
    if (GetFocus() != hwnd || !FormOf(strip).keyboardCues || state.chosen < 0) return;
    // A dotted line in the text colour round the cell, a pixel wide for each
    // 96 dpi. Drawn over a freshly painted cell, it needs no exclusive-or,
    // which leaves no mark where the system's text colour is black.
    // In a high-contrast scheme the strip is the buttons' colour, under
    // their text's.
    LOGBRUSH ink{BS_SOLID, GetSysColor(FollowSystemColours() ? COLOR_BTNTEXT : COLOR_WINDOWTEXT),
                 0};
    const owned::GdiObject<HPEN> pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &ink, 0, nullptr));
    const owned::Selection drawing(dc, pen.get());
    const owned::Selection hollow(dc, GetStockObject(NULL_BRUSH));
    RECT cue = CellAt(strip, state.chosen);
    for (int line = 0; line < std::max(1, MulDiv(1, FormOf(strip).dpi, 96)); ++line) {
        Rectangle(dc, cue.left, cue.top, cue.right, cue.bottom);
        InflateRect(&cue, -1, -1);
    }
}

int CellUnder(const PictureStrip& strip, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (size_t i = 0; i < strip.Pictures().size(); ++i) {
        const RECT cell = CellAt(strip, static_cast<int>(i));
        if (PtInRect(&cell, at)) return static_cast<int>(i);
    }
    return -1;
}

void InvalidateCell(HWND hwnd, const PictureStrip& strip, int index) {
    if (index < 0 || index >= static_cast<int>(strip.Pictures().size())) return;
    const RECT cell = CellAt(strip, index);
    InvalidateRect(hwnd, &cell, FALSE);
}

void Press(const PictureStrip& strip, int index) {
    if (index >= 0 && index < static_cast<int>(strip.Pictures().size()))
        strip.Pictures()[index]->Click();
}

// Moves the keyboard's cell, and shows its description as pointing at it
// does; a screen reader hears of it.
void Choose(HWND hwnd, const PictureStrip& strip, StripWindow& state, int to) {
    if (strip.Pictures().empty()) return;
    to = std::clamp(to, 0, static_cast<int>(strip.Pictures().size()) - 1);
    InvalidateCell(hwnd, strip, state.chosen);
    state.chosen = to;
    InvalidateCell(hwnd, strip, state.chosen);
    strip.Pictures()[to]->MouseMove();
    NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, to + 1);
}

// The keyboard is in use: the focus cue shows from now on.
void ShowCues(HWND hwnd, const PictureStrip& strip, const StripWindow& state) {
    bool& cues = FormOf(strip).keyboardCues;
    if (cues) return;
    cues = true;
    InvalidateCell(hwnd, strip, state.chosen);
}

// The first (or last) control inside the strip that takes the focus.
HWND InnerTabStop(HWND hwnd, bool backwards) {
    HWND found = nullptr;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
            found = child;
            if (!backwards) break;
        }
    }
    return found;
}

// Tab and Shift+Tab go to the tab stop inside the strip (the "?" button),
// which the form's own order hands back, or else on in the form.
void Tab(HWND hwnd, bool backwards) {
    if (HWND inner = InnerTabStop(hwnd, backwards))
        SetFocus(inner);
    else
        SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_NEXTDLGCTL, backwards, FALSE);
}

LRESULT KeyDown(HWND hwnd, const PictureStrip& strip, StripWindow& state, WPARAM key,
                LPARAM lParam) {
    ShowCues(hwnd, strip, state);
    const int last = static_cast<int>(strip.Pictures().size()) - 1;
    // With no cell chosen yet, an arrow enters at the end it points from.
    const bool chosen = state.chosen >= 0;
    switch (key) {
        case VK_LEFT:
            Choose(hwnd, strip, state, chosen ? state.chosen - 1 : last);
            return 0;
        case VK_RIGHT:
            Choose(hwnd, strip, state, chosen ? state.chosen + 1 : 0);
            return 0;
        case VK_HOME:
            Choose(hwnd, strip, state, 0);
            return 0;
        case VK_END:
            Choose(hwnd, strip, state, last);
            return 0;
        case VK_RETURN:
        case VK_SPACE:
            // Once a press: a key held down starts nothing more.
            if ((lParam & (1 << 30)) == 0) Press(strip, state.chosen);
            return 0;
        case VK_TAB:
            Tab(hwnd, GetKeyState(VK_SHIFT) < 0);
            return 0;
    }
    return DefWindowProcW(hwnd, WM_KEYDOWN, key, lParam);
}

}  // namespace

int ChosenCell(HWND strip) { return StateOf(strip).chosen; }

Picture* PictureAt(HWND hwnd, POINT point) {
    PictureStrip* strip = StripOf(hwnd);
    if (!strip) return nullptr;
    const int cell = CellUnder(*strip, MAKELPARAM(point.x, point.y));
    return cell >= 0 ? strip->Pictures()[cell] : nullptr;
}

LRESULT CALLBACK StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new StripWindow));
    } else if (message == WM_NCDESTROY) {
        delete &StateOf(hwnd);
        SetWindowLongPtrW(hwnd, 0, 0);
    }
    PictureStrip* strip = StripOf(hwnd);
    if (!strip || !strip->handle) return DefWindowProcW(hwnd, message, wParam, lParam);
    StripWindow& state = StateOf(hwnd);
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            PaintCells(hwnd, *strip, state, dc, paint.rcPaint);
            PaintFocus(hwnd, *strip, state, dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_MOUSEMOVE: {
            // While the button is held, the pressed cell keeps the pointer,
            // and the title its description.
            const int at = state.pressed >= 0 ? state.pressed : CellUnder(*strip, lParam);
            if (at >= 0)
                strip->Pictures()[at]->MouseMove();
            else
                strip->MouseMove();
            return 0;
        }
        case WM_LBUTTONDOWN:
            state.pressed = CellUnder(*strip, lParam);
            if (state.pressed >= 0) SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP: {
            const int pressed = state.pressed;
            state.pressed = -1;
            if (GetCapture() == hwnd) ReleaseCapture();
            // A click is a press and a release over the same cell.
            if (pressed >= 0 && CellUnder(*strip, lParam) == pressed) Press(*strip, pressed);
            return 0;
        }
        case WM_CAPTURECHANGED:
            state.pressed = -1;
            return 0;
        case WM_GETDLGCODE:
            return strip->Pictures().empty() ? 0
                                             : DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_KEYDOWN:
            return KeyDown(hwnd, *strip, state, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateCell(hwnd, *strip, state.chosen);
            // Tabbed into: the keyboard's cell (at first the first) is
            // spoken and described.
            if (message == WM_SETFOCUS && GetKeyState(VK_TAB) < 0) {
                ShowCues(hwnd, *strip, state);
                Choose(hwnd, *strip, state, std::max(state.chosen, 0));
            }
            return 0;
        case kPressMessage:
            if (TakesInput(hwnd)) Press(*strip, static_cast<int>(wParam));
            return 0;
        case WM_GETOBJECT:
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
                !strip->Pictures().empty())
                if (const LRESULT object = StripObject(hwnd, wParam)) return object;
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32

void PictureStrip::CreateNative() {
    // A strip of pictures is one stop for the keyboard.
    win32::CreateChild(*this, win32::kStripClass, L"",
                       WS_CLIPSIBLINGS | (Pictures().empty() ? 0 : WS_TABSTOP));
}

void PictureStrip::LayOutNative() {
    win32::Place(*this);
    win32::StateOf(win32::Hwnd(*this)).icons.reset();  // drawn again at the new size
}

// Drawn by the strip it stands in.
void Picture::CreateNative() {}

}  // namespace ui
