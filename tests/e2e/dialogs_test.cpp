// The Run Program dialog and the file browser of the real Tavolin.exe: typed
// command lines, the empty-line message, the bar held while the dialog is
// open, browsing drive T:, opening a document, deleting, the unreadable
// drive U: and a path with blanks that must not start its first word.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using Entries = std::vector<std::wstring>;

using e2e::EndNotepadWhenItAppears;
using e2e::kBrowserTitle;
using e2e::kProgramStartMs;
using e2e::kRunTitle;
using e2e::NotepadWindow;

// A directory of this test on drive T:, removed with all it holds:
//   Program.exe                    would start if a path were split at its blank
//   Program Files\Tool\tool.exe    logs its start to command.log beside it
//   My Files\letter.txt keep.txt gone.txt, locked.txt (read-only)
class TestTree {
public:
    TestTree()
        : name_(L"tavolin-dialogs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64())),
          root_(L"T:\\" + name_) {
        const std::wstring standin = e2e::ProgramDirectory() + L"\\command_standin.exe";
        ok_ = CreateDirectoryW(root_.c_str(), nullptr) &&
              CreateDirectoryW(Path(L"Program Files").c_str(), nullptr) &&
              CreateDirectoryW(Path(L"Program Files\\Tool").c_str(), nullptr) &&
              CreateDirectoryW(Path(L"My Files").c_str(), nullptr) &&
              CopyFileW(standin.c_str(), Path(L"Program.exe").c_str(), FALSE) &&
              CopyFileW(standin.c_str(), Path(L"Program Files\\Tool\\tool.exe").c_str(), FALSE);
        for (const wchar_t* file : {L"letter.txt", L"keep.txt", L"gone.txt", L"locked.txt"})
            ok_ = ok_ && e2e::WriteAll(Path(std::wstring(L"My Files\\") + file), "Tavolin\r\n");
        ok_ = ok_ &&
              SetFileAttributesW(Path(L"My Files\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~TestTree() { e2e::RemoveTree(root_); }

    bool ok() const { return ok_; }
    const std::wstring& name() const { return name_; }
    std::wstring Path(const std::wstring& below) const { return root_ + L"\\" + below; }

private:
    std::wstring name_;
    std::wstring root_;
    bool ok_ = false;
};

// The children of one class, left to right, then top to bottom.
std::vector<HWND> ChildrenByPlace(HWND parent, const wchar_t* className) {
    std::vector<HWND> found = e2e::ChildrenOfClass(parent, className);
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
        const RECT ra = e2e::WindowRectOnScreen(a), rb = e2e::WindowRectOnScreen(b);
        return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
    });
    return found;
}

bool WaitForEntry(HWND list, const std::wstring& name) {
    return e2e::WaitUntil([&] { return e2e::EntryIndex(list, name) >= 0; });
}

std::wstring Chosen(HWND combo) {
    const Entries entries = e2e::ListEntries(combo);
    const int index = e2e::ListSelection(combo);
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : L"";
}

// Answers the box of this title, checking its prompt.
void Answer(DWORD pid, const std::wstring& title, const std::wstring& prompt,
            const std::wstring& button) {
    const auto box = e2e::WaitForMessageBox(title, pid);
    ASSERT_TRUE(box.has_value()) << "no message box " << testing::PrintToString(title);
    EXPECT_EQ(box->prompt, prompt);
    e2e::PressButton(box->window, button);
    EXPECT_TRUE(e2e::WaitForWindowGone(title, pid));
}

class DialogsE2e : public ::testing::Test {
protected:
    void SetUp() override {
        // tool.exe logs beside itself, not where another test's run asked.
        SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", nullptr);
        ASSERT_EQ(NotepadWindow(L""), nullptr) << "a Notepad window is already open";
        tavolin_ = e2e::StartTavolin();
        ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
        runIcon_ = e2e::ChildByText(tavolin_.bar, L"Run and File Load Functions");
        ASSERT_NE(runIcon_, nullptr);
    }

    DWORD pid() const { return tavolin_.process.pid(); }

    HWND OpenRun() {
        e2e::Click(runIcon_);
        return e2e::WaitForWindow(kRunTitle, pid());
    }

    // The browser, opened from a fresh Run dialog, with its lists.
    struct Browser {
        HWND window = nullptr;
        HWND drives = nullptr, patterns = nullptr, directories = nullptr, files = nullptr;
    };
    Browser OpenBrowser() {
        Browser browser;
        const HWND run = OpenRun();
        if (!run) return browser;
        e2e::Click(e2e::ChildByText(run, L"&Browse"));
        browser.window = e2e::WaitForWindow(kBrowserTitle, pid());
        if (!browser.window) return browser;
        const std::vector<HWND> combos = ChildrenByPlace(browser.window, L"ComboBox");
        const std::vector<HWND> lists = ChildrenByPlace(browser.window, L"ListBox");
        if (combos.size() != 2 || lists.size() != 2) return browser;
        // The drive list stands above the pattern box; the directories left of the files.
        browser.drives = combos[0];
        browser.patterns = combos[1];
        if (e2e::WindowRectOnScreen(combos[0]).top > e2e::WindowRectOnScreen(combos[1]).top)
            std::swap(browser.drives, browser.patterns);
        browser.directories = lists[0];
        browser.files = lists[1];
        return browser;
    }

    // Drive T:, then down the directory tree into the test's own directories.
    void BrowseInto(const Browser& browser, const std::vector<std::wstring>& directories) {
        e2e::ChooseFromDropDown(browser.drives, L"t");
        ASSERT_TRUE(e2e::WaitUntil([&] { return Chosen(browser.drives).starts_with(L"t:"); }));
        for (const std::wstring& directory : directories) {
            ASSERT_TRUE(WaitForEntry(browser.directories, directory));
            ASSERT_TRUE(e2e::ClickEntry(browser.directories, directory, 2));
        }
    }

    e2e::Tavolin tavolin_;
    HWND runIcon_ = nullptr;
};

TEST_F(DialogsE2e, RunDialogStartsTypedLinesRefusesAnEmptyOneAndHoldsTheBar) {
    const HWND run = OpenRun();
    ASSERT_NE(run, nullptr) << "the Run icon opened no Run Program dialog";
    EXPECT_EQ(e2e::ClassName(run), L"TavolinForm");
    const HWND line = e2e::ChildOfClass(run, L"Edit");
    ASSERT_NE(line, nullptr);
    const HWND runButton = e2e::ChildByText(run, L"&Run");
    ASSERT_NE(runButton, nullptr);
    for (const wchar_t* caption : {L"&?", L"&Browse", L"&Cancel ", L"&Command Line: "})
        EXPECT_NE(e2e::ChildByText(run, caption), nullptr) << testing::PrintToString(caption);
    const HWND focus = e2e::FocusIn(run);
    EXPECT_EQ(focus, line) << "the focus is on "
                           << testing::PrintToString(e2e::ClassName(focus) + L" " +
                                                     e2e::Text(focus));

    // The typing goes to the box whatever has the focus.
    e2e::Click(line);
    e2e::TypeText(L"notepad.exe");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Text(line) == L"notepad.exe"; }));
    e2e::PressKey(VK_RETURN);
    EXPECT_TRUE(EndNotepadWhenItAppears(L"")) << "Enter started no Notepad";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::Text(line).empty(); }));
    ASSERT_TRUE(IsWindow(run)) << "Enter closed the dialog";

    // With the dialog open the bar takes no clicks (on icons the dialog does
    // not cover): a later answer of the dialog shows that they have been
    // dealt with.
    e2e::Click(e2e::ChildByText(tavolin_.bar, L"NotePad"));
    e2e::Click(e2e::ChildByText(tavolin_.bar, L"Tavolin Help"));
    e2e::BringToFront(run);
    e2e::Click(runButton);
    Answer(pid(), L"Error", L"Enter the path and program to run", L"OK");
    EXPECT_EQ(NotepadWindow(L""), nullptr) << "the NotePad icon acted while the dialog was open";
    EXPECT_EQ(e2e::TopLevelWindows(pid()), (std::vector<HWND>{run, tavolin_.bar}));

    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kRunTitle, pid()));
    e2e::Click(e2e::ChildByText(tavolin_.bar, L"NotePad"));
    EXPECT_TRUE(EndNotepadWhenItAppears(L"")) << "the bar did not answer after the dialog closed";
}

TEST_F(DialogsE2e, BrowserOpensADocumentAndDeletesOnlyAfterYes) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.window, nullptr) << "Browse opened no browser";
    ASSERT_NE(browser.files, nullptr) << "the browser's lists were not found";
    EXPECT_EQ(Chosen(browser.patterns), L"*.exe;*.com;*.bat");
    EXPECT_EQ(e2e::Text(e2e::FocusIn(browser.window)), L"&Cancel ") << "the focus at opening";
    BrowseInto(browser, {tree.name(), L"My Files"});
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::EntryIndex(browser.directories, L"My Files") ==
                                            e2e::ListSelection(browser.directories); }));
    EXPECT_EQ(e2e::ListEntries(browser.files), Entries{}) << "only .exe files at first";

    e2e::ChooseFromDropDown(browser.patterns, L"", VK_DOWN);
    ASSERT_TRUE(e2e::WaitUntil([&] {
        return e2e::ListEntries(browser.files) ==
               Entries{L"gone.txt", L"keep.txt", L"letter.txt", L"locked.txt"};
    })) << "the documents pattern did not list the documents";

    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"letter.txt", 2));
    EXPECT_TRUE(EndNotepadWhenItAppears(L"letter.txt")) << "the document did not open in Notepad";
    ASSERT_TRUE(IsWindow(browser.window));

    const HWND deleteButton = e2e::ChildByText(browser.window, L"&Delete File");
    ASSERT_NE(deleteButton, nullptr);
    const std::wstring question = L"   Are you Sure ?";
    e2e::BringToFront(browser.window);
    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"keep.txt", 1));
    e2e::Click(deleteButton);
    Answer(pid(), L"Warning!", L"Delete: " + tree.Path(L"My Files\\keep.txt") + question, L"&No");
    EXPECT_TRUE(e2e::FileExists(tree.Path(L"My Files\\keep.txt")));
    EXPECT_GE(e2e::EntryIndex(browser.files, L"keep.txt"), 0);

    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"gone.txt", 1));
    e2e::Click(deleteButton);
    Answer(pid(), L"Warning!", L"Delete: " + tree.Path(L"My Files\\gone.txt") + question, L"&Yes");
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::EntryIndex(browser.files, L"gone.txt") < 0; }));
    EXPECT_FALSE(e2e::FileExists(tree.Path(L"My Files\\gone.txt")));
    EXPECT_EQ(Chosen(browser.patterns), L"*.doc;*.txt;*.wri;*.hlp");

    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"locked.txt", 1));
    e2e::Click(deleteButton);
    const std::wstring locked = tree.Path(L"My Files\\locked.txt");
    Answer(pid(), L"Warning!", L"Delete: " + locked + question, L"&Yes");
    Answer(pid(), e2e::SystemText(ERROR_ACCESS_DENIED), L"Cannot delete: " + locked, L"OK");
    EXPECT_TRUE(e2e::FileExists(locked));
    EXPECT_EQ(e2e::ListEntries(browser.files),
              (Entries{L"keep.txt", L"letter.txt", L"locked.txt"}));
    EXPECT_EQ(e2e::ListSelection(browser.files), e2e::EntryIndex(browser.files, L"locked.txt"));
}

TEST_F(DialogsE2e, AnUnreadableDriveFallsBackToTheDriveOfTheOpening) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.files, nullptr);
    const std::wstring opening = Chosen(browser.drives);
    const std::wstring openingRoot = e2e::ListEntries(browser.directories).at(0);
    ASSERT_FALSE(opening.starts_with(L"t:"));
    BrowseInto(browser, {tree.name()});

    e2e::ChooseFromDropDown(browser.drives, L"u");
    Answer(pid(), L"Drive Error", L"Error reading Drive u:", L"OK");
    EXPECT_TRUE(e2e::WaitUntil([&] { return Chosen(browser.drives) == opening; }))
        << "the drive list is on " << testing::PrintToString(Chosen(browser.drives));
    EXPECT_EQ(e2e::ListEntries(browser.directories).at(0), openingRoot);
    EXPECT_TRUE(IsWindow(browser.window));
}

TEST_F(DialogsE2e, APathWithBlanksStartsItsOwnProgramNotItsFirstWord) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    const std::wstring toolLog = tree.Path(L"Program Files\\Tool\\command.log");
    const std::wstring plantedLog = tree.Path(L"command.log");

    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.files, nullptr);
    BrowseInto(browser, {tree.name(), L"Program Files", L"Tool"});
    ASSERT_TRUE(WaitForEntry(browser.files, L"tool.exe"));
    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"tool.exe", 1));
    e2e::Click(e2e::ChildByText(browser.window, L"&Run/Open "));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(toolLog); }, kProgramStartMs))
        << "tool.exe did not start from the browser";
    EXPECT_FALSE(e2e::FileExists(plantedLog)) << "Program.exe started in its place";

    // Typed in the Run dialog within quotes, the same path starts the same program.
    DeleteFileW(toolLog.c_str());
    e2e::Click(e2e::ChildByText(browser.window, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kBrowserTitle, pid()));
    const HWND run = e2e::WaitForWindow(kRunTitle, pid());
    ASSERT_NE(run, nullptr);
    const HWND line = e2e::ChildOfClass(run, L"Edit");
    e2e::Click(line);
    e2e::TypeText(L"\"" + tree.Path(L"Program Files\\Tool\\tool.exe") + L"\"");
    e2e::PressKey(VK_RETURN);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(toolLog); }, kProgramStartMs))
        << "the quoted path did not start tool.exe";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::Text(line).empty(); }));
    EXPECT_FALSE(e2e::FileExists(plantedLog)) << "Program.exe started in its place";
}

}  // namespace
