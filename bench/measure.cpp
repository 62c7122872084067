// Starts programs and measures them from outside, as one run of the bench.
//
//   measure.exe start RUNS PROGRAM.exe...
//     Starts the programs in turn, RUNS times each, and prints per program the
//     medians of: the time until its first window is visible, its working
//     set, the windows it owns (top-level and child, the USER objects that
//     can be seen from outside) and what GetGuiResources reports (nothing,
//     under Wine); then its file size.
//   measure.exe idle SECONDS PROGRAM.exe
//     Starts the program, lets it settle, prints "ready", leaves it alone for
//     SECONDS and prints the processor time GetProcessTimes gives for that
//     time (Wine answers it only for the calling process), then "done".
//
// Every program is closed by WM_CLOSE to its window.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
    double startMs = 0;
    double workingSetKb = 0;
    double windows = 0;
    double userReported = 0;
    double gdiReported = 0;
};

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double startMs = 0;
};

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleWindowOf(DWORD pid) {
    for (HWND hwnd : TopLevelWindowsOf(pid))
        if (IsWindowVisible(hwnd)) return hwnd;
    return nullptr;
}

// Every window of the process, children included.
std::vector<HWND> AllWindowsOf(DWORD pid) {
    std::vector<HWND> all;
    for (HWND top : TopLevelWindowsOf(pid)) {
        all.push_back(top);
        EnumChildWindows(
            top,
            [](HWND child, LPARAM data) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
    }
    return all;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * (to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// Starts the program and waits up to 20 s for its first visible window.
bool Start(const std::wstring& program, Started& started) {
    STARTUPINFOW startup{sizeof(startup)};
    std::wstring commandLine = L"\"" + program + L"\"";
    LARGE_INTEGER begin, now;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started.process))
        return false;
    for (;;) {
        started.window = VisibleWindowOf(started.process.dwProcessId);
        QueryPerformanceCounter(&now);
        if (started.window || Milliseconds(begin, now) > 20000) break;
        Sleep(1);
    }
    started.startMs = Milliseconds(begin, now);
    return started.window != nullptr;
}

void Close(Started& started) {
    if (started.window) PostMessageW(started.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(started.process.hProcess, 1);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

bool MeasureOnce(const std::wstring& program, Sample& sample) {
    Started started;
    const bool shown = Start(program, started);
    if (shown) {
        sample.startMs = started.startMs;
        Sleep(500);  // let it settle before reading its size
        PROCESS_MEMORY_COUNTERS memory{sizeof(memory)};
        GetProcessMemoryInfo(started.process.hProcess, &memory, sizeof(memory));
        sample.workingSetKb = memory.WorkingSetSize / 1024.0;
        const std::vector<HWND> windows = AllWindowsOf(started.process.dwProcessId);
        sample.windows = static_cast<double>(windows.size());
        sample.userReported = GetGuiResources(started.process.hProcess, GR_USEROBJECTS);
        sample.gdiReported = GetGuiResources(started.process.hProcess, GR_GDIOBJECTS);
    }
    Close(started);
    return shown;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int StartUp(int runs, const std::vector<std::wstring>& programs) {
    std::vector<std::vector<Sample>> samples(programs.size());
    // The programs take turns, so a slow spell of the machine falls on all.
    for (int run = 0; run < runs; ++run) {
        for (size_t p = 0; p < programs.size(); ++p) {
            Sample sample;
            if (!MeasureOnce(programs[p], sample)) {
                std::fwprintf(stderr, L"%ls did not show a window\n", programs[p].c_str());
                return 1;
            }
            samples[p].push_back(sample);
        }
    }
    std::wprintf(
        L"program\tstart_ms\tworking_set_kb\twindows\tuser_reported\tgdi_reported"
        L"\tsize_kb\n");
    for (size_t p = 0; p < programs.size(); ++p) {
        auto median = [&](double Sample::*field) {
            std::vector<double> values;
            for (const Sample& sample : samples[p]) values.push_back(sample.*field);
            return Median(values);
        };
        WIN32_FILE_ATTRIBUTE_DATA file{};
        GetFileAttributesExW(programs[p].c_str(), GetFileExInfoStandard, &file);
        std::wprintf(L"%ls\t%.1f\t%.0f\t%.0f\t%.0f\t%.0f\t%.0f\n", programs[p].c_str(),
                     median(&Sample::startMs), median(&Sample::workingSetKb),
                     median(&Sample::windows), median(&Sample::userReported),
                     median(&Sample::gdiReported), file.nFileSizeLow / 1024.0);
    }
    return 0;
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

int Idle(int seconds, const std::wstring& program) {
    Started started;
    if (!Start(program, started)) {
        std::fwprintf(stderr, L"%ls did not show a window\n", program.c_str());
        Close(started);
        return 1;
    }
    Sleep(2000);  // past start-up work and the first paint
    std::wprintf(L"ready\n");
    std::fflush(stdout);
    const double before = CpuMs(started.process.hProcess);
    Sleep(seconds * 1000);
    const double after = CpuMs(started.process.hProcess);
    std::wprintf(L"idle_cpu_ms\t%.1f\n", after - before);
    std::wprintf(L"done\n");
    std::fflush(stdout);
    Sleep(500);  // time for the caller to read the process's counters
    Close(started);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"start" && argc >= 4)
        return StartUp(_wtoi(argv[2]), std::vector<std::wstring>(argv + 3, argv + argc));
    if (mode == L"idle" && argc == 4) return Idle(_wtoi(argv[2]), argv[3]);
    std::fwprintf(stderr, L"usage: measure start RUNS PROGRAM.exe... | idle SECONDS PROGRAM.exe\n");
    return 2;
}
