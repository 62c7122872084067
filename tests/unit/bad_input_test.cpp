// Hostile and unlucky input and faults: whatever the user types, whatever
// the disks and the shell do meanwhile, the program shows one fitting message
// or none, asks the desktop for exactly what it should, keeps running, and
// changes nothing on disk unless the user said Yes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "bar/frm_main.h"
#include "dialogs/frm_brow.h"
#include "dialogs/frm_run.h"
#include "bar_control.h"
#include "recording_desktop.h"
#include "ui/headless/headless.h"

namespace tavolin {
namespace {

using testing::BarControl;
using testing::Narrow;
using testing::RecordingDesktop;
using testing::Telephone;
using Calls = std::vector<std::string>;
using Names = std::vector<std::wstring>;

const LaunchContext kContext{L"C:\\WINDOWS", L"C:\\"};

// The system's texts for faults the recording desktop does not know itself.
constexpr wchar_t kTooLong[] = L"The filename or extension is too long.";
constexpr wchar_t kInUse[] =
    L"The process cannot access the file because it is being used by another process.";
// Command lines of this length and more do not fit the system's limit.
constexpr size_t kCommandLineLimit = 32767;

const std::string kTooShort = "ShowMessage(\" was not found\", 32, \"Program name too short\")";
const std::string kExitError =
    "ShowMessage(\"Error in closing Windows 95 Program Manager\", 32, \"Error\")";
const std::string kActivate = "ActivateWindow(\"Program Manager\")";

Calls Started(const std::wstring& commandLine, const std::wstring& windowsDir = L"C:\\WINDOWS") {
    return {"RunCommand(\"" + Narrow(commandLine) + "\", 1)",
            "ChangeDrive(\"" + Narrow(windowsDir) + "\")",
            "ChangeDirectory(\"" + Narrow(windowsDir) + "\")"};
}

Calls NotStarted(const std::wstring& commandLine, const std::wstring& title) {
    return {"RunCommand(\"" + Narrow(commandLine) + "\", 1)",
            "ShowMessage(\"" + Narrow(commandLine) + " was not found\", 32, \"" + Narrow(title) +
                "\")"};
}

Calls Times(int count, const Calls& group) {
    Calls all;
    for (int i = 0; i < count; ++i) all.insert(all.end(), group.begin(), group.end());
    return all;
}

Names Entries(const ui::ListBox& box) {
    Names entries;
    for (int i = 0; i < box.Count(); ++i) entries.push_back(box.Entry(i));
    return entries;
}

void SelectFile(FileList& files, const std::wstring& name) {
    for (int i = 0; i < files.box.Count(); ++i)
        if (files.box.Entry(i) == name) return files.box.Select(i);
    FAIL() << "not listed: " << Narrow(name);
}

// The recording desktop with the faults of a real system: command lines over
// the system's limit, and deletions refused with a reason of their own.
class FaultyDesktop : public RecordingDesktop {
public:
    std::map<std::wstring, std::wstring> deleteFailures;  // path: the system's text

    Outcome RunCommand(const std::wstring& commandLine, int windowStyle) override {
        const Outcome outcome = RecordingDesktop::RunCommand(commandLine, windowStyle);
        if (commandLine.size() >= kCommandLineLimit) return Failure{kTooLong};
        return outcome;
    }
    Outcome DeleteFile(const std::wstring& path) override {
        const auto fault = deleteFailures.find(path);
        if (fault == deleteFailures.end()) return RecordingDesktop::DeleteFile(path);
        calls.push_back("DeleteFile(\"" + Narrow(path) + "\")");
        return Failure{fault->second};
    }
};

TEST(BadInput, HostileCommandLinesGiveOneFittingAnswerAndTouchNoFile) {
    const std::wstring longProgram = L"C:\\" + std::wstring(31993, L'a') + L".exe";
    ASSERT_EQ(longProgram.size(), 32000u);
    // Short enough to type, too long once NotePad's path is put before it.
    const std::wstring longDocument = std::wstring(32740, L'n') + L".txt";
    const std::wstring longNotePad = L"C:\\WINDOWS\\NOTEPAD.EXE " + longDocument + L" ";
    ASSERT_LT(longDocument.size(), kCommandLineLimit);
    ASSERT_GE(longNotePad.size(), kCommandLineLimit);

    struct Case {
        const char* what;
        std::wstring typed;
        bool startable;  // whether the system finds what the line names
        Calls calls;
    };
    const Case cases[] = {
        {"32,000 characters", longProgram, true, Started(longProgram + L" ")},
        {"over the limit with the accessory", longDocument, true,
         NotStarted(longNotePad, kTooLong)},
        {"blanks only", L"      ", true, {kTooShort}},
        {"a lone quote", L"\"", true, {kTooShort}},
        // Long enough as typed, quotes included: started as typed.
        {"quotes around nothing", L"\"\"\"\"", false,
         NotStarted(L"\"\"\"\" ", testing::kFileNotFound)},
        {"a short name in quotes", L"\"abc\"", true, Started(L"\"abc\" ")},
        // NotePad is given the text as typed and resolves it itself.
        {"an opening quote only", L"\"C:\\My Files\\letter.txt", true,
         Started(L"C:\\WINDOWS\\NOTEPAD.EXE \"C:\\My Files\\letter.txt ")},
        {"a closing quote only", L"letter.txt\"", false,
         NotStarted(L"letter.txt\" ", testing::kFileNotFound)},
        // No shell sees the line: nothing is expanded, chained or redirected.
        {"percent signs", L"%WINDIR%\\NOTEPAD.EXE", false,
         NotStarted(L"%WINDIR%\\NOTEPAD.EXE ", testing::kFileNotFound)},
        {"carets and ampersands", L"CALC.EXE ^& del *.* > C:\\AUTOEXEC.BAT", true,
         Started(L"CALC.EXE ^& del *.* > C:\\AUTOEXEC.BAT ")},
        {"a percent sign in a document name", L"100%.txt", true,
         Started(L"C:\\WINDOWS\\NOTEPAD.EXE 100%.txt ")},
        // Device names: too short to carry an extension, or handed to the
        // accessory as any other document name.
        {"the device CON", L"CON", true, {kTooShort}},
        {"the device NUL", L"NUL", true, {kTooShort}},
        {"the device CON.TXT", L"CON.TXT", true, Started(L"C:\\WINDOWS\\NOTEPAD.EXE CON.TXT ")},
        {"the device NUL.EXE", L"NUL.EXE", false, NotStarted(L"NUL.EXE ", testing::kFileNotFound)},
    };
    for (const Case& c : cases) {
        FaultyDesktop desktop;
        desktop.AddFile(L"C:\\AUTOEXEC.BAT");
        desktop.AddFile(L"C:\\My Files\\letter.txt");
        desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
        if (!c.startable) desktop.missingPrograms.insert(c.typed + L" ");
        const std::set<std::wstring> files = desktop.files, directories = desktop.directories;

        FrmRun run(desktop, kContext);
        run.Show();
        ui::headless::Type(run.Text1, c.typed);
        run.CmdOk.Click();
        EXPECT_EQ(desktop.calls, c.calls) << c.what;
        EXPECT_FALSE(run.IsOpen()) << c.what;
        EXPECT_EQ(run.Text1.Text(), L"") << c.what;
        EXPECT_EQ(desktop.files, files) << c.what;
        EXPECT_EQ(desktop.directories, directories) << c.what;
        EXPECT_EQ(desktop.CurrentDirectory(), L"C:\\WINDOWS") << c.what;
    }
}

// Drive C: on C:\WINDOWS, where the browser opens, with a directory DOOMED
// that another program is about to remove.
struct Disks {
    FaultyDesktop desktop;
    Disks() {
        for (const wchar_t* name : {L"A.EXE", L"VICTIM.EXE", L"Z.EXE"})
            desktop.AddFile(std::wstring(L"C:\\WINDOWS\\") + name);
        desktop.AddFile(L"C:\\WINDOWS\\DOOMED\\TOOL.EXE");
        desktop.AddFile(L"C:\\WINDOWS\\DOOMED\\NOTES.TXT");
        desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
    }
    void RemoveDoomed() {
        desktop.files.erase(L"C:\\WINDOWS\\DOOMED\\TOOL.EXE");
        desktop.files.erase(L"C:\\WINDOWS\\DOOMED\\NOTES.TXT");
        desktop.directories.erase(L"C:\\WINDOWS\\DOOMED");
    }
};

std::string DeleteQuestion(const std::wstring& path) {
    return "ShowMessage(\"Delete: " + Narrow(path) + "   Are you Sure ?\", 52, \"Warning!\")";
}

Calls DeleteRefused(const std::wstring& path, const std::wstring& reason) {
    return {DeleteQuestion(path), "DeleteFile(\"" + Narrow(path) + "\")",
            "ShowMessage(\"Cannot delete: " + Narrow(path) + "\", 64, \"" + Narrow(reason) + "\")"};
}

TEST(BadInput, ADeletionTheSystemRefusesNamesThePathAndLeavesFileAndList) {
    const std::wstring victim = L"C:\\WINDOWS\\VICTIM.EXE";
    struct Case {
        const char* what;
        std::function<void(FaultyDesktop&)> fault;
        std::wstring reason;
        bool fileStays;
    };
    const Case cases[] = {
        {"deleted by another program since it was listed",
         [&](FaultyDesktop& d) { d.files.erase(victim); }, testing::kFileNotFound, false},
        {"read-only", [&](FaultyDesktop& d) { d.undeletable.insert(victim); },
         testing::kAccessDenied, true},
        {"open in another program without sharing",
         [&](FaultyDesktop& d) { d.deleteFailures[victim] = kInUse; }, kInUse, true},
    };
    for (const Case& c : cases) {
        Disks disks;
        FrmBrow browser(disks.desktop, kContext);
        browser.Show();
        const Names listed = Entries(browser.File1.box);
        ASSERT_EQ(listed, (Names{L"A.EXE", L"VICTIM.EXE", L"Z.EXE"}));
        SelectFile(browser.File1, L"VICTIM.EXE");
        c.fault(disks.desktop);
        const std::set<std::wstring> files = disks.desktop.files;

        disks.desktop.answers = {mb::kAnswerYes};
        browser.Command1.Click();
        EXPECT_EQ(disks.desktop.calls, DeleteRefused(victim, c.reason)) << c.what;
        EXPECT_EQ(disks.desktop.files, files) << c.what;
        EXPECT_EQ(disks.desktop.files.count(victim) == 1, c.fileStays) << c.what;
        EXPECT_EQ(Entries(browser.File1.box), listed) << c.what << ": the list is left alone";
        EXPECT_EQ(browser.File1.FileName(), L"VICTIM.EXE") << c.what;
        EXPECT_TRUE(browser.IsOpen()) << c.what;
    }
}

TEST(BadInput, ADirectoryRemovedWhileShownLeavesTheBrowserUsable) {
    Disks disks;
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();
    ASSERT_TRUE(browser.Dir1.SetPath(L"C:\\WINDOWS\\DOOMED").ok());
    ASSERT_EQ(Entries(browser.File1.box), Names{L"TOOL.EXE"});
    SelectFile(browser.File1, L"TOOL.EXE");
    disks.RemoveDoomed();
    const std::wstring tool = L"C:\\WINDOWS\\DOOMED\\TOOL.EXE";
    disks.desktop.missingPrograms = {tool + L" "};

    // Run: the launcher's own message; the browser stays as it was.
    browser.CmdRun.Click();
    EXPECT_EQ(disks.desktop.calls, NotStarted(tool + L" ", testing::kFileNotFound));

    // Delete after Yes: refused by the system; nothing else is deleted.
    disks.desktop.Forget();
    const std::set<std::wstring> files = disks.desktop.files;
    disks.desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    EXPECT_EQ(disks.desktop.calls, DeleteRefused(tool, testing::kFileNotFound));
    EXPECT_EQ(disks.desktop.files, files);

    // Choosing a pattern cannot re-read the directory: the lists stay, silently.
    disks.desktop.Forget();
    browser.Combo1.Select(1);
    EXPECT_TRUE(disks.desktop.calls.empty());
    EXPECT_EQ(browser.Dir1.Path(), L"C:\\WINDOWS\\DOOMED");
    EXPECT_EQ(Entries(browser.File1.box), Names{L"TOOL.EXE"});
    EXPECT_EQ(browser.File1.FileName(), L"TOOL.EXE");

    // The tree above is still there to leave by.
    browser.Dir1.box.Select(1);
    browser.Dir1.box.DblClick();
    EXPECT_EQ(browser.Dir1.Path(), L"C:\\WINDOWS");
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"A.EXE", L"VICTIM.EXE", L"Z.EXE"}));
    EXPECT_TRUE(browser.IsOpen());
}

TEST(BadInput, TenThousandFilesAreListedSortedAndOneIsDeleted) {
    constexpr int kCount = 10000;
    RecordingDesktop desktop;
    desktop.AddDirectory(L"C:\\MANY");
    desktop.drives[L'C'].currentDirectory = L"C:\\MANY";
    // Added in a scrambled order, names of mixed case.
    for (int i = 0; i < kCount; ++i) {
        const int n = (i * 7919) % kCount;
        wchar_t name[16];
        swprintf(name, 16, n % 2 ? L"f%05d.exe" : L"F%05d.EXE", n);
        desktop.AddFile(std::wstring(L"C:\\MANY\\") + name);
    }
    FrmBrow browser(desktop, kContext);
    browser.Show();
    const Names listed = Entries(browser.File1.box);
    ASSERT_EQ(listed.size(), static_cast<size_t>(kCount));
    EXPECT_EQ(listed.front(), L"F00000.EXE");
    EXPECT_EQ(listed[1], L"f00001.exe");
    EXPECT_EQ(listed.back(), L"f09999.exe");
    for (int i = 0; i < kCount; ++i)
        if (std::stoi(listed[i].substr(1, 5)) != i) FAIL() << "out of order at " << i;

    SelectFile(browser.File1, L"F05000.EXE");
    desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    EXPECT_EQ(browser.File1.box.Count(), kCount - 1);
    EXPECT_EQ(browser.File1.box.Entry(5000), L"f05001.exe");
    EXPECT_EQ(desktop.files.size(), static_cast<size_t>(kCount - 1));
}

// A shell window that closes just after it was brought to the front, so the
// keys find nothing to go to.
class ClosingShellDesktop : public RecordingDesktop {
public:
    Outcome ActivateWindow(const std::wstring& title) override {
        const Outcome outcome = RecordingDesktop::ActivateWindow(title);
        windows.erase(title);
        return outcome;
    }
    Outcome SendKeystrokes(const std::wstring& keys) override {
        keystrokesFail = windows.empty();
        return RecordingDesktop::SendKeystrokes(keys);
    }
};

TEST(BadInput, AMissingOrClosingShellIsReportedOnlyByExitWindows) {
    struct Case {
        const char* what;
        bool present;  // a "Program Manager" window at the click
        Calls exitWindows, startMenu;
    };
    const Case cases[] = {
        {"no shell window", false, {kActivate, kExitError}, {kActivate}},
        {"the window closes during the keys",
         true,
         {kActivate, "SendKeystrokes(\"%{F4}\")", kExitError},
         {kActivate, "SendKeystrokes(\"{TAB}{ENTER}{F}{F}\")"}},
    };
    for (const Case& c : cases) {
        for (const bool exit : {true, false}) {
            ClosingShellDesktop desktop;
            FrmMain bar(desktop);
            bar.Show();
            desktop.Forget();
            if (!c.present) desktop.windows.clear();
            (exit ? BarControl(bar, L"Exit Windows") : BarControl(bar, L"Find Files")).Click();
            EXPECT_EQ(desktop.calls, exit ? c.exitWindows : c.startMenu)
                << c.what << (exit ? ", Exit Windows" : ", Find Files");
            EXPECT_TRUE(bar.IsOpen());
            EXPECT_TRUE(bar.Enabled());
            EXPECT_EQ(bar.Title(), L"");
        }
    }
}

TEST(BadInput, AWindowsDirectoryAtTheRootGivesNoDoubledBackslash) {
    RecordingDesktop desktop;
    desktop.windowsDir = L"C:\\";
    FrmMain bar(desktop);
    bar.Show();
    EXPECT_EQ(bar.Context().WindowsDir, L"C:\\");
    EXPECT_EQ(bar.Context().WindowsRoot, L"C:\\");

    desktop.Forget();
    BarControl(bar, L"WordPad").Click();
    BarControl(bar, L"DOS Prompt").Click();
    Calls expected = Started(L"C:\\progra~1\\access~1\\WORDPAD.EXE ", L"C:\\");
    expected.insert(expected.end(),
                    {"ChangeDirectory(\"C:\\\")", "RunCommand(\"command.com\", 3)"});
    EXPECT_EQ(desktop.calls, expected);

    for (const auto& [typed, line] :
         {std::pair{L"X.HLP", L"C:\\WINHELP.EXE X.HLP "},
          std::pair{L"N.TXT", L"C:\\NOTEPAD.EXE N.TXT "},
          std::pair{L"M.WRI", L"C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE M.WRI "}}) {
        desktop.Forget();
        FrmRun run(desktop, bar.Context());
        run.Show();
        ui::headless::Type(run.Text1, std::wstring(typed) + L"\r");
        EXPECT_EQ(desktop.calls, Started(line, L"C:\\")) << Narrow(typed);
    }
}

TEST(BadInput, AWindowsDirectoryTooLongForItsBufferStillBringsTheBarUp) {
    struct Case {
        size_t length;
        bool fits;
    };
    for (const Case c : {Case{144, true}, Case{145, false}, Case{400, false}}) {
        RecordingDesktop desktop;
        desktop.windowsDir = L"C:\\" + std::wstring(c.length - 3, L'W');
        desktop.AddDirectory(desktop.windowsDir);
        FrmMain bar(desktop);
        bar.Show();
        EXPECT_TRUE(bar.IsOpen()) << c.length;
        EXPECT_EQ(bar.Timer2.Interval(), 4000) << c.length;
        EXPECT_EQ(bar.Title(), L"") << c.length;
        const std::wstring known = c.fits ? desktop.windowsDir : L"";
        EXPECT_EQ(bar.Context().WindowsDir, known) << c.length;
        EXPECT_EQ(bar.Context().WindowsRoot, known.substr(0, 3)) << c.length;

        // Starting works either way; without a known Windows directory there
        // is none to return to, and the start is no failure.
        desktop.Forget();
        BarControl(bar, L"NotePad").Click();
        if (c.fits)
            EXPECT_EQ(desktop.calls, Started(L" NOTEPAD.EXE ", desktop.windowsDir)) << c.length;
        else
            EXPECT_EQ(desktop.calls, Calls{"RunCommand(\" NOTEPAD.EXE \", 1)"}) << c.length;

        // Documents open in the accessory found by the system's own search.
        desktop.Forget();
        LaunchProgram(desktop, bar.Context(), L"N.TXT", L"");
        EXPECT_EQ(desktop.calls.front(), "RunCommand(\"" +
                                             Narrow(c.fits ? desktop.windowsDir + L"\\" : L"") +
                                             "NOTEPAD.EXE N.TXT \", 1)")
            << c.length;
    }
}

TEST(BadInput, RapidClicksGiveOneCommandEach) {
    constexpr int kClicks = 25;
    RecordingDesktop desktop;
    desktop.AddFile(L"C:\\WINDOWS\\CALC.EXE");
    desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
    FrmMain bar(desktop);
    bar.Show();
    const std::vector<ui::Control*> controls{
        &BarControl(bar, L"Exit Windows"),  &BarControl(bar, L"DOS Prompt"),
        &BarControl(bar, L"Explorer"),      &BarControl(bar, L"Find Files"),
        &BarControl(bar, L"Control Panel"), &BarControl(bar, L"WordPad"),
        &BarControl(bar, L"NotePad"),       &BarControl(bar, L"Phone Dialer"),
        &BarControl(bar, L"TaskBar"),       &BarControl(bar, L"Utilities"),
        &BarControl(bar, L"Games"),         &BarControl(bar, L"Multimedia"),
        &BarControl(bar, L"Windows Help"),  &BarControl(bar, L"About?")};
    for (ui::Control* control : controls) {
        desktop.Forget();
        control->Click();
        const Calls one = desktop.calls;
        ASSERT_FALSE(one.empty());
        for (int i = 1; i < kClicks; ++i) control->Click();
        EXPECT_EQ(desktop.calls, Times(kClicks, one)) << one.front();
    }

    // A burst on the browser's Run/Open button starts the file once a click.
    FrmBrow browser(desktop, bar.Context());
    browser.Show();
    SelectFile(browser.File1, L"CALC.EXE");
    desktop.Forget();
    for (int i = 0; i < kClicks; ++i)
        (i % 2 ? browser.CmdRun.Click() : browser.File1.box.DblClick());
    EXPECT_EQ(desktop.calls, Times(kClicks, Started(L"C:\\WINDOWS\\CALC.EXE ")));
}

TEST(BadInput, TheTimerTickingUnderAMessageBoxOnlySwapsTheFrames) {
    struct Case {
        const char* what;
        std::function<void(FrmMain&, RecordingDesktop&)> act;
        int messages;
    };
    const Case cases[] = {
        {"About", [](FrmMain& bar, RecordingDesktop&) { BarControl(bar, L"About?").Click(); }, 1},
        {"Exit Windows without a shell",
         [](FrmMain& bar, RecordingDesktop& d) {
             d.windows.clear();
             BarControl(bar, L"Exit Windows").Click();
         },
         1},
        {"a missing accessory",
         [](FrmMain& bar, RecordingDesktop& d) {
             d.missingPrograms = {L"DIALER.EXE "};
             BarControl(bar, L"Phone Dialer").Click();
         },
         1},
        {"the Run dialog's empty line, twice",
         [](FrmMain& bar, RecordingDesktop&) {
             ui::headless::SetModalDriver([](ui::Form& form) {
                 auto& run = dynamic_cast<FrmRun&>(form);
                 ui::headless::Type(run.Text1, L"\r\r");
             });
             BarControl(bar, L"Run and File Load Functions").Click();
             ui::headless::SetModalDriver(nullptr);
         },
         2},
    };
    for (const Case& c : cases) {
        // The same action once with a still timer and once with one that
        // ticks while each box is up.
        Calls still, ticking;
        for (const bool tick : {false, true}) {
            RecordingDesktop desktop;
            FrmMain bar(desktop);
            bar.Show();
            BarControl(bar, L"Utilities").MouseMove();
            const int writes = ui::headless::TitleWrites(bar);
            desktop.Forget();
            int ticks = 0;
            if (tick)
                desktop.onMessage = [&] {
                    bar.Timer2.Tick();
                    ++ticks;
                };
            c.act(bar, desktop);
            (tick ? ticking : still) = desktop.calls;
            EXPECT_EQ(ticks, tick ? c.messages : 0) << c.what;
            EXPECT_EQ(Telephone(bar.Frame1).Shown(), ticks % 2) << c.what;
            EXPECT_EQ(bar.Title(), L"Tavolin - Utilities") << c.what;
            EXPECT_EQ(ui::headless::TitleWrites(bar), writes) << c.what;
            EXPECT_TRUE(bar.Enabled()) << c.what;
            EXPECT_FALSE(bar.Busy()) << c.what;
        }
        EXPECT_EQ(ticking, still) << c.what;
        EXPECT_EQ(
            std::count_if(still.begin(), still.end(),
                          [](const std::string& call) { return call.starts_with("ShowMessage"); }),
            c.messages)
            << c.what;
    }
}

}  // namespace
}  // namespace tavolin
