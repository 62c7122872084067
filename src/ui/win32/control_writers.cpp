// The changes the program makes to its controls, written to their windows.
#include "ui/backend.h"
#include "ui/win32/native.h"

namespace ui::backend {

using win32::Hwnd;

void WriteShown(const Picture& picture) {
    if (!picture.strip.handle) return;
    const RECT cell = win32::PixelRect(picture.place, win32::FormOf(picture).dpi);
    InvalidateRect(Hwnd(picture.strip), &cell, FALSE);
}

void WriteText(const TextBox& box) {
    if (box.handle) SetWindowTextW(Hwnd(box), box.Text().c_str());
}

void WriteEntries(const ListBox& list) {
    if (list.handle) win32::FillList(Hwnd(list), list.Entries());
}

void WriteAdded(const ListBox& list) {
    if (!list.handle) return;
    const std::wstring& entry = list.Entries().back();
    SendMessageW(Hwnd(list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    win32::WidenScrolling(Hwnd(list), {entry});
}

void WriteSelection(const ListBox& list) {
    if (list.handle) SendMessageW(Hwnd(list), LB_SETCURSEL, list.SelectedIndex(), 0);
}

void WriteSelection(const ComboBox& box) {
    if (box.handle) SendMessageW(Hwnd(box), CB_SETCURSEL, box.SelectedIndex(), 0);
}

}  // namespace ui::backend
