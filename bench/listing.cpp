// Times listing a directory of many files through the desktop's MatchingFiles,
// and showing them in the browser's file list in a real window (what the user
// waits for), against a bare FindFirstFileW/FindNextFileW walk of the same
// directory, taking turns, and prints the medians.
//   listing.exe RUNS [FILES]
// The files (default 10000, all matching "*.exe") are made in a directory of
// their own on drive T: (or in the temp directory) and removed afterwards.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop/win32/win32_desktop.h"
#include "win32/windows_h.h"
#include "dialogs/file_lists.h"
#include "ui/controls.h"

namespace {

std::wstring ScratchBase() {
    if (GetFileAttributesW(L"T:\\") != INVALID_FILE_ATTRIBUTES) return L"T:\\";
    wchar_t temp[MAX_PATH + 1];
    return std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp));
}

std::wstring FileName(int i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"file%05d.exe", i);
    return name;
}

size_t BareListing(const std::wstring& directory) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((directory + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names.size();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <class Listing>
double TimedMs(Listing listing, size_t expected, bool& right) {
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    const size_t count = listing();
    QueryPerformanceCounter(&end);
    right = right && count == expected;
    return 1000.0 * (end.QuadPart - begin.QuadPart) / frequency.QuadPart;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 10;
    const int files = argc > 2 ? _wtoi(argv[2]) : 10000;
    const std::wstring directory =
        ScratchBase() + L"tavolin-listing-" + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(directory.c_str(), nullptr)) {
        std::fwprintf(stderr, L"cannot make %ls\n", directory.c_str());
        return 1;
    }
    int made = 0;
    for (; made < files; ++made) {
        const HANDLE file = CreateFileW((directory + L"\\" + FileName(made)).c_str(), GENERIC_WRITE,
                                        0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) break;
        CloseHandle(file);
    }

    tavolin::Win32Desktop desktop;
    // The browser's file list at its place in a window of the browser's size.
    ui::Form form({.title = L"listing", .place = {120, 1740, 5595, 4980}});
    tavolin::FileList list(form, {3735, 960, 1695, 2565}, 0, desktop, L"*.exe");
    form.Show();
    const auto shown = [&] {
        if (list.SetPath(directory).failed()) return size_t{0};
        UpdateWindow(static_cast<HWND>(list.box.handle));
        return static_cast<size_t>(list.box.Count());
    };
    std::vector<double> bare, matching, inList;
    bool right = made == files;
    // One untimed pass of each, so both read a warm directory.
    BareListing(directory);
    right = right && desktop.MatchingFiles(directory, L"*.exe").ok();
    shown();
    for (int run = 0; run < runs && right; ++run) {
        bare.push_back(TimedMs([&] { return BareListing(directory); }, files, right));
        matching.push_back(TimedMs(
            [&] {
                const auto names = desktop.MatchingFiles(directory, L"*.exe");
                return names.ok() ? names.value().size() : 0;
            },
            files, right));
        inList.push_back(TimedMs(shown, files, right));
    }

    for (int i = 0; i < made; ++i) DeleteFileW((directory + L"\\" + FileName(i)).c_str());
    RemoveDirectoryW(directory.c_str());
    if (!right) {
        std::fwprintf(stderr, L"the listings did not give %d files\n", files);
        return 1;
    }
    std::wprintf(L"files\tbare_ms\tmatching_files_ms\tfile_list_ms\n%d\t%.2f\t%.2f\t%.2f\n", files,
                 Median(bare), Median(matching), Median(inList));
    return 0;
}
