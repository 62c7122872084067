// The Run Program dialog and the file browser of the real Tavolin.exe: typed
// command lines, the empty-line message, the bar held while the dialog is
// open, browsing drive T:, opening a document, deleting, the unreadable
// drive U: and a path with blanks that must not start its first word.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

// A network share of the test's own, \\\\tavolin-<pid>\\share, which Wine keeps
// as a folder of its prefix (dosdevices\\unc\\SERVER\\SHARE); removed with all
// it holds.
class TestShare {
public:
    TestShare() : server_(L"tavolin-" + std::to_wstring(GetCurrentProcessId())) {
        wchar_t prefix[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        std::wstring unc = L"Z:" + std::wstring(prefix) + L"\\dosdevices\\unc";
        std::replace(unc.begin(), unc.end(), L'/', L'\\');
        CreateDirectoryW(unc.c_str(), nullptr);  // there already, after another test
        host_ = unc + L"\\" + server_;
        ok_ = CreateDirectoryW(host_.c_str(), nullptr) &&
              CreateDirectoryW((host_ + L"\\share").c_str(), nullptr);
    }
    ~TestShare() {
        if (!host_.empty()) e2e::RemoveTree(host_);
    }

    bool ok() const { return ok_; }
    std::wstring Path() const { return L"\\\\" + server_ + L"\\share"; }

private:
    std::wstring server_;
    std::wstring host_;
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
        StartBar();
    }

    void StartBar() {
        tavolin_ = e2e::StartTavolin();
        ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
        runIcon_ = e2e::BarCell(tavolin_.bar, L"Run and File Load Functions");
        ASSERT_TRUE(runIcon_);
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
    e2e::Target runIcon_{nullptr};
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
    e2e::Click(e2e::BarCell(tavolin_.bar, L"NotePad"));
    e2e::Click(e2e::BarCell(tavolin_.bar, L"Tavolin Help"));
    e2e::BringToFront(run);
    e2e::Click(runButton);
    Answer(pid(), L"Error", L"Enter the path and program to run", L"OK");
    EXPECT_EQ(NotepadWindow(L""), nullptr) << "the NotePad icon acted while the dialog was open";
    EXPECT_EQ(e2e::TopLevelWindows(pid()), (std::vector<HWND>{run, tavolin_.bar}));

    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kRunTitle, pid()));
    e2e::Click(e2e::BarCell(tavolin_.bar, L"NotePad"));
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
    ASSERT_TRUE(e2e::WaitUntil([&] {
        return e2e::EntryIndex(browser.directories, L"My Files") ==
               e2e::ListSelection(browser.directories);
    }));
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

// The browser's file list, the pattern box on programs or documents.
void ChoosePattern(HWND patterns, bool documents) {
    e2e::ChooseFromDropDown(patterns, L"", VK_DOWN);
    if (!documents) e2e::ChooseFromDropDown(patterns, L"", VK_UP);
}

TEST_F(DialogsE2e, ANameEndingInADotIsActedOnItselfOrRefusedNeverItsNeighbour) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    // "sub." next to "sub": the plain form of a path into the first reaches
    // the second. Each holds a victim.txt and a program that logs its start.
    const std::wstring dotted = L"\\\\?\\" + tree.Path(L"sub.");
    const std::wstring standin = e2e::ProgramDirectory() + L"\\command_standin.exe";
    ASSERT_TRUE(CreateDirectoryW(dotted.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(tree.Path(L"sub").c_str(), nullptr));
    ASSERT_TRUE(e2e::WriteAll(dotted + L"\\victim.txt", "dot\r\n"));
    ASSERT_TRUE(e2e::WriteAll(tree.Path(L"sub\\victim.txt"), "plain\r\n"));
    ASSERT_TRUE(e2e::WriteAll(tree.Path(L"sub\\other.txt"), "plain\r\n"));
    ASSERT_TRUE(CopyFileW(standin.c_str(), (dotted + L"\\prog.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(standin.c_str(), tree.Path(L"sub\\prog.exe").c_str(), FALSE));

    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.files, nullptr);
    BrowseInto(browser, {tree.name(), L"sub."});
    ChoosePattern(browser.patterns, true);
    ASSERT_TRUE(e2e::WaitUntil([&] {
        return e2e::ListEntries(browser.files) == Entries{L"victim.txt"};
    })) << "the file list does not show the files of sub.";

    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"victim.txt", 1));
    e2e::Click(e2e::ChildByText(browser.window, L"&Delete File"));
    Answer(pid(), L"Warning!", L"Delete: " + tree.Path(L"sub.\\victim.txt") + L"   Are you Sure ?",
           L"&Yes");
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ListEntries(browser.files).empty(); }));
    EXPECT_FALSE(e2e::FileExists(dotted + L"\\victim.txt")) << "the file shown was not deleted";
    EXPECT_EQ(e2e::FileContents(tree.Path(L"sub\\victim.txt")), "plain\r\n")
        << "the neighbour's file was deleted";

    // A program there cannot be started as itself: refused, neither started.
    ChoosePattern(browser.patterns, false);
    ASSERT_TRUE(WaitForEntry(browser.files, L"prog.exe"));
    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"prog.exe", 1));
    e2e::Click(e2e::ChildByText(browser.window, L"&Run/Open "));
    const auto refusal = e2e::WaitForMessageBox(L"Error", pid());
    ASSERT_TRUE(refusal.has_value()) << "running prog.exe in sub. was not refused";
    EXPECT_TRUE(refusal->prompt.starts_with(L"Cannot run or open: " + tree.Path(L"sub.\\prog.exe")))
        << e2e::Utf8(refusal->prompt);
    e2e::PressButton(refusal->window, L"OK");
    EXPECT_TRUE(e2e::WaitForWindowGone(L"Error", pid()));
    Sleep(1000);  // time for a wrongly started program to log
    EXPECT_FALSE(e2e::FileExists(tree.Path(L"sub\\command.log"))) << "the neighbour's program ran";
    EXPECT_FALSE(e2e::FileExists(dotted + L"\\command.log"));
    e2e::RemoveTree(dotted);
}

TEST_F(DialogsE2e, BatchFilesRunAsThemselvesWhateverTheInterpreterWouldReadInTheirNames) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    const std::wstring folder = tree.Path(L"Batches");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    wchar_t architecture[64] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"PROCESSOR_ARCHITECTURE", architecture, 64), 0u);
    // Each batch file leaves a mark of its own; the decoys are what the
    // interpreter would run instead, read without quotes.
    struct Batch {
        std::wstring name, mark;
    };
    const std::vector<Batch> batches = {
        {L"x&hxmark&.bat", L"ran-amp"},
        {L"x^y.bat", L"ran-caret"},
        {L"xy.bat", L"ran-caret-decoy"},
        {L"50%off.bat", L"ran-lone-percent"},
        {L"run!.bat", L"ran-exclamation"},
        {L"%PROCESSOR_ARCHITECTURE%.bat", L"ran-percent"},
        {std::wstring(architecture) + L".bat", L"ran-percent-decoy"},
    };
    const auto mark = [&](const std::wstring& name) { return folder + L"\\" + name + L".txt"; };
    for (const Batch& batch : batches)
        ASSERT_TRUE(e2e::WriteAll(folder + L"\\" + batch.name,
                                  "@echo ran>\"" + e2e::Utf8(mark(batch.mark)) + "\"\r\n"));

    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.files, nullptr);
    BrowseInto(browser, {tree.name(), L"Batches"});
    ChoosePattern(browser.patterns, false);
    ASSERT_TRUE(WaitForEntry(browser.files, L"x^y.bat"));
    const HWND runButton = e2e::ChildByText(browser.window, L"&Run/Open ");

    // A lone % and, with delayed expansion off, a ! are the interpreter's
    // no more than the rest.
    for (const Batch& batch : {batches[0], batches[1], batches[3], batches[4]}) {
        ASSERT_TRUE(e2e::ClickEntry(browser.files, batch.name, 1));
        e2e::Click(runButton);
        EXPECT_TRUE(
            e2e::WaitUntil([&] { return e2e::FileExists(mark(batch.mark)); }, kProgramStartMs))
            << e2e::Utf8(batch.name) << " did not run";
    }

    // Quotes do not keep the interpreter from expanding a variable: refused.
    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"%PROCESSOR_ARCHITECTURE%.bat", 1));
    e2e::Click(runButton);
    const auto refusal = e2e::WaitForMessageBox(L"Error", pid());
    ASSERT_TRUE(refusal.has_value()) << "a batch file with % in its name was not refused";
    EXPECT_TRUE(refusal->prompt.starts_with(L"Cannot run or open: " + folder +
                                            L"\\%PROCESSOR_ARCHITECTURE%.bat\r"))
        << e2e::Utf8(refusal->prompt);
    e2e::PressButton(refusal->window, L"OK");
    EXPECT_TRUE(e2e::WaitForWindowGone(L"Error", pid()));
    Sleep(1000);  // time for a wrongly started batch file to leave its mark
    for (const wchar_t* decoy : {L"ran-caret-decoy", L"ran-percent-decoy", L"ran-percent"})
        EXPECT_FALSE(e2e::FileExists(mark(decoy))) << e2e::Utf8(decoy);
}

// Started in a share's folder, where the current directory has no drive
// letter: the browser runs and deletes the share's files by their full
// paths, also after a start has made the Windows directory current, never
// the Windows directory's files of the same names.
TEST_F(DialogsE2e, OnAShareTheBrowserActsOnTheFilesItShows) {
    TestShare share;
    ASSERT_TRUE(share.ok()) << "no share could be made";
    const std::wstring sub = L"tavolin-sub-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring shared = share.Path() + L"\\" + sub;
    const std::wstring decoys = e2e::WindowsDirectory() + L"\\" + sub;
    const struct Removed {
        std::wstring path;
        ~Removed() { e2e::RemoveTree(path); }
    } removed{decoys};
    const std::wstring standin = e2e::ProgramDirectory() + L"\\command_standin.exe";
    for (const std::wstring& folder : {shared, decoys}) {
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ASSERT_TRUE(CopyFileW(standin.c_str(), (folder + L"\\prog.exe").c_str(), FALSE));
        ASSERT_TRUE(e2e::WriteAll(folder + L"\\victim.txt", "Tavolin\r\n"));
    }
    // As if started from a shortcut whose start folder is the share.
    {
        const e2e::ControlProbe probe(tavolin_.bar);
        ASSERT_TRUE(probe.ready());
        ASSERT_TRUE(probe.MakeCurrent(tavolin_.bar, share.Path()));
    }
    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.files, nullptr);
    ASSERT_TRUE(WaitForEntry(browser.directories, share.Path()))
        << "the lists are not on the share";
    ASSERT_TRUE(WaitForEntry(browser.directories, sub));
    ASSERT_TRUE(e2e::ClickEntry(browser.directories, sub, 2));
    ASSERT_TRUE(WaitForEntry(browser.files, L"prog.exe"));

    const HWND runButton = e2e::ChildByText(browser.window, L"&Run/Open ");
    for (size_t run = 1; run <= 2; ++run) {
        ASSERT_TRUE(e2e::ClickEntry(browser.files, L"prog.exe", 1));
        e2e::Click(runButton);
        EXPECT_TRUE(e2e::WaitUntil(
            [&] { return e2e::ReadLines(shared + L"\\command.log").size() == 2 * run; },
            kProgramStartMs))
            << "start " << run << " did not run the share's program";
    }
    Sleep(1000);  // time for a wrongly started program to log
    EXPECT_FALSE(e2e::FileExists(decoys + L"\\command.log")) << "the Windows directory's ran";

    ChoosePattern(browser.patterns, true);
    ASSERT_TRUE(WaitForEntry(browser.files, L"victim.txt"));
    ASSERT_TRUE(e2e::ClickEntry(browser.files, L"victim.txt", 1));
    e2e::Click(e2e::ChildByText(browser.window, L"&Delete File"));
    Answer(pid(), L"Warning!", L"Delete: " + shared + L"\\victim.txt   Are you Sure ?", L"&Yes");
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::FileExists(shared + L"\\victim.txt"); }))
        << "the file shown was not deleted";
    EXPECT_TRUE(e2e::FileExists(decoys + L"\\victim.txt")) << "the Windows directory's was";
}

TEST_F(DialogsE2e, ADoubleClickOnADialogsButtonActsOnceAndNeverReachesTheBarUnderIt) {
    // The DOS prompt's icon and Explorer's lie under "&Run" and "&Cancel ".
    const std::wstring log = e2e::WindowsDirectory() + L"\\command.log";
    DeleteFileW(log.c_str());
    e2e::CommandStandIn command(log);
    ASSERT_TRUE(command.placed()) << "could not place the stand-in command.com";

    HWND run = OpenRun();
    ASSERT_NE(run, nullptr);
    e2e::Click(e2e::ChildOfClass(run, L"Edit"));
    e2e::TypeText(L"notepad.exe");
    e2e::DoubleClick(e2e::ChildByText(run, L"&Run"));
    EXPECT_TRUE(EndNotepadWhenItAppears(L"")) << "&Run started nothing";
    ASSERT_TRUE(e2e::WaitForWindowGone(kRunTitle, pid()));

    run = OpenRun();
    ASSERT_NE(run, nullptr);
    e2e::DoubleClick(e2e::ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kRunTitle, pid()));

    Sleep(1500);  // time for a command the second clicks set off to start
    EXPECT_FALSE(e2e::FileExists(log)) << "the DOS prompt was started";
    EXPECT_EQ(e2e::Descendants(pid()).size(), 0u) << "a program was started";
    EXPECT_EQ(e2e::TopLevelWindows(pid()), std::vector<HWND>{tavolin_.bar});
    e2e::EndProcesses(e2e::Descendants(pid()));
    DeleteFileW(log.c_str());
}

TEST_F(DialogsE2e, AFolderOfFiveThousandProgramsIsListedDeletedFromAndLeftAtOnce) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    const std::wstring folder = tree.Path(L"Many");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    constexpr int kFiles = 5000;
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\p%05d.exe", i);
        const HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }

    // Each step must be over within the driver's usual wait, which a list
    // filled entry by entry, drawn each time, overran by far.
    const Browser browser = OpenBrowser();
    ASSERT_NE(browser.files, nullptr);
    BrowseInto(browser, {tree.name(), L"Many"});
    const auto count = [&] { return e2e::ListCount(browser.files); };
    EXPECT_TRUE(e2e::WaitUntil([&] { return count() == kFiles; })) << count() << " listed";
    ChoosePattern(browser.patterns, true);
    EXPECT_TRUE(e2e::WaitUntil([&] { return count() == 0; })) << count() << " listed";
    ChoosePattern(browser.patterns, false);
    EXPECT_TRUE(e2e::WaitUntil([&] { return count() == kFiles; })) << count() << " listed";

    e2e::ClickEntryAt(browser.files, 2500);
    e2e::Click(e2e::ChildByText(browser.window, L"&Delete File"));
    Answer(pid(), L"Warning!", L"Delete: " + folder + L"\\p02500.exe   Are you Sure ?", L"&Yes");
    EXPECT_TRUE(e2e::WaitUntil([&] { return count() == kFiles - 1; })) << count() << " listed";

    e2e::Click(e2e::ChildByText(browser.window, L"&Cancel "));
    EXPECT_TRUE(e2e::WaitForWindowGone(kBrowserTitle, pid()));
}

// A close request (End task, taskkill) to the bar while a modal window of
// the program is open ends the program, and nothing is deleted on the way.
TEST_F(DialogsE2e, ACloseRequestUnderAModalWindowEndsTheProgramAndDeletesNothing) {
    TestTree tree;
    ASSERT_TRUE(tree.ok());
    const std::wstring keep = tree.Path(L"My Files\\keep.txt");
    enum class Open { RunDialog, Browser, DeleteQuestion, AboutBox };
    for (Open open : {Open::RunDialog, Open::Browser, Open::DeleteQuestion, Open::AboutBox}) {
        SCOPED_TRACE(static_cast<int>(open));
        if (!tavolin_.process.Running()) {
            ASSERT_NO_FATAL_FAILURE(StartBar());
        }
        switch (open) {
            case Open::RunDialog:
                ASSERT_NE(OpenRun(), nullptr);
                break;
            case Open::Browser:
                ASSERT_NE(OpenBrowser().window, nullptr);
                break;
            case Open::DeleteQuestion: {
                const Browser browser = OpenBrowser();
                ASSERT_NE(browser.files, nullptr);
                BrowseInto(browser, {tree.name(), L"My Files"});
                ChoosePattern(browser.patterns, true);
                ASSERT_TRUE(WaitForEntry(browser.files, L"keep.txt"));
                ASSERT_TRUE(e2e::ClickEntry(browser.files, L"keep.txt", 1));
                e2e::Click(e2e::ChildByText(browser.window, L"&Delete File"));
                ASSERT_TRUE(e2e::WaitForMessageBox(L"Warning!", pid()).has_value());
                break;
            }
            case Open::AboutBox:
                e2e::Click(e2e::ChildByText(tavolin_.bar, L"?"));
                ASSERT_TRUE(e2e::WaitForMessageBox(L"About?", pid()).has_value());
                break;
        }
        const ULONGLONG asked = GetTickCount64();
        PostMessageW(tavolin_.bar, WM_CLOSE, 0, 0);
        EXPECT_TRUE(tavolin_.process.WaitForExit()) << "the program did not end";
        std::printf("ended %llu ms after the close request\n", GetTickCount64() - asked);
        EXPECT_TRUE(e2e::TopLevelWindows(pid()).empty());
        EXPECT_TRUE(e2e::FileExists(keep)) << "a file was deleted on the way out";
        tavolin_.process.Terminate();  // one that did not end would hold the next round
    }
}

}  // namespace
