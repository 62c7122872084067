#include <gtest/gtest.h>

#include "bar/frm_main.h"
#include "dialogs/frm_run.h"
#include "bar_control.h"
#include "recording_desktop.h"
#include "ui/headless/headless.h"

namespace tavolin {
namespace {

using testing::BarControl;
using testing::RecordingDesktop;
using testing::Telephone;
using Calls = std::vector<std::string>;

std::string Activate() { return "ActivateWindow(\"Program Manager\")"; }
std::string Keys(const std::string& keys) { return "SendKeystrokes(\"" + keys + "\")"; }
const char kExitError[] =
    "ShowMessage(\"Error in closing Windows 95 Program Manager\", 32, \"Error\")";

// What a successful LaunchProgram asks of the desktop for a command line.
Calls Started(const std::string& commandLine, const std::string& windowsDir = "C:\\WINDOWS") {
    return {"RunCommand(\"" + commandLine + "\", 1)", "ChangeDrive(\"" + windowsDir + "\")",
            "ChangeDirectory(\"" + windowsDir + "\")"};
}

// A bar that has started up, with the start-up's calls forgotten.
struct Bar {
    explicit Bar(const std::wstring& windowsDir = L"C:\\WINDOWS") {
        desktop.windowsDir = windowsDir;
        desktop.AddDirectory(windowsDir);
        bar.Show();
        desktop.Forget();
    }
    RecordingDesktop desktop;
    FrmMain bar{desktop};
};

struct Command {
    ui::Control& control;
    const char* name;
    Calls calls;
};

// The thirteen cells that act outside the program, with what one click asks
// of the desktop when everything is there.
std::vector<Command> OutsideCommands(FrmMain& bar) {
    return {
        {BarControl(bar, L"Exit Windows"), "Exit Windows", {Activate(), Keys("%{F4}")}},
        {BarControl(bar, L"DOS Prompt"),
         "DOS Prompt",
         {"ChangeDirectory(\"C:\\WINDOWS\")", "RunCommand(\"command.com\", 3)"}},
        {BarControl(bar, L"Explorer"), "Explorer", Started("EXPLORER.EXE ")},
        {BarControl(bar, L"Find Files"), "Find Files", {Activate(), Keys("{TAB}{ENTER}{F}{F}")}},
        {BarControl(bar, L"Control Panel"), "Control Panel", Started("CONTROL.EXE ")},
        {BarControl(bar, L"WordPad"), "WordPad", Started("C:\\progra~1\\access~1\\WORDPAD.EXE ")},
        {BarControl(bar, L"NotePad"), "NotePad", Started(" NOTEPAD.EXE ")},
        {BarControl(bar, L"Phone Dialer"), "Phone Dialer", Started("DIALER.EXE ")},
        {BarControl(bar, L"TaskBar"), "TaskBar", {Activate(), Keys("{TAB}{ENTER}{S}{T}")}},
        {BarControl(bar, L"Utilities"), "Utilities", {Activate(), Keys("{TAB}{ENTER}{P}{A}{S}")}},
        {BarControl(bar, L"Games"), "Games", {Activate(), Keys("{TAB}{ENTER}{P}{A}{G}")}},
        {BarControl(bar, L"Multimedia"), "Multimedia", {Activate(), Keys("{TAB}{ENTER}{P}{A}{M}")}},
        {BarControl(bar, L"Windows Help"), "Windows Help", {Activate(), Keys("{TAB}{ENTER}{H}")}},
    };
}

// The six cells that walk the Start menu.
std::vector<ui::Control*> StartMenuCells(FrmMain& bar) {
    return {&BarControl(bar, L"Find Files"), &BarControl(bar, L"TaskBar"),
            &BarControl(bar, L"Utilities"),  &BarControl(bar, L"Games"),
            &BarControl(bar, L"Multimedia"), &BarControl(bar, L"Windows Help")};
}

TEST(BarCommands, EachClickAsksTheDesktopForExactlyItsCommandOnce) {
    Bar b;
    BarControl(b.bar, L"Control Panel").MouseMove();
    const int writes = ui::headless::TitleWrites(b.bar);
    for (const Command& command : OutsideCommands(b.bar)) {
        b.desktop.Forget();
        command.control.Click();
        EXPECT_EQ(b.desktop.calls, command.calls) << command.name;
        // A second click does it all again, no more and no less.
        b.desktop.Forget();
        command.control.Click();
        EXPECT_EQ(b.desktop.calls, command.calls) << command.name << ", second click";
        EXPECT_FALSE(b.bar.Busy()) << command.name;
    }
    EXPECT_EQ(b.bar.Title(), L"Tavolin - Control Panel") << "clicks leave the title alone";
    EXPECT_EQ(ui::headless::TitleWrites(b.bar), writes);
}

TEST(BarCommands, WindowsOnDriveDStartsWordPadFromThatRootAndOpensTheDosPromptThere) {
    Bar b(L"D:\\WIN95");
    BarControl(b.bar, L"WordPad").Click();
    EXPECT_EQ(b.desktop.calls, Started("D:\\progra~1\\access~1\\WORDPAD.EXE ", "D:\\WIN95"));

    b.desktop.currentDrive = L'C';
    b.desktop.Forget();
    BarControl(b.bar, L"DOS Prompt").Click();
    EXPECT_EQ(b.desktop.calls,
              (Calls{"ChangeDirectory(\"D:\\WIN95\")", "RunCommand(\"command.com\", 3)"}));
    // The DOS prompt changes the directory of the Windows drive, not the drive.
    EXPECT_EQ(b.desktop.currentDrive, L'C');
    EXPECT_EQ(b.desktop.drives[L'D'].currentDirectory, L"D:\\WIN95");
}

TEST(BarCommands, WithoutProgramManagerOnlyExitWindowsSaysSoAndNoKeysAreSent) {
    Bar b;
    b.desktop.windows.clear();
    for (ui::Control* cell : StartMenuCells(b.bar)) {
        b.desktop.Forget();
        cell->Click();
        EXPECT_EQ(b.desktop.calls, Calls{Activate()});
    }
    b.desktop.Forget();
    BarControl(b.bar, L"Exit Windows").Click();
    EXPECT_EQ(b.desktop.calls, (Calls{Activate(), kExitError}));

    // Another window does not stand in for it.
    b.desktop.windows = {L"Program Manager - Notes", L"program manager"};
    b.desktop.Forget();
    BarControl(b.bar, L"Windows Help").Click();
    BarControl(b.bar, L"Exit Windows").Click();
    EXPECT_EQ(b.desktop.calls, (Calls{Activate(), Activate(), kExitError}));
    EXPECT_EQ(b.bar.Title(), L"");
}

TEST(BarCommands, KeystrokesThatCannotBeSentAreReportedOnlyByExitWindows) {
    Bar b;
    b.desktop.keystrokesFail = true;
    BarControl(b.bar, L"Exit Windows").Click();
    EXPECT_EQ(b.desktop.calls, (Calls{Activate(), Keys("%{F4}"), kExitError}));

    b.desktop.Forget();
    BarControl(b.bar, L"Multimedia").Click();
    EXPECT_EQ(b.desktop.calls, (Calls{Activate(), Keys("{TAB}{ENTER}{P}{A}{M}")}));
}

TEST(BarCommands, DosPromptShowsTheHourglassOnlyWhileHandingOver) {
    Bar b;
    std::vector<bool> busyAtRun;
    b.desktop.onRunCommand = [&] { busyAtRun.push_back(b.bar.Busy()); };

    BarControl(b.bar, L"DOS Prompt").Click();
    b.desktop.missingPrograms = {L"command.com"};
    BarControl(b.bar, L"DOS Prompt").Click();
    EXPECT_EQ(busyAtRun, (std::vector<bool>{true, true}));
    EXPECT_FALSE(b.bar.Busy());
    // A failing start has no message of its own.
    EXPECT_EQ(b.desktop.calls,
              (Calls{"ChangeDirectory(\"C:\\WINDOWS\")", "RunCommand(\"command.com\", 3)",
                     "ChangeDirectory(\"C:\\WINDOWS\")", "RunCommand(\"command.com\", 3)"}));

    // Without command.com the interpreter the system names opens instead,
    // in the same place; where that fails too, nothing is said either.
    b.desktop.environment[L"ComSpec"] = L"C:\\Program Files\\Shell\\cmd.exe";
    b.desktop.AddFile(L"C:\\top.txt");
    b.desktop.Forget();
    BarControl(b.bar, L"DOS Prompt").Click();
    BarControl(b.bar, L"DOS Prompt").Drop({L"C:\\top.txt"});
    b.desktop.missingPrograms.insert(L"\"C:\\Program Files\\Shell\\cmd.exe\"");
    BarControl(b.bar, L"DOS Prompt").Click();
    EXPECT_EQ(
        b.desktop.calls,
        (Calls{"ChangeDirectory(\"C:\\WINDOWS\")", "RunCommand(\"command.com\", 3)",
               "RunCommand(\"\"C:\\Program Files\\Shell\\cmd.exe\"\", 3)",
               "ChangeDirectory(\"C:\\WINDOWS\")", "RunCommandIn(\"C:\\\", \"command.com\", 3)",
               "RunCommandIn(\"C:\\\", \"\"C:\\Program Files\\Shell\\cmd.exe\"\", 3)",
               "ChangeDirectory(\"C:\\WINDOWS\")", "RunCommand(\"command.com\", 3)",
               "RunCommand(\"\"C:\\Program Files\\Shell\\cmd.exe\"\", 3)"}));
    EXPECT_TRUE(b.desktop.prompts.empty());
    EXPECT_FALSE(b.bar.Busy());

    // The launcher's starts do not touch the pointer.
    busyAtRun.clear();
    BarControl(b.bar, L"Explorer").Click();
    EXPECT_EQ(busyAtRun, std::vector<bool>{false});
}

TEST(BarCommands, AMissingAccessoryIsReportedByTheLauncherAndTheBarCarriesOn) {
    Bar b;
    b.desktop.missingPrograms = {L"DIALER.EXE "};
    BarControl(b.bar, L"Phone Dialer").MouseMove();
    BarControl(b.bar, L"Phone Dialer").Click();
    EXPECT_EQ(b.desktop.calls, (Calls{"RunCommand(\"DIALER.EXE \", 1)",
                                      "ShowMessage(\"DIALER.EXE  was not found\", 32, "
                                      "\"The system cannot find the file specified.\")"}));
    EXPECT_EQ(b.bar.Title(), L"Tavolin - Phone Dialer");

    b.desktop.Forget();
    BarControl(b.bar, L"NotePad").Click();
    EXPECT_EQ(b.desktop.calls, Started(" NOTEPAD.EXE "));
}

// The lines of a prompt, split at lone carriage returns.
std::vector<std::wstring> Lines(const std::wstring& prompt) {
    std::vector<std::wstring> lines(1);
    for (wchar_t c : prompt) {
        if (c == L'\r')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

bool HasDigit(const std::wstring& text) {
    return text.find_first_of(L"0123456789") != std::wstring::npos;
}

TEST(BarCommands, AboutShowsTheSameElevenLinesEachPressAndChangesNothingElse) {
    Bar b;
    BarControl(b.bar, L"Games").MouseMove();
    b.bar.Timer2.Tick();
    const int writes = ui::headless::TitleWrites(b.bar);

    for (int press = 0; press < 3; ++press) BarControl(b.bar, L"About?").Click();

    ASSERT_EQ(b.desktop.prompts.size(), 3u);
    const std::wstring& prompt = b.desktop.prompts[0];
    EXPECT_EQ(b.desktop.prompts[1], prompt);
    EXPECT_EQ(b.desktop.prompts[2], prompt);
    const std::string shown = "ShowMessage(\"" + testing::Narrow(prompt) + "\", 64, \"About?\")";
    EXPECT_EQ(b.desktop.calls, (Calls{shown, shown, shown}));

    EXPECT_EQ(prompt.find(L'\n'), std::wstring::npos) << "lines end in a lone carriage return";
    const std::vector<std::wstring> lines = Lines(prompt);
    ASSERT_EQ(lines.size(), 11u) << testing::Narrow(prompt);
    EXPECT_EQ(lines[0], L"           Tavolin v2.1");
    for (int empty : {2, 4, 6, 10}) EXPECT_EQ(lines[empty - 1], L"") << "line " << empty;
    for (int filled : {3, 5, 7, 8, 9, 11})
        EXPECT_NE(lines[filled - 1].find_first_not_of(L' '), std::wstring::npos)
            << "line " << filled;
    EXPECT_EQ(testing::Narrow(lines[2]), TAVOLIN_EXPECTED_BUILD_LINE);
    EXPECT_EQ(lines[10].rfind(L"Phone:", 0), 0u) << testing::Narrow(lines[10]);
    EXPECT_TRUE(HasDigit(lines[10])) << testing::Narrow(lines[10]);

    EXPECT_EQ(b.bar.Title(), L"Tavolin - Games");
    EXPECT_EQ(ui::headless::TitleWrites(b.bar), writes);
    EXPECT_EQ(Telephone(b.bar.Frame1).Shown(), 1);
    EXPECT_FALSE(b.bar.Busy());
    EXPECT_TRUE(b.bar.IsOpen());
}

TEST(BarCommands, EachCellDoesWithDroppedFilesWhatItsIconMeansOrRefusesThem) {
    Bar b;
    b.desktop.AddFile(L"C:\\My Files\\a & b.txt");
    b.desktop.AddFile(L"C:\\My Files\\c.txt");
    b.desktop.AddFile(L"C:\\top.txt");
    const std::wstring odd = L"C:\\My Files\\a & b.txt", plain = L"C:\\My Files\\c.txt";
    const std::wstring folder = L"C:\\My Files";
    // The line the Run dialog shows when it opens.
    std::wstring runLine;
    ui::headless::SetModalDriver([&](ui::Form& form) {
        if (auto* run = dynamic_cast<FrmRun*>(&form)) runLine = run->Text1.Text();
    });
    const struct {
        const wchar_t* cell;
        std::vector<std::wstring> dropped;
        bool taken;
        Calls calls;
    } cases[] = {
        {L"NotePad",
         {odd, plain},
         true,
         [&] {
             Calls calls = Started(" NOTEPAD.EXE \"C:\\My Files\\a & b.txt\"");
             for (const std::string& call : Started(" NOTEPAD.EXE \"C:\\My Files\\c.txt\""))
                 calls.push_back(call);
             return calls;
         }()},
        {L"WordPad",
         {plain},
         true,
         Started("C:\\progra~1\\access~1\\WORDPAD.EXE \"C:\\My Files\\c.txt\"")},
        {L"NotePad", {plain, folder}, false, {}},
        {L"WordPad", {folder}, false, {}},
        {L"Explorer", {folder}, true, Started("EXPLORER.EXE \"C:\\My Files\"")},
        {L"Explorer", {plain}, true, Started("EXPLORER.EXE /select,\"C:\\My Files\\c.txt\"")},
        {L"DOS Prompt",
         {plain},
         true,
         {"ChangeDirectory(\"C:\\WINDOWS\")",
          "RunCommandIn(\"C:\\My Files\", \"command.com\", 3)"}},
        {L"DOS Prompt",
         {L"C:\\top.txt"},
         true,
         {"ChangeDirectory(\"C:\\WINDOWS\")", "RunCommandIn(\"C:\\\", \"command.com\", 3)"}},
        {L"Run and File Load Functions", {odd, plain}, true, {}},
        {L"Exit Windows", {plain}, false, {}},
        {L"Find Files", {folder}, false, {}},
        {L"About?", {plain}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Narrow(c.cell));
        ui::Control& control = BarControl(b.bar, c.cell);
        EXPECT_EQ(control.TakesDrop(c.dropped), c.taken);
        b.desktop.Forget();
        runLine.clear();
        control.Drop(c.dropped);
        EXPECT_EQ(b.desktop.calls, c.calls);
    }
    // The Run dialog held the first path, quoted, and started nothing.
    BarControl(b.bar, L"Run and File Load Functions").Drop({odd});
    EXPECT_EQ(runLine, L"\"" + odd + L"\"");

    // A name the system would read as another file's is not handed on.
    b.desktop.Forget();
    BarControl(b.bar, L"NotePad").Drop({L"C:\\My Files\\c.txt."});
    ASSERT_EQ(b.desktop.prompts.size(), 1u);
    EXPECT_TRUE(b.desktop.prompts[0].starts_with(L"Cannot run or open: C:\\My Files\\c.txt.\r"));

    // More than fifteen files open only when the user says so; the file
    // system is asked once a drag, however many cells ask about it.
    const std::vector<std::wstring> three{plain, odd, L"C:\\top.txt"};
    b.desktop.folderQuestions = 0;
    for (const wchar_t* cell : {L"NotePad", L"WordPad", L"NotePad"})
        EXPECT_TRUE(BarControl(b.bar, cell).TakesDrop(three));
    EXPECT_EQ(b.desktop.folderQuestions, 3);
    const struct {
        size_t files;
        int answer;
        size_t starts;
    } counts[] = {{15, 0, 15}, {16, mb::kAnswerYes, 16}, {16, 7, 0}, {60, mb::kAnswerYes, 60}};
    for (const auto& c : counts) {
        b.desktop.Forget();
        b.desktop.prompts.clear();
        if (c.answer) b.desktop.answers = {c.answer};
        BarControl(b.bar, L"WordPad").Drop(std::vector<std::wstring>(c.files, plain));
        EXPECT_EQ(
            std::count_if(b.desktop.calls.begin(), b.desktop.calls.end(),
                          [](const std::string& call) { return call.starts_with("RunCommand("); }),
            static_cast<long>(c.starts))
            << c.files;
        if (c.files <= 15) {
            EXPECT_TRUE(b.desktop.prompts.empty());
            continue;
        }
        ASSERT_FALSE(b.desktop.calls.empty());
        EXPECT_EQ(b.desktop.calls.front(),
                  "ShowMessage(\"Open all " + std::to_string(c.files) +
                      " dropped files in WordPad, each in a window of its own?\", 292, \"Open "
                      "Files\")");
    }

    // While a modal dialog stands over the bar, nothing is taken.
    b.bar.SetEnabled(false);
    EXPECT_FALSE(BarControl(b.bar, L"NotePad").TakesDrop({plain}));
    ui::headless::SetModalDriver(nullptr);
}

}  // namespace
}  // namespace tavolin
