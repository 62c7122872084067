// A frame as one window that draws the pictures standing in it and plays
// them for the pointer, the keyboard and screen readers: a strip of cells,
// one per place (the telephone's two frames share one), left to right. No
// picture has a window of its own.
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

RECT PixelRect(const Twips& place, int dpi) {
    const int left = Px(place.left, dpi), top = Px(place.top, dpi);
    return {left, top, left + Px(place.width, dpi), top + Px(place.height, dpi)};
}

// Draws every picture of the form at its cell's pixel size, side by side,
// into the window's strip, once: painting is then a copy.
void DrawPictures(const Form& form, FormWindow& window) {
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
        auto* frame = static_cast<const Frame*>(picture->parent.AsControl());
        FillRect(strip.dc.get(), &cell, Brush(window, frame->background));
        const owned::Icon icon(static_cast<HICON>(
            LoadImageW(Instance(), MAKEINTRESOURCEW(picture->iconId), IMAGE_ICON, size, size, 0)));
        if (icon)
            DrawIconEx(strip.dc.get(), left, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
        strip.offsets[picture] = left;
        left += size;
    }
}

void PaintCells(const Frame& frame, const std::vector<Cell>& cells, HDC dc, const RECT& client) {
    FormWindow& window = FormOf(frame);
    FillRect(dc, &client, Brush(window, frame.background));
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!cells.empty() && !window.pictures) DrawPictures(frame.parent.OwnerForm(), window);
    for (const Cell& cell : cells) {
        const Picture* picture = cell.Shown();
        if (!picture) continue;
        // Square, centred in the cell.
        const int size = cell.rect.right - cell.rect.left;
        const int top = cell.rect.top + (cell.rect.bottom - cell.rect.top - size) / 2;
        BitBlt(dc, cell.rect.left, top, size, size, window.pictures->dc.get(),
               window.pictures->offsets[picture], 0, SRCCOPY);
    }
}

// The focus cue, once the keyboard is in use.
void PaintFocus(HWND hwnd, const Frame& frame, const std::vector<Cell>& cells, HDC dc) {
    if (GetFocus() != hwnd || !FormOf(frame).keyboardCues) return;
    const int focused = FormOf(frame).strips[&frame].focused;
    if (focused < 0 || focused >= static_cast<int>(cells.size())) return;
    // A dotted line in the text colour round the cell, a pixel wide for each
    // 96 dpi. Drawn over a freshly painted cell, it needs no exclusive-or,
    // which leaves no mark where the system's text colour is black.
    LOGBRUSH ink{BS_SOLID, GetSysColor(COLOR_WINDOWTEXT), 0};
    const owned::GdiObject<HPEN> pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &ink, 0, nullptr));
    const owned::Selection drawing(dc, pen.get());
    const owned::Selection hollow(dc, GetStockObject(NULL_BRUSH));
    RECT cue = cells[focused].rect;
    for (int line = 0; line < std::max(1, MulDiv(1, FormOf(frame).dpi, 96)); ++line) {
        Rectangle(dc, cue.left, cue.top, cue.right, cue.bottom);
        InflateRect(&cue, -1, -1);
    }
}

int CellAt(const std::vector<Cell>& cells, POINT at) {
    for (size_t i = 0; i < cells.size(); ++i)
        if (PtInRect(&cells[i].rect, at)) return static_cast<int>(i);
    return -1;
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void InvalidateCell(HWND hwnd, const std::vector<Cell>& cells, int index) {
    if (index >= 0 && index < static_cast<int>(cells.size()))
        InvalidateRect(hwnd, &cells[index].rect, FALSE);
}

// Moves the keyboard's cell, and shows its description as pointing at it
// does; a screen reader hears of it.
void MoveFocus(HWND hwnd, const Frame& frame, int to) {
    const std::vector<Cell> cells = CellsOf(frame);
    if (cells.empty()) return;
    to = std::clamp(to, 0, static_cast<int>(cells.size()) - 1);
    int& focused = FormOf(frame).strips[&frame].focused;
    InvalidateCell(hwnd, cells, focused);
    focused = to;
    InvalidateCell(hwnd, cells, focused);
    if (Picture* shown = cells[focused].Shown()) shown->MouseMove();
    NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, focused + 1);
}

// The keyboard is in use: the focus cue shows from now on.
void ShowCues(HWND hwnd, const Frame& frame) {
    bool& cues = FormOf(frame).keyboardCues;
    if (cues) return;
    cues = true;
    InvalidateCell(hwnd, CellsOf(frame), FormOf(frame).strips[&frame].focused);
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

}  // namespace

Picture* Cell::Shown() const {
    for (Picture* picture : pictures)
        if (picture->Visible()) return picture;
    return nullptr;
}

std::vector<Cell> CellsOf(const Frame& frame) {
    const int dpi = FormOf(frame).dpi;
    std::vector<Cell> cells;
    for (Control* control : frame.parent.OwnerForm().Controls()) {
        auto* picture = dynamic_cast<Picture*>(control);
        if (!picture || picture->parent.AsControl() != &frame) continue;
        const RECT rect = PixelRect(picture->place, dpi);
        const auto same = std::find_if(cells.begin(), cells.end(), [&](const Cell& cell) {
            return EqualRect(&cell.rect, &rect);
        });
        if (same != cells.end())
            same->pictures.push_back(picture);
        else
            cells.push_back({rect, {picture}});
    }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return a.rect.left < b.rect.left; });
    return cells;
}

void InvalidatePicture(const Picture& picture) {
    auto* frame = static_cast<const Frame*>(picture.parent.AsControl());
    if (!frame || !frame->handle) return;
    const RECT rect = PixelRect(picture.place, FormOf(picture).dpi);
    InvalidateRect(Hwnd(*frame), &rect, FALSE);
}

void PressCell(const Frame& frame, int index) {
    const std::vector<Cell> cells = CellsOf(frame);
    if (index < 0 || index >= static_cast<int>(cells.size())) return;
    if (Picture* shown = cells[index].Shown()) shown->Click();
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = static_cast<Frame*>(AttachedControl(hwnd, message, lParam));
    if (!frame || !frame->handle) return DefWindowProcW(hwnd, message, wParam, lParam);
    StripState& strip = FormOf(*frame).strips[frame];
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
            RECT client;
            GetClientRect(hwnd, &client);
            const std::vector<Cell> cells = CellsOf(*frame);
            PaintCells(*frame, cells, dc, client);
            PaintFocus(hwnd, *frame, cells, dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_MOUSEMOVE: {
            const std::vector<Cell> cells = CellsOf(*frame);
            // While the button is held, the pressed cell keeps the pointer,
            // and the title its description.
            const int at = strip.pressed >= 0 ? strip.pressed : CellAt(cells, PointOf(lParam));
            Picture* shown = at >= 0 ? cells[at].Shown() : nullptr;
            if (shown)
                shown->MouseMove();
            else
                frame->MouseMove();
            return 0;
        }
        case WM_LBUTTONDOWN:
            strip.pressed = CellAt(CellsOf(*frame), PointOf(lParam));
            if (strip.pressed >= 0) SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP: {
            const int pressed = strip.pressed;
            strip.pressed = -1;
            if (GetCapture() == hwnd) ReleaseCapture();
            // A click is a press and a release over the same cell.
            if (pressed >= 0 && CellAt(CellsOf(*frame), PointOf(lParam)) == pressed)
                PressCell(*frame, pressed);
            return 0;
        }
        case WM_CAPTURECHANGED:
            strip.pressed = -1;
            return 0;
        case WM_GETDLGCODE:
            return CellsOf(*frame).empty() ? 0 : DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_KEYDOWN: {
            const bool repeated = (lParam & (1 << 30)) != 0;
            ShowCues(hwnd, *frame);
            const int last = static_cast<int>(CellsOf(*frame).size()) - 1;
            // With no cell chosen yet, an arrow enters at the end it points from.
            const bool chosen = strip.focused >= 0;
            switch (wParam) {
                case VK_LEFT:
                    MoveFocus(hwnd, *frame, chosen ? strip.focused - 1 : last);
                    return 0;
                case VK_RIGHT:
                    MoveFocus(hwnd, *frame, chosen ? strip.focused + 1 : 0);
                    return 0;
                case VK_HOME:
                    MoveFocus(hwnd, *frame, 0);
                    return 0;
                case VK_END:
                    MoveFocus(hwnd, *frame, last);
                    return 0;
                case VK_RETURN:
                case VK_SPACE:
                    // Once a press: a key held down starts nothing more.
                    if (!repeated && chosen) PressCell(*frame, strip.focused);
                    return 0;
                case VK_TAB:
                    Tab(hwnd, GetKeyState(VK_SHIFT) < 0);
                    return 0;
            }
            break;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const std::vector<Cell> cells = CellsOf(*frame);
            InvalidateCell(hwnd, cells, strip.focused);
            // Tabbed into: the keyboard's cell (at first the first) is
            // spoken and described.
            if (message == WM_SETFOCUS && GetKeyState(VK_TAB) < 0) {
                ShowCues(hwnd, *frame);
                MoveFocus(hwnd, *frame, std::max(strip.focused, 0));
            }
            return 0;
        }
        case kPressMessage:
            if (TakesInput(hwnd)) PressCell(*frame, static_cast<int>(wParam));
            return 0;
        case WM_GETOBJECT:
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
                !CellsOf(*frame).empty())
                if (const LRESULT object = StripObject(hwnd, wParam)) return object;
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32

void Frame::CreateNative() {
    win32::CreateChild(*this, win32::kFrameClass, L"", WS_CLIPSIBLINGS);
    // A frame of pictures is one stop for the keyboard.
    if (!win32::CellsOf(*this).empty())
        SetWindowLongW(win32::Hwnd(*this), GWL_STYLE,
                       GetWindowLongW(win32::Hwnd(*this), GWL_STYLE) | WS_TABSTOP);
}

// Drawn by the frame it stands in.
void Picture::CreateNative() {}

}  // namespace ui
