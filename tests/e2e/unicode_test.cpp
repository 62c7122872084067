// Names beyond ASCII end to end in the real Tavolin.exe: files named in
// Cyrillic, Greek, Chinese and with an emoji, in a directory with blanks on
// drive T:, are listed exactly, open in Notepad and are deleted after Yes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using Entries = std::vector<std::wstring>;

using e2e::kBrowserTitle;
using e2e::kProgramStartMs;

// In the browser's order: sorted without regard to case, by code unit.
const Entries kUnicodeNames{
    L"smile 😀.txt",
    L"Καλημέρα κόσμε.txt",
    L"Привет мир.txt",
    L"你好世界.txt",
};

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
    ~UnicodeTree() { e2e::RemoveTree(top_); }

    bool ok() const { return ok_; }
    const std::wstring& directory() const { return directory_; }
    std::wstring Path(const std::wstring& name) const { return directory_ + L"\\" + name; }

private:
    static bool Write(const std::wstring& path) { return e2e::WriteAll(path, "Tavolin\r\n"); }

    std::wstring top_, directory_;
    bool ok_ = false;
};

// The children of one class, top to bottom.
std::vector<HWND> ChildrenTopDown(HWND parent, const wchar_t* className) {
    std::vector<HWND> found = e2e::ChildrenOfClass(parent, className);
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
        return e2e::WindowRectOnScreen(a).top < e2e::WindowRectOnScreen(b).top;
    });
    return found;
}

TEST(UnicodeE2e, NamesBeyondAsciiAreListedOpenedAndDeletedExactly) {
    UnicodeTree tree;
    ASSERT_TRUE(tree.ok()) << "the test files could not be made on T:";

    // Started in the test's directory: drive T: is current there, and the
    // browser opens on it.
    const e2e::Tavolin tavolin = e2e::StartTavolin(tree.directory(), kProgramStartMs);
    ASSERT_NE(tavolin.process.pid(), 0u);
    ASSERT_NE(tavolin.bar, nullptr) << "the bar did not come up";
    const DWORD pid = tavolin.process.pid();
    const HWND bar = tavolin.bar;

    e2e::Click(e2e::BarCell(bar, L"Run and File Load Functions"));
    const HWND run = e2e::WaitForWindow(L"Run Program", pid);
    ASSERT_NE(run, nullptr);
    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(kBrowserTitle, pid);
    ASSERT_NE(browser, nullptr);
    const std::vector<HWND> combos = ChildrenTopDown(browser, L"ComboBox");
    const std::vector<HWND> lists = ChildrenTopDown(browser, L"ListBox");
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

    e2e::ChooseFromDropDown(patterns, L"", VK_DOWN);
    Entries expected{L"plain.txt"};
    expected.insert(expected.begin() + 1, kUnicodeNames.begin(), kUnicodeNames.end());
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListEntries(files) == expected; }))
        << "listed: " << testing::PrintToString(e2e::ListEntries(files));

    // Each opens in Notepad, whose title names the file.
    for (const std::wstring& name : kUnicodeNames) {
        ASSERT_TRUE(e2e::ClickEntry(files, name, 2));
        EXPECT_TRUE(e2e::EndNotepadWhenItAppears(name))
            << "no Notepad for " << testing::PrintToString(name);
        e2e::BringToFront(browser);
    }

    // Each goes after Yes, from the disk and from the list.
    const HWND deleteButton = e2e::ChildByText(browser, L"&Delete File");
    ASSERT_NE(deleteButton, nullptr);
    for (const std::wstring& name : kUnicodeNames) {
        ASSERT_TRUE(e2e::ClickEntry(files, name, 1));
        e2e::Click(deleteButton);
        const auto box = e2e::WaitForMessageBox(L"Warning!", pid);
        ASSERT_TRUE(box.has_value()) << "no question for " << testing::PrintToString(name);
        EXPECT_EQ(box->prompt, L"Delete: " + tree.Path(name) + L"   Are you Sure ?");
        e2e::PressButton(box->window, L"&Yes");
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::EntryIndex(files, name) < 0; }))
            << testing::PrintToString(name) << " is still listed";
        EXPECT_FALSE(e2e::FileExists(tree.Path(name)))
            << testing::PrintToString(name) << " is still there";
    }
    EXPECT_EQ(e2e::ListEntries(files), Entries{L"plain.txt"});
    EXPECT_TRUE(e2e::FileExists(tree.Path(L"plain.txt")));
    EXPECT_TRUE(IsWindow(browser));
}

}  // namespace
