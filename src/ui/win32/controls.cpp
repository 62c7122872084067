// Controls as Win32 child windows. Standard controls are subclassed so that
// mouse moves and typed keys reach the toolkit's events.
#include "ui/win32/native.h"

#include <algorithm>
#include <cmath>

namespace ui {

using win32::FormOf;
using win32::Px;

namespace win32 {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

COLORREF ToColorRef(Colour colour) {
    switch (colour.kind) {
        case Colour::Kind::WindowBackground:
            return GetSysColor(COLOR_WINDOW);
        case Colour::Kind::WindowText:
            return GetSysColor(COLOR_WINDOWTEXT);
        case Colour::Kind::Rgb:
            break;
    }
    return RGB(colour.red, colour.green, colour.blue);
}

HBRUSH Brush(NativeForm& form, Colour colour) {
    const COLORREF value = ToColorRef(colour);
    HBRUSH& brush = form.brushes[value];
    if (!brush) brush = CreateSolidBrush(value);
    return brush;
}

// Outline faces only: a bitmap face has few sizes and no bold, and would
// not be sharp at every DPI.
HFONT FontFor(NativeForm& form, const Font& font) {
    const int height = -static_cast<int>(std::lround(font.points * form.dpi / 72.0));
    HFONT& handle = form.fonts[{font.face, height, font.bold}];
    if (!handle)
        handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face);
    return handle;
}

NativeForm& FormOf(Control& control) { return *control.parent.OwnerForm().native(); }

HWND ParentWindow(Control& control) {
    if (Control* frame = control.parent.AsControl()) return static_cast<HWND>(frame->handle);
    return FormOf(control).hwnd;
}

namespace {

struct Pixels {
    int left, top, width, height;
};

// A child's place in pixels at the form's current DPI.
Pixels PixelPlace(Control& control, const ChildLayout& layout, int dpi) {
    const Twips& at = control.place;
    return {Px(at.left, dpi), Px(at.top, dpi), Px(at.width, dpi),
            Px(at.height, dpi) * layout.heightFactor};
}

}  // namespace

HWND CreateChild(Control& control, const wchar_t* className, const std::wstring& text,
                 DWORD style, DWORD exStyle, const Font* font, int heightFactor) {
    NativeForm& form = FormOf(control);
    const int id = form.nextId++;
    const ChildLayout layout{font ? *font : control.parent.OwnerForm().style.font, heightFactor};
    const Pixels at = PixelPlace(control, layout, form.dpi);
    HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(),
                                WS_CHILD | (control.Visible() ? WS_VISIBLE : 0) | style, at.left,
                                at.top, at.width, at.height, ParentWindow(control),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), &control);
    control.handle = hwnd;
    form.layouts[hwnd] = layout;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form, layout.font)), FALSE);
    return hwnd;
}

void Place(Control& control) {
    NativeForm& form = FormOf(control);
    HWND hwnd = static_cast<HWND>(control.handle);
    const ChildLayout& layout = form.layouts[hwnd];
    const Pixels at = PixelPlace(control, layout, form.dpi);
    SetWindowPos(hwnd, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form, layout.font)), TRUE);
    if (dynamic_cast<Label*>(&control)) FitCaption(hwnd);
    if (dynamic_cast<ComboBox*>(&control)) FitDropDownHeight(hwnd, Px(control.place.height, form.dpi));
}

void FitCaption(HWND label) {
    std::wstring caption(GetWindowTextLengthW(label) + 1, L'\0');
    caption.resize(GetWindowTextW(label, caption.data(), static_cast<int>(caption.size())));
    HDC dc = GetDC(label);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT needed{};
    DrawTextW(dc, caption.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
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

namespace {

Control* ControlFromWindow(HWND hwnd) {
    return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Attach(HWND hwnd, LPARAM createParams) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(createParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

// Standard controls keep their own window procedure, their class's, called
// on from ours; the control is in the window's user data. Both are read in
// the process itself: a window property is asked of the window server, which
// took a second for ten thousand list entries added.
WNDPROC OriginalProc(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
}

LRESULT CALLBACK StandardControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = ControlFromWindow(hwnd);
    const WNDPROC original = OriginalProc(hwnd);
    switch (message) {
        case WM_MOUSEMOVE:
            control->MouseMove();
            break;
        case WM_GETDLGCODE:
            // The text box takes Enter itself instead of the dialog manager.
            if (dynamic_cast<TextBox*>(control) && lParam) {
                const auto* msg = reinterpret_cast<const MSG*>(lParam);
                if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                    return CallWindowProcW(original, hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
            }
            break;
        case WM_CHAR:
            if (auto* box = dynamic_cast<TextBox*>(control)) box->KeyPress(static_cast<wchar_t>(wParam));
            break;
        case WM_GETOBJECT:
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
                !control->accessibleName.empty()) {
                const std::wstring& name = control->accessibleName;
                if (const LRESULT named = win32::NamedClientObject(hwnd, wParam, name)) return named;
            }
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace

void WatchMouse(Control& control) {
    HWND hwnd = static_cast<HWND>(control.handle);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardControlProc));
}

LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);

// The frame forwards its children's notifications to the form.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) Attach(hwnd, lParam);
    auto* frame = static_cast<Frame*>(ControlFromWindow(hwnd));
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

namespace {

HBRUSH PictureBackground(Picture& picture) {
    // The parts outside an icon's mask show the frame's colour.
    auto* frame = static_cast<Frame*>(picture.parent.AsControl());
    return frame ? Brush(FormOf(picture), frame->background) : GetSysColorBrush(COLOR_BTNFACE);
}

void DrawStrip(Form& form, NativeForm& native) {
    std::vector<Picture*> pictures;
    int width = 0, height = 0;
    for (Control* control : form.Controls()) {
        if (auto* picture = dynamic_cast<Picture*>(control)) {
            pictures.push_back(picture);
            const int size = Px(picture->place.width, native.dpi);
            width += size;
            height = std::max(height, size);
        }
    }
    PictureStrip& strip = native.pictures;
    HDC screen = GetDC(nullptr);
    strip.dc = CreateCompatibleDC(screen);
    strip.bitmap = CreateCompatibleBitmap(screen, std::max(width, 1), std::max(height, 1));
    ReleaseDC(nullptr, screen);
    strip.previous = SelectObject(strip.dc, strip.bitmap);
    int left = 0;
    for (Picture* picture : pictures) {
        // Loaded at the cell's pixel size, so it is drawn sharp at any DPI.
        const int size = Px(picture->place.width, native.dpi);
        const RECT cell{left, 0, left + size, height};
        FillRect(strip.dc, &cell, PictureBackground(*picture));
        if (HICON icon = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(picture->iconId),
                                                       IMAGE_ICON, size, size, 0))) {
            DrawIconEx(strip.dc, left, 0, icon, size, size, 0, nullptr, DI_NORMAL);
            DestroyIcon(icon);
        }
        strip.offsets[picture] = left;
        left += size;
    }
}

}  // namespace

void PaintPicture(Picture& picture, HDC dc, const RECT& client) {
    NativeForm& native = FormOf(picture);
    if (!native.pictures.dc) DrawStrip(picture.parent.OwnerForm(), native);
    FillRect(dc, &client, PictureBackground(picture));
    // Square, centred in the cell.
    const int size = client.right;
    BitBlt(dc, 0, (client.bottom - size) / 2, size, size, native.pictures.dc,
           native.pictures.offsets[&picture], 0, SRCCOPY);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr wchar_t kPressed[] = L"TavolinPressed";
    if (message == WM_NCCREATE) Attach(hwnd, lParam);
    auto* picture = static_cast<Picture*>(ControlFromWindow(hwnd));
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

void RegisterClasses() {
    static const bool registered = [] {
        WNDCLASSEXW form{};
        form.cbSize = sizeof(form);
        form.lpfnWndProc = FormProc;
        form.hInstance = Instance();
        form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        form.lpszClassName = kFormClass;
        RegisterClassExW(&form);

        WNDCLASSEXW frame = form;
        frame.lpfnWndProc = FrameProc;
        frame.lpszClassName = kFrameClass;
        RegisterClassExW(&frame);

        WNDCLASSEXW picture = form;
        picture.lpfnWndProc = PictureProc;
        picture.lpszClassName = kPictureClass;
        RegisterClassExW(&picture);
        return true;
    }();
    (void)registered;
}

}  // namespace win32

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (handle) ShowWindow(static_cast<HWND>(handle), visible ? SW_SHOWNA : SW_HIDE);
}

void Frame::CreateNative() { win32::CreateChild(*this, win32::kFrameClass, L"", WS_CLIPSIBLINGS); }

void Picture::CreateNative() {
    // The window text is the control's name for screen readers.
    win32::CreateChild(*this, win32::kPictureClass, accessibleName, 0);
}

void Button::CreateNative() {
    HWND hwnd = win32::CreateChild(*this, L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, &font);
    NativeForm& form = FormOf(*this);
    form.commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == BN_CLICKED) Click();
    };
    win32::WatchMouse(*this);
}

void Label::CreateNative() {
    HWND hwnd = win32::CreateChild(*this, L"STATIC", caption, SS_LEFT);
    NativeForm& form = FormOf(*this);
    form.paints[hwnd] = {win32::ToColorRef(textColour), win32::Brush(form, background)};
    win32::FitCaption(hwnd);
}

void TextBox::CreateNative() {
    win32::CreateChild(*this, L"EDIT", text_, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    win32::WatchMouse(*this);
}

std::wstring TextBox::Text() const {
    if (!handle) return text_;
    HWND hwnd = static_cast<HWND>(handle);
    std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

void TextBox::SetText(const std::wstring& text) {
    text_ = text;
    if (handle) SetWindowTextW(static_cast<HWND>(handle), text.c_str());
}

void TextBox::Type(const std::wstring& characters) {
    for (wchar_t c : characters) {
        if (handle) {
            SendMessageW(static_cast<HWND>(handle), WM_CHAR, c, 0);
        } else {
            KeyPress(c);
            if (c >= L' ') text_ += c;
        }
    }
}

namespace {

// Room the list leaves beside an entry's text.
constexpr int kEntryMargin = 6;

// Entries wider than the list can be scrolled into view sideways. Each
// character's width is asked once and the widths summed, as the system sums
// them for a line: asking the extent of each of ten thousand file names
// took most of a second.
void WidenScrolling(HWND list, const std::vector<std::wstring>& entries) {
    HDC dc = GetDC(list);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    std::map<wchar_t, int> widths;
    auto widest = static_cast<int>(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
    for (const std::wstring& entry : entries) {
        int width = kEntryMargin;
        for (wchar_t c : entry) {
            auto [known, fresh] = widths.try_emplace(c, 0);
            if (fresh) GetCharWidth32W(dc, c, c, &known->second);
            width += known->second;
        }
        widest = std::max(widest, width);
    }
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, widest, 0);
}

// Fills the list in one go: its storage reserved and its drawing held until
// the last entry is in, since thousands of entries drawn one by one would
// hold the window for many seconds.
void Fill(HWND list, const std::vector<std::wstring>& entries) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, 0, 0);
    size_t characters = 0;
    for (const std::wstring& entry : entries) characters += entry.size() + 1;
    SendMessageW(list, LB_INITSTORAGE, entries.size(), characters * sizeof(wchar_t));
    for (const std::wstring& entry : entries)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    WidenScrolling(list, entries);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

void ListBox::CreateNative() {
    HWND hwnd = win32::CreateChild(
        *this, L"LISTBOX", L"",
        LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
        WS_EX_CLIENTEDGE, &font);
    NativeForm& form = FormOf(*this);
    Fill(hwnd, entries_);
    SendMessageW(hwnd, LB_SETCURSEL, selected_, 0);
    form.commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == LBN_DBLCLK) DblClick();
        if (code == LBN_SELCHANGE) {
            selected_ = static_cast<int>(SendMessageW(static_cast<HWND>(handle), LB_GETCURSEL, 0, 0));
            if (onSelect) onSelect();
        }
    };
    win32::WatchMouse(*this);
}

void ListBox::Add(const std::wstring& entry) {
    entries_.push_back(entry);
    if (!handle) return;
    SendMessageW(static_cast<HWND>(handle), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    WidenScrolling(static_cast<HWND>(handle), {entry});
}

void ListBox::SetEntries(std::vector<std::wstring> entries) {
    entries_ = std::move(entries);
    selected_ = -1;
    if (handle) Fill(static_cast<HWND>(handle), entries_);
}

int ListBox::SelectedIndex() const {
    return handle ? static_cast<int>(SendMessageW(static_cast<HWND>(handle), LB_GETCURSEL, 0, 0)) : selected_;
}

void ListBox::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
    if (handle) SendMessageW(static_cast<HWND>(handle), LB_SETCURSEL, selected_, 0);
    if (onSelect) onSelect();
}

int ListBox::TopIndex() const {
    return handle ? static_cast<int>(SendMessageW(static_cast<HWND>(handle), LB_GETTOPINDEX, 0, 0)) : 0;
}

void ComboBox::CreateNative() {
    NativeForm& form = FormOf(*this);
    constexpr int kOpenListRows = 8;
    HWND hwnd = win32::CreateChild(*this, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                   0, nullptr, kOpenListRows);
    win32::FitDropDownHeight(hwnd, Px(place.height, form.dpi));
    for (const std::wstring& entry : entries_)
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(hwnd, CB_SETCURSEL, selected_, 0);
    form.commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code != CBN_SELCHANGE) return;
        selected_ = static_cast<int>(SendMessageW(static_cast<HWND>(handle), CB_GETCURSEL, 0, 0));
        Click();
    };
    win32::WatchMouse(*this);
}

void ComboBox::SetEntries(std::vector<std::wstring> entries) {
    entries_ = std::move(entries);
    selected_ = entries_.empty() ? -1 : 0;
    if (!handle) return;
    HWND hwnd = static_cast<HWND>(handle);
    SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : entries_)
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(hwnd, CB_SETCURSEL, selected_, 0);
}

int ComboBox::SelectedIndex() const {
    return handle ? static_cast<int>(SendMessageW(static_cast<HWND>(handle), CB_GETCURSEL, 0, 0)) : selected_;
}

void ComboBox::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
    if (handle) SendMessageW(static_cast<HWND>(handle), CB_SETCURSEL, selected_, 0);
    Click();
}

}  // namespace ui
