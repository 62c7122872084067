// Opens each window of the real Tavolin.exe in turn for scripts/screenshots.
// For every picture it writes NAME.rect into the exchange directory (the
// window's client area and then the whole window on the screen, a line of
// left top right bottom in pixels each) and waits until the script, having
// saved the screen, answers with NAME.done.
//
//   e2e_screenshots.exe EXCHANGE_DIR
//
// The file browser is shown on T:\Documents, a directory of a few files
// made for the pictures and removed afterwards.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

constexpr int kAnswerTimeoutMs = 30000;
// Wine hands what a window painted to the X server a moment later.
constexpr DWORD kPaintSettleMs = 500;
constexpr wchar_t kDocuments[] = L"T:\\Documents";

bool Fail(const char* what) {
    std::fprintf(stderr, "e2e_screenshots: %s\n", what);
    return false;
}

// The directory the browser shows, for the life of the program.
class Documents {
public:
    Documents() {
        e2e::RemoveTree(kDocuments);  // left by an interrupted run
        ok_ = CreateDirectoryW(kDocuments, nullptr);
        for (const wchar_t* directory : {L"Archive", L"Letters"})
            ok_ = ok_ && CreateDirectoryW(Path(directory).c_str(), nullptr);
        for (const wchar_t* file : {L"letter.doc", L"notes.txt", L"readme.wri", L"tavolin.hlp",
                                    L"setup.exe", L"install.bat"})
            ok_ = ok_ && std::ofstream(Path(file).c_str()).put('\n').good();
    }
    ~Documents() { e2e::RemoveTree(kDocuments); }
    bool ok() const { return ok_; }
    static std::wstring Path(const std::wstring& name) {
        return std::wstring(kDocuments) + L"\\" + name;
    }

private:
    bool ok_ = false;
};

class Screenshots {
public:
    explicit Screenshots(std::wstring exchange) : exchange_(std::move(exchange)) {}

    // Asks the script for a picture of the window and waits for it.
    bool Take(const std::wstring& name, HWND window, const e2e::Process& tavolin) {
        if (!window) return Fail("the window to picture is not there");
        e2e::ParkMouse();
        WaitForInputIdle(tavolin.handle(), e2e::kDefaultTimeoutMs);
        Sleep(kPaintSettleMs);
        const RECT client = e2e::ClientRectOnScreen(window);
        const RECT frame = e2e::WindowRectOnScreen(window);
        const std::wstring request = exchange_ + L"\\" + name + L".rect";
        const std::wstring done = exchange_ + L"\\" + name + L".done";
        DeleteFileW(done.c_str());
        {
            // Written under another name first, so the script never reads half of it.
            std::ofstream out((request + L".part").c_str(), std::ios::binary);
            for (const RECT& place : {client, frame})
                out << place.left << ' ' << place.top << ' ' << place.right << ' ' << place.bottom
                    << '\n';
            if (!out.good()) return Fail("cannot write into the exchange directory");
        }
        if (!MoveFileExW((request + L".part").c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING))
            return Fail("cannot write into the exchange directory");
        if (!e2e::WaitUntil(
                [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                kAnswerTimeoutMs))
            return Fail("the script did not answer");
        return true;
    }

private:
    std::wstring exchange_;
};

bool TakeAll(Screenshots& shots) {
    Documents documents;
    if (!documents.ok()) return Fail("cannot make T:\\Documents");
    // As most users see it: focus cues once the keyboard is used.
    const e2e::KeyboardCues cues(/*always=*/false);
    e2e::Tavolin tavolin = e2e::StartTavolin(kDocuments);
    if (!tavolin.bar) return Fail("the bar did not come up");
    const DWORD pid = tavolin.process.pid();
    const e2e::Process& process = tavolin.process;

    // The bar with a description in its title.
    e2e::Hover(e2e::BarCell(tavolin.bar, L"NotePad"));
    if (!e2e::WaitUntil([&] { return e2e::Text(tavolin.bar) == L"Tavolin - NotePad"; }))
        return Fail("hovering NotePad set no title");
    if (!shots.Take(L"bar", tavolin.bar, process)) return false;

    // The keyboard on the telephone's cell: its cue, and its description.
    e2e::ParkMouse();
    e2e::BringToFront(tavolin.bar);
    e2e::PressKey(VK_HOME);
    for (int cell = 0; cell < 8; ++cell) e2e::PressKey(VK_RIGHT);
    if (!e2e::WaitUntil([&] { return e2e::Text(tavolin.bar) == L"Tavolin - Phone Dialer"; }))
        return Fail("the keyboard set no title");
    if (!shots.Take(L"bar-keyboard", tavolin.bar, process)) return false;

    // The bar in a black high-contrast scheme, then back in the classic one.
    {
        const e2e::ControlProbe probe(tavolin.bar);
        const e2e::ControlProbe::Scheme before = e2e::ControlProbe::SchemeNow();
        if (!probe.ready() ||
            !probe.SetSystemColours(tavolin.bar, e2e::ControlProbe::BlackScheme()))
            return Fail("the black scheme could not be set");
        const bool taken = shots.Take(L"bar-high-contrast", tavolin.bar, process);
        probe.SetSystemColours(tavolin.bar, before);
        if (!taken) return false;
    }

    e2e::Click(e2e::BarCell(tavolin.bar, L"Tavolin Help"));
    const HWND help = e2e::WaitForWindow(L"Help", pid);
    if (!shots.Take(L"help", help, process)) return false;
    e2e::BringToFront(help);
    e2e::PressKey('C', /*alt=*/true);
    if (!e2e::WaitForWindowGone(L"Help", pid)) return Fail("the help did not close");

    e2e::Click(e2e::ChildByText(tavolin.bar, L"?"));
    const auto about = e2e::WaitForMessageBox(L"About?", pid);
    if (!about || !shots.Take(L"about", about->window, process)) return Fail("no About box");
    e2e::PressButton(about->window, L"OK");
    if (!e2e::WaitForWindowGone(L"About?", pid)) return Fail("the About box did not close");

    e2e::Click(e2e::BarCell(tavolin.bar, L"Run and File Load Functions"));
    const HWND run = e2e::WaitForWindow(e2e::kRunTitle, pid);
    if (!run) return Fail("no Run Program dialog");
    e2e::Click(e2e::ChildOfClass(run, L"Edit"));
    e2e::TypeText(L"notepad.exe");
    if (!shots.Take(L"run", run, process)) return false;

    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(e2e::kBrowserTitle, pid);
    if (!browser) return Fail("no file browser");
    // The pattern box's second entry, the documents.
    e2e::ChooseFromDropDown(e2e::ChildByText(browser, L"*.exe;*.com;*.bat"), L"", VK_DOWN);
    HWND files = nullptr;
    if (!e2e::WaitUntil([&] {
            for (HWND list : e2e::ChildrenOfClass(browser, L"ListBox"))
                if (e2e::EntryIndex(list, L"letter.doc") >= 0) files = list;
            return files != nullptr;
        }))
        return Fail("the documents are not listed");
    if (!e2e::ClickEntry(files, L"letter.doc") || !e2e::WaitUntil([&] {
            return e2e::ListSelection(files) == e2e::EntryIndex(files, L"letter.doc");
        }))
        return Fail("letter.doc could not be selected");
    if (!shots.Take(L"browser", browser, process)) return false;

    e2e::Click(e2e::ChildByText(browser, L"&Delete File"));
    const auto question = e2e::WaitForMessageBox(L"Warning!", pid);
    if (!question || !shots.Take(L"delete", question->window, process))
        return Fail("no question before deleting");
    e2e::PressButton(question->window, L"&No");
    if (!e2e::WaitForWindowGone(L"Warning!", pid)) return Fail("the question did not close");

    e2e::Click(e2e::ChildByText(browser, L"&Cancel "));
    e2e::WaitForWindowGone(e2e::kBrowserTitle, pid);
    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    e2e::WaitForWindowGone(e2e::kRunTitle, pid);
    PostMessageW(tavolin.bar, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (!tavolin.process.WaitForExit(10000)) return Fail("the bar did not close");
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_screenshots.exe EXCHANGE_DIR\n");
        return 2;
    }
    Screenshots shots(argv[1]);
    return TakeAll(shots) ? 0 : 1;
}
