// Filling a list box with many entries at once, and its sideways scrolling.
#include <algorithm>

#include "ui/win32/native.h"

namespace ui::win32 {

namespace {

// Room the list leaves beside an entry's text.
constexpr int kEntryMargin = 6;

}  // namespace

// Each character's width is asked once and the widths summed, as the system
// sums them for a line: asking the extent of each of ten thousand file names
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

// Its storage reserved and its drawing held until the last entry is in,
// since thousands of entries drawn one by one would hold the window for many
// seconds.
void FillList(HWND list, const std::vector<std::wstring>& entries) {
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

}  // namespace ui::win32
