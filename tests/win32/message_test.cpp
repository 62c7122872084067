// The message box: a lone carriage return breaks the line, and the button
// pressed is the answer.
#include "desktop/win32/win32_desktop.h"
#include "fixture.h"

namespace tavolin::win32test {
namespace {

const std::wstring kTitle = L"Tavolin test message " + std::to_wstring(GetCurrentProcessId());

// What the timer saw of the box: the lines its prompt takes up.
int promptLines = 0;

BOOL CALLBACK MeasurePrompt(HWND child, LPARAM) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (std::wstring(text).find(L"first line") == std::wstring::npos) return TRUE;
    const HDC dc = GetDC(child);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(child, dc);
    RECT area;
    GetClientRect(child, &area);
    promptLines = (area.bottom - area.top) / metrics.tmHeight;
    return FALSE;
}

// Runs inside the box's own message loop: measures the prompt, presses Yes.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowW(L"#32770", kTitle.c_str());
    if (!box) return;
    KillTimer(nullptr, timer);
    EnumChildWindows(box, MeasurePrompt, 0);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
}

TEST(ShowMessage, ALoneCarriageReturnBreaksTheLineAndTheAnswerComesBack) {
    Win32Desktop desktop;
    SetTimer(nullptr, 0, 50, AnswerBox);
    const int answer =
        desktop.ShowMessage(L"first line\rsecond line", mb::kYesNo + mb::kExclamation, kTitle);
    EXPECT_EQ(answer, mb::kAnswerYes);
    EXPECT_EQ(promptLines, 2);
}

}  // namespace
}  // namespace tavolin::win32test
