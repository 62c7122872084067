// Each kind of control as a standard Win32 child window: its creation, the
// notifications it reads back into the toolkit, and how it fits its place.
#include "ui/win32/native.h"

namespace ui {

using win32::FormOf;
using win32::Hwnd;
using win32::Px;

namespace {

// Rows of a drop-down list when it is open.
constexpr int kOpenListRows = 8;

}  // namespace

void Button::CreateNative() {
    HWND hwnd = win32::CreateChild(*this, L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, &font);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == BN_CLICKED) Click();
    };
    win32::SubclassStandardControl(*this);
}

void Label::CreateNative() {
    HWND hwnd = win32::CreateChild(*this, L"STATIC", caption, SS_LEFT);
    win32::FormWindow& form = FormOf(*this);
    form.paints[hwnd] = {textColour, background};
    win32::FitCaption(hwnd);
}

void Label::LayOutNative() {
    win32::Place(*this);
    win32::FitCaption(Hwnd(*this));
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
    win32::SubclassStandardControl(*this);
}

void ListBox::CreateNative() {
    HWND hwnd = win32::CreateChild(
        *this, L"LISTBOX", L"",
        LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
        WS_EX_CLIENTEDGE, &font);
    win32::FillList(hwnd, Entries());
    SendMessageW(hwnd, LB_SETCURSEL, SelectedIndex(), 0);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == LBN_DBLCLK) DblClick();
        if (code == LBN_SELCHANGE)
            Chosen(static_cast<int>(SendMessageW(Hwnd(*this), LB_GETCURSEL, 0, 0)));
    };
    win32::SubclassStandardControl(*this);
}

void ComboBox::CreateNative() {
    HWND hwnd =
        win32::CreateChild(*this, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                           nullptr, kOpenListRows);
    win32::FitDropDownHeight(hwnd, Px(place.height, FormOf(*this).dpi));
    for (const std::wstring& entry : Entries())
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(hwnd, CB_SETCURSEL, SelectedIndex(), 0);
    FormOf(*this).commands[GetDlgCtrlID(hwnd)] = [this](UINT code) {
        if (code == CBN_SELCHANGE)
            Chosen(static_cast<int>(SendMessageW(Hwnd(*this), CB_GETCURSEL, 0, 0)));
    };
    win32::SubclassStandardControl(*this);
}

void ComboBox::LayOutNative() {
    win32::Place(*this);
    win32::FitDropDownHeight(Hwnd(*this), Px(place.height, FormOf(*this).dpi));
}

}  // namespace ui
