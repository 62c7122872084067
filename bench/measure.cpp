// Starts a program again and again and reports, as medians: the time until
// its first window is visible, its working set and its USER and GDI handles.
// Usage: measure.exe RUNS PROGRAM.exe...
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
    double startMs;
    double workingSetKb;
    double userHandles;
    double gdiHandles;
};

HWND VisibleWindowOf(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->pid || !IsWindowVisible(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool MeasureOnce(const std::wstring& program, Sample& sample) {
    LARGE_INTEGER frequency, started, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    QueryPerformanceCounter(&started);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    HWND window = nullptr;
    for (int i = 0; i < 20000 && !window; ++i) {
        window = VisibleWindowOf(process.dwProcessId);
        if (!window) Sleep(0);
    }
    QueryPerformanceCounter(&now);
    sample.startMs = 1000.0 * (now.QuadPart - started.QuadPart) / frequency.QuadPart;
    Sleep(500);  // let it settle before reading its size
    PROCESS_MEMORY_COUNTERS memory{sizeof(memory)};
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
    sample.workingSetKb = memory.WorkingSetSize / 1024.0;
    sample.userHandles = GetGuiResources(process.hProcess, GR_USEROBJECTS);
    sample.gdiHandles = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window != nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: measure RUNS PROGRAM.exe...\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::wprintf(L"program\tstart_ms\tworking_set_kb\tuser_handles\tgdi_handles\tsize_kb\n");
    for (int p = 2; p < argc; ++p) {
        std::vector<double> start, workingSet, user, gdi;
        for (int run = 0; run < runs; ++run) {
            Sample sample{};
            if (!MeasureOnce(argv[p], sample)) {
                std::fwprintf(stderr, L"%ls did not show a window\n", argv[p]);
                return 1;
            }
            start.push_back(sample.startMs);
            workingSet.push_back(sample.workingSetKb);
            user.push_back(sample.userHandles);
            gdi.push_back(sample.gdiHandles);
        }
        WIN32_FILE_ATTRIBUTE_DATA file{};
        GetFileAttributesExW(argv[p], GetFileExInfoStandard, &file);
        std::wprintf(L"%ls\t%.1f\t%.0f\t%.0f\t%.0f\t%.0f\n", argv[p], Median(start), Median(workingSet),
                     Median(user), Median(gdi), file.nFileSizeLow / 1024.0);
    }
    return 0;
}
