// Names beyond ASCII end to end in the real Tavolin.exe: files named in
// Cyrillic, Greek, Chinese and with an emoji, in a directory with blanks on
// drive T:, are listed exactly, open in Notepad and are deleted after Yes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"

namespace {

using Entries = std::vector<std::wstring>;

constexpr wchar_t kBrowserTitle[] = L"File Run and Delete Options";
constexpr int kProgramStartMs = 15000;

// In the browser's order: sorted without regard to case, by code unit.
const Entries kUnicodeNames{
    L"smile 😀.txt",
    L"Καλημέρα κόσμε.txt",
    L"Привет мир.txt",
    L"你好世界.txt",
};

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// T:\tavolin-unicode-<pid>\Мои файлы and more\ with the files above and
// plain.txt; removed with all it holds.
class UnicodeTree {
public:
    UnicodeTree()
        : top_(L"T:\\tavolin-unicode-" + std::to_wstring(GetCurrentProcessId())),
          directory_(top_ + L"\\Мои файлы and more") {
        ok_ = CreateDirectoryW(top_.c_str(), nullptr) &&
              CreateDirectoryW(directory_.c_str(), nullptr);
        for (const std::wstring& name : kUnicodeNames) ok_ = ok_ && Write(Path(name));
        ok_ = ok_ && Write(Path(L"plain.txt"));
    }
    ~UnicodeTree() {
        for (const std::wstring& name : kUnicodeNames) DeleteFileW(Path(name).c_str());
        DeleteFileW(Path(L"plain.txt").c_str());
        RemoveDirectoryW(directory_.c_str());
        RemoveDirectoryW(top_.c_str());
    }

    bool ok() const { return ok_; }
    const std::wstring& directory() const { return directory_; }
    std::wstring Path(const std::wstring& name) const { return directory_ + L"\\" + name; }

private:
    static bool Write(const std::wstring& path) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(file, "Tavolin\r\n", 9, &written, nullptr);
        CloseHandle(file);
        return written == 9;
    }

    std::wstring top_, directory_;
    bool ok_ = false;
};

// The children of one class, top to bottom.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND child : e2e::Children(parent))
        if (_wcsicmp(e2e::ClassName(child).c_str(), className) == 0) found.push_back(child);
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
        return e2e::WindowRectOnScreen(a).top < e2e::WindowRectOnScreen(b).top;
    });
    return found;
}

int EntryIndex(HWND list, const std::wstring& entry) {
    const Entries entries = e2e::ListEntries(list);
    const auto found = std::find(entries.begin(), entries.end(), entry);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

// Clicks (once or twice) on the entry, scrolled into view first.
void ClickEntry(HWND list, const std::wstring& entry, int clicks) {
    const int index = EntryIndex(list, entry);
    ASSERT_GE(index, 0) << "no entry " << testing::PrintToString(entry);
    SendMessageW(list, LB_SETTOPINDEX, index, 0);
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const RECT client = e2e::ClientRectOnScreen(list);
    const int y = client.top + height * (index - top) + height / 2;
    for (int i = 0; i < clicks; ++i) e2e::ClickAt(client.left + 12, y);
}

// Opens the drop-down and closes it again with two clicks, then picks the
// next entry with the arrow key, as a user may.
void ChooseNextEntry(HWND combo) {
    auto dropped = [&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
    e2e::Click(combo);
    e2e::WaitUntil(dropped);
    e2e::Click(combo);
    e2e::WaitUntil([&] { return !dropped(); });
    e2e::PressKey(VK_DOWN);
}

// Waits for a Notepad window whose title holds the text, then ends its
// process by PID.
bool EndNotepadWhenItAppears(const std::wstring& titlePart) {
    HWND window = nullptr;
    const bool appeared = e2e::WaitUntil(
        [&] {
            for (HWND candidate : e2e::TopLevelWindows())
                if (e2e::ClassName(candidate) == L"Notepad" &&
                    e2e::Text(candidate).find(titlePart) != std::wstring::npos)
                    window = candidate;
            return window != nullptr;
        },
        kProgramStartMs);
    if (!appeared) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    e2e::Process notepad(PROCESS_INFORMATION{
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid), nullptr, pid, 0});
    notepad.Terminate();
    return notepad.WaitForExit();
}

TEST(UnicodeE2e, NamesBeyondAsciiAreListedOpenedAndDeletedExactly) {
    UnicodeTree tree;
    ASSERT_TRUE(tree.ok()) << "the test files could not be made on T:";

    // Started in the test's directory: drive T: is current there, and the
    // browser opens on it.
    e2e::ParkMouse();
    const std::wstring programs = e2e::ProgramDirectory();
    e2e::Process tavolin = e2e::Start(L"\"" + programs + L"\\Tavolin.exe\"", tree.directory());
    ASSERT_NE(tavolin.pid(), 0u);
    HWND bar = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            for (HWND window : e2e::TopLevelWindows(tavolin.pid()))
                if (e2e::ClassName(window) == L"TavolinForm") bar = window;
            return bar != nullptr;
        },
        15000))
        << "the bar did not come up";

    e2e::Click(e2e::ChildByText(bar, L"Run and File Load Functions"));
    const HWND run = e2e::WaitForWindow(L"Run Program", tavolin.pid());
    ASSERT_NE(run, nullptr);
    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(kBrowserTitle, tavolin.pid());
    ASSERT_NE(browser, nullptr);
    const std::vector<HWND> combos = ChildrenOfClass(browser, L"ComboBox");
    const std::vector<HWND> lists = ChildrenOfClass(browser, L"ListBox");
    ASSERT_EQ(combos.size(), 2u);
    ASSERT_EQ(lists.size(), 2u);
    const HWND patterns = combos[1];
    // The directory list stands left of the file list.
    const bool directoriesFirst =
        e2e::WindowRectOnScreen(lists[0]).left < e2e::WindowRectOnScreen(lists[1]).left;
    const HWND directories = directoriesFirst ? lists[0] : lists[1];
    const HWND files = directoriesFirst ? lists[1] : lists[0];

    // The directory with blanks is the one shown, its name exact.
    const Entries shown = e2e::ListEntries(directories);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.at(e2e::ListSelection(directories)), L"    Мои файлы and more");

    ChooseNextEntry(patterns);
    Entries expected{L"plain.txt"};
    expected.insert(expected.begin() + 1, kUnicodeNames.begin(), kUnicodeNames.end());
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListEntries(files) == expected; }))
        << "listed: " << testing::PrintToString(e2e::ListEntries(files));

    // Each opens in Notepad, whose title names the file.
    for (const std::wstring& name : kUnicodeNames) {
        ClickEntry(files, name, 2);
        EXPECT_TRUE(EndNotepadWhenItAppears(name))
            << "no Notepad for " << testing::PrintToString(name);
        e2e::BringToFront(browser);
    }

    // Each goes after Yes, from the disk and from the list.
    const HWND deleteButton = e2e::ChildByText(browser, L"&Delete File");
    ASSERT_NE(deleteButton, nullptr);
    for (const std::wstring& name : kUnicodeNames) {
        ClickEntry(files, name, 1);
        e2e::Click(deleteButton);
        const auto box = e2e::WaitForMessageBox(L"Warning!", tavolin.pid());
        ASSERT_TRUE(box.has_value()) << "no question for " << testing::PrintToString(name);
        EXPECT_EQ(box->prompt, L"Delete: " + tree.Path(name) + L"   Are you Sure ?");
        e2e::PressButton(box->window, L"&Yes");
        EXPECT_TRUE(e2e::WaitUntil([&] { return EntryIndex(files, name) < 0; }))
            << testing::PrintToString(name) << " is still listed";
        EXPECT_FALSE(Exists(tree.Path(name))) << testing::PrintToString(name) << " is still there";
    }
    EXPECT_EQ(e2e::ListEntries(files), Entries{L"plain.txt"});
    EXPECT_TRUE(Exists(tree.Path(L"plain.txt")));
    EXPECT_TRUE(IsWindow(browser));
}

}  // namespace
