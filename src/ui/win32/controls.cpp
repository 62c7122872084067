// Controls as Win32 child windows. Standard controls are subclassed so that
// mouse moves and typed keys reach the toolkit's events.
#include "ui/win32/native.h"

#include <algorithm>
#include <cmath>

#include "ui/backend.h"

namespace ui {

using win32::FormOf;
using win32::Hwnd;
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
    if (Control* frame = control.parent.AsControl()) return Hwnd(*frame);
    return FormOf(control).hwnd;
}

struct Pixels {
    int left, top, width, height;
};

// A child's place in pixels at the form's current DPI.
Pixels PixelPlace(const Control& control, const ChildLayout& layout, int dpi) {
    const Twips& at = control.place;
    return {Px(at.left, dpi), Px(at.top, dpi), Px(at.width, dpi),
            Px(at.height, dpi) * layout.heightFactor};
}

}  // namespace

HWND CreateChild(Control& control, const wchar_t* className, const std::wstring& text, DWORD style,
                 DWORD exStyle, const Font* font, int heightFactor) {
    FormWindow& form = FormOf(control);
    const int id = form.nextId++;
    const ChildLayout layout{font ? *font : control.parent.OwnerForm().style.font, heightFactor};
    const Pixels at = PixelPlace(control, layout, form.dpi);
    HWND hwnd = CreateWindowExW(
        exStyle, className, text.c_str(), WS_CHILD | (control.Visible() ? WS_VISIBLE : 0) | style,
        at.left, at.top, at.width, at.height, ParentWindow(control),
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
    const Pixels at = PixelPlace(control, layout, form.dpi);
    SetWindowPos(hwnd, nullptr, at.left, at.top, at.width, at.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form, layout.font)), TRUE);
    if (dynamic_cast<Label*>(&control)) FitCaption(hwnd);
    if (dynamic_cast<ComboBox*>(&control))
        FitDropDownHeight(hwnd, Px(control.place.height, form.dpi));
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

namespace {

Control* ControlFromWindow(HWND hwnd) {
    return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Standard controls keep their own window procedure, their class's, called
// on from ours; the control is in the window's user data. Both are read in
// the process itself: a window property is asked of the window server, which
// took a second for ten thousand list entries added.
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
            // The text box takes Enter itself instead of the dialog manager.
            if (dynamic_cast<TextBox*>(control) && lParam) {
                const auto* msg = reinterpret_cast<const MSG*>(lParam);
                if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                    return CallWindowProcW(original, hwnd, message, wParam, lParam) |
                           DLGC_WANTALLKEYS;
            }
            break;
        case WM_CHAR:
            if (auto* box = dynamic_cast<TextBox*>(control))
                box->KeyPress(static_cast<wchar_t>(wParam));
            break;
        case WM_GETOBJECT:
            if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
                !control->accessibleName.empty()) {
                const std::wstring& name = control->accessibleName;
                const bool pushButton = dynamic_cast<Button*>(control) != nullptr;
                if (const LRESULT named = NamedClientObject(hwnd, wParam, name, pushButton))
                    return named;
            }
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

void WatchMouse(Control& control) {
    HWND hwnd = Hwnd(control);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardControlProc));
}

}  // namespace win32

namespace {

// Room the list leaves beside an entry's text.
constexpr int kEntryMargin = 6;
// Rows of a drop-down list when it is open.
constexpr int kOpenListRows = 8;

// Entries wider than the list can be scrolled into view sideways. Each
// character's width is asked once and the widths summed, as the system sums
// them for a line: asking the extent of each of ten thousand file names
// took most of a second.
void WidenScrolling(HWND list, const std::vector<std::wstring>& entries) {
    auto widest = static_cast<int>(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
    {
        const owned::WindowDc dc(list);
        const owned::Selection font(dc.get(),
                                    reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        std::map<wchar_t, int> widths;
        for (const std::wstring& entry : entries) {
            int width = kEntryMargin;
            for (wchar_t c : entry) {
                auto [known, fresh] = widths.try_emplace(c, 0);
                if (fresh) GetCharWidth32W(dc.get(), c, c, &known->second);
                width += known->second;
            }
            widest = std::max(widest, width);
        }
    }
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

void FillCombo(HWND box, const std::vector<std::wstring>& entries) {
    for (const std::wstring& entry : entries)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

}  // namespace

void Button::CreateNative() {
    HWND hwnd = win32::CreateChild(*this, L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, &font);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == BN_CLICKED) Click();
    };
    win32::WatchMouse(*this);
}

void Label::CreateNative() {
    HWND hwnd = win32::CreateChild(*this, L"STATIC", caption, SS_LEFT);
    win32::FormWindow& form = FormOf(*this);
    form.paints[hwnd] = {win32::ToColorRef(textColour), win32::Brush(form, background)};
    win32::FitCaption(hwnd);
}

void TextBox::CreateNative() {
    HWND hwnd =
        win32::CreateChild(*this, L"EDIT", Text(), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code != EN_CHANGE) return;
        std::wstring text(GetWindowTextLengthW(Hwnd(*this)) + 1, L'\0');
        text.resize(GetWindowTextW(Hwnd(*this), text.data(), static_cast<int>(text.size())));
        Edited(std::move(text));
    };
    win32::WatchMouse(*this);
}

void ListBox::CreateNative() {
    HWND hwnd = win32::CreateChild(
        *this, L"LISTBOX", L"",
        LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
        WS_EX_CLIENTEDGE, &font);
    Fill(hwnd, Entries());
    SendMessageW(hwnd, LB_SETCURSEL, SelectedIndex(), 0);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == LBN_DBLCLK) DblClick();
        if (code == LBN_SELCHANGE)
            Chosen(static_cast<int>(SendMessageW(Hwnd(*this), LB_GETCURSEL, 0, 0)));
    };
    win32::WatchMouse(*this);
}

void ComboBox::CreateNative() {
    HWND hwnd =
        win32::CreateChild(*this, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                           nullptr, kOpenListRows);
    win32::FitDropDownHeight(hwnd, Px(place.height, FormOf(*this).dpi));
    FillCombo(hwnd, Entries());
    SendMessageW(hwnd, CB_SETCURSEL, SelectedIndex(), 0);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == CBN_SELCHANGE)
            Chosen(static_cast<int>(SendMessageW(Hwnd(*this), CB_GETCURSEL, 0, 0)));
    };
    win32::WatchMouse(*this);
}

namespace backend {

void WriteVisible(const Control& control) {
    if (control.handle)
        ShowWindow(Hwnd(control), control.Visible() ? SW_SHOWNA : SW_HIDE);
    else if (auto* picture = dynamic_cast<const Picture*>(&control))
        win32::InvalidatePicture(*picture);
}

void WriteText(const TextBox& box) {
    if (box.handle) SetWindowTextW(Hwnd(box), box.Text().c_str());
}

void WriteEntries(const ListBox& list) {
    if (list.handle) Fill(Hwnd(list), list.Entries());
}

void WriteAdded(const ListBox& list) {
    if (!list.handle) return;
    const std::wstring& entry = list.Entries().back();
    SendMessageW(Hwnd(list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    WidenScrolling(Hwnd(list), {entry});
}

void WriteSelection(const ListBox& list) {
    if (list.handle) SendMessageW(Hwnd(list), LB_SETCURSEL, list.SelectedIndex(), 0);
}

void WriteSelection(const ComboBox& box) {
    if (box.handle) SendMessageW(Hwnd(box), CB_SETCURSEL, box.SelectedIndex(), 0);
}

}  // namespace backend
}  // namespace ui
