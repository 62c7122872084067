// A long sitting at the real Tavolin.exe, sped up: the Run dialog, the file
// browser and the help window opened and closed 300 times each, the
// telephone swapped 5,000 times, the pointer passed across the cells 20,000
// times and the help printed 20 times. Afterwards the process must be as it
// was before: what it does again and again may leave no memory, kernel
// handles, windows or GDI objects behind.
//
// Runs with the printing test's printer (tests/print/soak_test.sh), whose
// documents land in TAVOLIN_PRINT_OUT. The openings, ticks and moves are the messages
// a click, the timer or the pointer would post, posted by the test, so that
// the whole test takes well under 90 seconds.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using e2e::Utf8;

struct Amounts {
    int openings, swaps, hovers, prints;
};
constexpr Amounts kSitting{300, 5000, 20000, 20};
constexpr Amounts kWarmUp{20, 100, 1000, 1};
// Messages posted before waiting for the program to catch up, well below
// the system's limit on a thread's posted messages.
constexpr int kBatch = 500;
constexpr int kWaitMs = 10000;
// The telephone's timer, as the bar numbers its timers.
constexpr WPARAM kAnimationTimer = 1;
// Time for whatever is freed late (a window's last messages, the print
// spooler's answers) before the process is measured.
constexpr DWORD kSettleMs = 3000;
// The printer turns each job into a file within a second or so.
constexpr int kPrintedWaitMs = 30000;
// What may differ from the first measure without anything growing. After
// the warm-up the working set rose by 0.1 to 1.2 MB in a sitting as the heap
// settled, and by 0.1 to 0.2 MB in each further one, about 2 KB of it at each
// print; handles and windows came back exactly; the GDI objects came back,
// or with one more pen and brush of the system's own, which it makes once,
// when something is first drawn in a state of its own. Three megabytes let
// the heap be and catch 3.5 KB kept at each of the 900 openings (a
// directory search left open kept 7 MB); four handles or GDI objects catch
// one kept at each print.
constexpr SIZE_T kWorkingSetMarginBytes = 3 * 1024 * 1024;
constexpr DWORD kHandleMargin = 4;
constexpr int kGdiObjectMargin = 4;

struct Usage {
    SIZE_T workingSet = 0;
    DWORD handles = 0;
    size_t windows = 0;
    int gdiObjects = 0;
};

// Every window of the process, hidden ones and children included.
size_t WindowCount(DWORD pid) {
    struct Search {
        DWORD pid;
        size_t count = 0;
    } search{pid};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search.pid) return TRUE;
            search.count += 1 + e2e::Children(window).size();
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// The process's entries in the system's table of handles. Wine answers
// GetProcessHandleCount with 0 for every process, but keeps this table.
DWORD HandlesInSystemTable(DWORD pid) {
    struct Entry {
        void* object;
        ULONG_PTR process;
        ULONG_PTR handle;
        ULONG access;
        USHORT creatorBackTrace, objectType;
        ULONG attributes, reserved;
    };
    struct Table {
        ULONG_PTR count, reserved;
        Entry entries[1];
    };
    constexpr ULONG kExtendedHandleInformation = 64;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 16);
    LONG status;
    ULONG needed = 0;
    while ((status = query(kExtendedHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    const auto& table = *reinterpret_cast<const Table*>(buffer.data());
    DWORD handles = 0;
    for (ULONG_PTR i = 0; i < table.count; ++i) handles += table.entries[i].process == pid;
    return handles;
}

Usage UsageOf(const e2e::Tavolin& tavolin, const e2e::ControlProbe& probe) {
    const e2e::Process& process = tavolin.process;
    Usage usage;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.handle(), &memory, sizeof memory))
        usage.workingSet = memory.WorkingSetSize;
    if (!GetProcessHandleCount(process.handle(), &usage.handles) || usage.handles == 0)
        usage.handles = HandlesInSystemTable(process.pid());
    usage.windows = WindowCount(process.pid());
    usage.gdiObjects = static_cast<int>(GetGuiResources(process.handle(), GR_GDIOBJECTS));
    if (usage.gdiObjects == 0) usage.gdiObjects = probe.GdiObjects(tavolin.bar).value_or(0);
    return usage;
}

int PrintedDocuments() { return e2e::PrintedDocuments(e2e::PrintOutDirectory()); }

std::string Describe(const Usage& usage) {
    char text[128];
    std::snprintf(text, sizeof text, "working set %zu KB, %lu handles, %zu windows, %d GDI objects",
                  usage.workingSet / 1024, static_cast<unsigned long>(usage.handles), usage.windows,
                  usage.gdiObjects);
    return text;
}

// Polls without the driver's usual pause: the loops below wait hundreds of
// times for a window to come or go.
bool WaitBriefly(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        Sleep(1);
    }
}

// Where a message for a cell goes: the window that holds it (the strip of
// cells, or the "?" button) and the point in it.
struct Spot {
    const wchar_t* description;
    HWND window;
    LPARAM point;
};

void PostClick(const Spot& spot) {
    PostMessageW(spot.window, WM_LBUTTONDOWN, MK_LBUTTON, spot.point);
    PostMessageW(spot.window, WM_LBUTTONUP, 0, spot.point);
}

// What a button tells its form when it is clicked. Not the click itself: a
// click that closes a form makes the form drop the next press within the
// double-click time, which would be the next opening's.
void PostButton(HWND form, const wchar_t* caption) {
    const HWND button = FindWindowExW(form, nullptr, L"Button", caption);
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

class Soak : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
        const HWND strip = e2e::ChildOfClass(tavolin_.bar, L"TavolinFrame");
        ASSERT_NE(strip, nullptr);
        for (const wchar_t* description : e2e::kBarDescriptions) {
            const std::wstring name = description;
            if (name == L"About?") {
                spots_.push_back(
                    {description, e2e::ChildByText(tavolin_.bar, L"?"), MAKELPARAM(1, 1)});
                continue;
            }
            const e2e::Target cell = e2e::BarCell(tavolin_.bar, name);
            ASSERT_TRUE(cell) << Utf8(name);
            const RECT rect = cell.Rect();
            POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
            ScreenToClient(strip, &centre);
            spots_.push_back({description, strip, MAKELPARAM(centre.x, centre.y)});
            if (name == L"Run and File Load Functions") run_ = spots_.back();
            if (name == L"Tavolin Help") help_ = spots_.back();
        }
    }

    DWORD pid() const { return tavolin_.process.pid(); }

    // Everything posted to the bar so far has been handled once a move over
    // this cell has set the title, since posted messages are taken in turn.
    bool CaughtUp(const Spot& spot) {
        PostMessageW(spot.window, WM_MOUSEMOVE, 0, spot.point);
        return TitleShows(spot);
    }
    bool CaughtUp() {
        // Of two cells, one is not the title now.
        return CaughtUp(spots_[0]) && CaughtUp(spots_[1]);
    }
    bool TitleShows(const Spot& spot) {
        const std::wstring title = std::wstring(L"Tavolin - ") + spot.description;
        return WaitBriefly([&] { return e2e::Text(tavolin_.bar) == title; });
    }

    // A form is shown once its controls are made and its Load has run.
    HWND Form(const wchar_t* title) const {
        HWND form = nullptr;
        WaitBriefly([&] {
            form = FindWindowW(L"TavolinForm", title);
            return form && IsWindowVisible(form);
        });
        return form;
    }

    static bool Gone(HWND window) {
        return WaitBriefly([&] { return !IsWindow(window); });
    }

    // Opens with a posted click on the bar's cell and closes by the
    // window's own way out.
    bool OpenAndCloseRun() {
        PostClick(run_);
        const HWND run = Form(e2e::kRunTitle);
        if (!run) return false;
        PostButton(run, L"&Cancel ");
        return Gone(run);
    }
    bool OpenAndCloseBrowser(HWND run) {
        PostButton(run, L"&Browse");
        const HWND browser = Form(e2e::kBrowserTitle);
        if (!browser) return false;
        PostButton(browser, L"&Cancel ");
        return Gone(browser);
    }
    bool OpenAndCloseHelp() {
        PostClick(help_);
        const HWND help = Form(L"Help");
        if (!help) return false;
        PostMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
        return Gone(help);
    }
    // Alt+P in the help window. The menu bar takes the input that follows
    // while it acts on the keys, so the sign that the print is over is input
    // too: the pointer moved onto a cell, after the keys, sets the title.
    bool Print(HWND help) {
        if (!e2e::BringToFront(help)) return false;
        e2e::PressKey('P', /*alt=*/true);
        const Spot& spot =
            e2e::Text(tavolin_.bar).ends_with(spots_[0].description) ? spots_[1] : spots_[0];
        const RECT area = e2e::BarCell(tavolin_.bar, spot.description).Rect();
        const std::wstring title = std::wstring(L"Tavolin - ") + spot.description;
        int step = 0;
        return WaitBriefly([&] {
            e2e::MoveMouse((area.left + area.right) / 2, (area.top + area.bottom) / 2 + ++step % 3);
            return e2e::Text(tavolin_.bar) == title;
        });
    }

    // Everything a sitting does, in these amounts.
    void Sit(const Amounts& amounts) {
        for (int i = 0; i < amounts.openings; ++i)
            ASSERT_TRUE(OpenAndCloseRun()) << "Run dialog, round " << i;

        PostClick(run_);
        const HWND run = Form(e2e::kRunTitle);
        ASSERT_NE(run, nullptr);
        for (int i = 0; i < amounts.openings; ++i)
            ASSERT_TRUE(OpenAndCloseBrowser(run)) << "browser, round " << i;
        PostButton(run, L"&Cancel ");
        ASSERT_TRUE(Gone(run));

        for (int i = 0; i < amounts.openings; ++i)
            ASSERT_TRUE(OpenAndCloseHelp()) << "help, round " << i;

        for (int posted = 0; posted < amounts.swaps; posted += kBatch) {
            for (int i = 0; i < kBatch && posted + i < amounts.swaps; ++i)
                PostMessageW(tavolin_.bar, WM_TIMER, kAnimationTimer, 0);
            ASSERT_TRUE(CaughtUp()) << "after " << posted << " swaps and more";
        }

        // From cell to cell, so that every move changes the title.
        for (int moved = 0; moved < amounts.hovers; moved += kBatch) {
            for (int i = 0; i < kBatch && moved + i < amounts.hovers; ++i) {
                const Spot& spot = spots_[(moved + i) % spots_.size()];
                PostMessageW(spot.window, WM_MOUSEMOVE, 0, spot.point);
            }
            ASSERT_TRUE(CaughtUp()) << "after " << moved << " moves and more";
        }

        PostClick(help_);
        const HWND help = Form(L"Help");
        ASSERT_NE(help, nullptr);
        for (int i = 0; i < amounts.prints; ++i) ASSERT_TRUE(Print(help)) << "print " << i;
        // Away from the bar, the pointer moves no cell when a window under it
        // comes or goes, and leaves the title to the moves posted.
        e2e::ParkMouse();
        EXPECT_FALSE(e2e::WaitForMessageBox(L"Print Help", pid(), 0)) << "printing failed";
        PostMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(Gone(help));
    }

    e2e::Tavolin tavolin_ = e2e::StartTavolin();
    std::vector<Spot> spots_;
    Spot run_{}, help_{};
};

TEST_F(Soak, NothingGrowsWithUse) {
    // A short sitting first, so that what is made once and kept (the
    // spooler's library, the system's caches, the heap's first growth) is
    // there before the first measure.
    const e2e::ControlProbe probe(tavolin_.bar);
    ASSERT_TRUE(probe.ready()) << "the control probe could not be hooked into Tavolin";
    ASSERT_NO_FATAL_FAILURE(Sit(kWarmUp));
    Sleep(kSettleMs);
    const Usage before = UsageOf(tavolin_, probe);

    const ULONGLONG started = GetTickCount64();
    ASSERT_NO_FATAL_FAILURE(Sit(kSitting));
    std::printf("the sitting took %llu ms\n", GetTickCount64() - started);

    Sleep(kSettleMs);
    const Usage after = UsageOf(tavolin_, probe);
    std::printf("before: %s\nafter:  %s\n", Describe(before).c_str(), Describe(after).c_str());
    std::fflush(stdout);
    EXPECT_TRUE(tavolin_.process.Running());
    EXPECT_LE(after.workingSet, before.workingSet + kWorkingSetMarginBytes);
    EXPECT_GT(before.handles, 0u) << "the handles were not counted";
    EXPECT_LE(after.handles, before.handles + kHandleMargin);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_GT(before.gdiObjects, 0) << "the GDI objects were not counted";
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kGdiObjectMargin);
    EXPECT_EQ(e2e::TopLevelWindows(pid()), std::vector<HWND>{tavolin_.bar});

    // Every print reached the printer.
    const int printed = kWarmUp.prints + kSitting.prints;
    EXPECT_TRUE(e2e::WaitUntil([&] { return PrintedDocuments() == printed; }, kPrintedWaitMs))
        << PrintedDocuments() << " of " << printed << " printed";
}

}  // namespace
