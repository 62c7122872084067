// The yardstick for the bar at rest: a window of the bar's size at the
// bar's place that swaps one 32 x 32 picture every 4 seconds, as the bar's
// telephone does, redrawing that picture alone.
#include <windows.h>

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr RECT kPicture = {290, 10, 322, 42};
HICON g_pictures[2];
int g_shown = 0;

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            g_shown = 1 - g_shown;
            InvalidateRect(hwnd, &kPicture, FALSE);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            DrawIcon(dc, kPicture.left, kPicture.top, g_pictures[g_shown]);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_pictures[0] = LoadIconW(nullptr, IDI_APPLICATION);
    g_pictures[1] = LoadIconW(nullptr, IDI_INFORMATION);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"AnimatedWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"AnimatedWindow", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 16,
                                  380, 613, 80, nullptr, nullptr, instance, nullptr);
    SetTimer(window, kTimer, 4000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
