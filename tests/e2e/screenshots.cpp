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

#include "driver.h"

namespace {

constexpr int kAnswerTimeoutMs = 30000;
// Wine hands what a window painted to the X server a moment later.
constexpr DWORD kPaintSettleMs = 500;
constexpr wchar_t kDocuments[] = L"T:\\Documents";

bool Fail(const char* what) {
    std::fprintf(stderr, "e2e_screenshots: %s\n", what);
    return false;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

// The directory the browser shows, for the life of the program.
class Documents {
public:
    Documents() {
        RemoveTree(kDocuments);  // left by an interrupted run
        ok_ = CreateDirectoryW(kDocuments, nullptr);
        for (const wchar_t* directory : {L"Archive", L"Letters"})
            ok_ = ok_ && CreateDirectoryW(Path(directory).c_str(), nullptr);
        for (const wchar_t* file : {L"letter.doc", L"notes.txt", L"readme.wri", L"tavolin.hlp",
                                    L"setup.exe", L"install.bat"})
            ok_ = ok_ && std::ofstream(Path(file).c_str()).put('\n').good();
    }
    ~Documents() { RemoveTree(kDocuments); }
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
        if (!e2e::WaitUntil([&] { return GetFileAttributesW(done.c_str()) !=
                                         INVALID_FILE_ATTRIBUTES; },
                            kAnswerTimeoutMs))
            return Fail("the script did not answer");
        return true;
    }

private:
    std::wstring exchange_;
};

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    for (HWND child : e2e::Children(parent))
        if (_wcsicmp(e2e::ClassName(child).c_str(), className) == 0) return child;
    return nullptr;
}

// Tavolin started in the documents directory, so that the browser opens there.
e2e::Tavolin StartTavolinIn(const std::wstring& directory) {
    e2e::ParkMouse();
    e2e::Tavolin tavolin;
    tavolin.process = e2e::Start(L"\"" + e2e::ProgramDirectory() + L"\\Tavolin.exe\"", directory);
    e2e::WaitUntil(
        [&] {
            for (HWND window : e2e::TopLevelWindows(tavolin.process.pid()))
                if (e2e::ClassName(window) == L"TavolinForm") tavolin.bar = window;
            return tavolin.bar != nullptr;
        },
        20000);
    return tavolin;
}

// Picks the pattern box's second entry, the documents, by the keyboard.
void ChooseDocumentsPattern(HWND combo) {
    auto dropped = [&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
    e2e::Click(combo);
    e2e::WaitUntil(dropped);
    e2e::Click(combo);
    e2e::WaitUntil([&] { return !dropped(); });
    e2e::PressKey(VK_DOWN);
}

int EntryIndex(HWND list, const std::wstring& name) {
    const auto entries = e2e::ListEntries(list);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == name) return static_cast<int>(i);
    return -1;
}

void ClickEntry(HWND list, int index) {
    const RECT client = e2e::ClientRectOnScreen(list);
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    e2e::ClickAt(client.left + 12, client.top + height * index + height / 2);
}

bool TakeAll(Screenshots& shots) {
    Documents documents;
    if (!documents.ok()) return Fail("cannot make T:\\Documents");
    e2e::Tavolin tavolin = StartTavolinIn(kDocuments);
    if (!tavolin.bar) return Fail("the bar did not come up");
    const DWORD pid = tavolin.process.pid();
    const e2e::Process& process = tavolin.process;

    // The bar with a description in its title.
    e2e::Hover(e2e::ChildByText(tavolin.bar, L"NotePad"));
    if (!e2e::WaitUntil([&] { return e2e::Text(tavolin.bar) == L"Tavolin - NotePad"; }))
        return Fail("hovering NotePad set no title");
    if (!shots.Take(L"bar", tavolin.bar, process)) return false;

    e2e::Click(e2e::ChildByText(tavolin.bar, L"Tavolin Help"));
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

    e2e::Click(e2e::ChildByText(tavolin.bar, L"Run and File Load Functions"));
    const HWND run = e2e::WaitForWindow(L"Run Program", pid);
    if (!run) return Fail("no Run Program dialog");
    e2e::Click(ChildOfClass(run, L"Edit"));
    e2e::TypeText(L"notepad.exe");
    if (!shots.Take(L"run", run, process)) return false;

    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(L"File Run and Delete Options", pid);
    if (!browser) return Fail("no file browser");
    ChooseDocumentsPattern(e2e::ChildByText(browser, L"*.exe;*.com;*.bat"));
    HWND files = nullptr;
    if (!e2e::WaitUntil([&] {
            for (HWND child : e2e::Children(browser))
                if (_wcsicmp(e2e::ClassName(child).c_str(), L"ListBox") == 0 &&
                    EntryIndex(child, L"letter.doc") >= 0)
                    files = child;
            return files != nullptr;
        }))
        return Fail("the documents are not listed");
    ClickEntry(files, EntryIndex(files, L"letter.doc"));
    if (!e2e::WaitUntil([&] { return e2e::ListSelection(files) ==
                                     EntryIndex(files, L"letter.doc"); }))
        return Fail("letter.doc could not be selected");
    if (!shots.Take(L"browser", browser, process)) return false;

    e2e::Click(e2e::ChildByText(browser, L"&Delete File"));
    const auto question = e2e::WaitForMessageBox(L"Warning!", pid);
    if (!question || !shots.Take(L"delete", question->window, process))
        return Fail("no question before deleting");
    e2e::PressButton(question->window, L"&No");
    if (!e2e::WaitForWindowGone(L"Warning!", pid)) return Fail("the question did not close");

    e2e::Click(e2e::ChildByText(browser, L"&Cancel "));
    e2e::WaitForWindowGone(L"File Run and Delete Options", pid);
    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    e2e::WaitForWindowGone(L"Run Program", pid);
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
