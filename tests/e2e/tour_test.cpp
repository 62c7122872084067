// One sitting at the real Tavolin.exe, as a person would spend it: the
// pointer passes over every control of the bar, then every control is
// clicked in turn, each window it opens is looked at and closed again, and
// at last the bar itself is closed. Each step checks what it shows; the
// other end-to-end programs look at each part in detail.
//
// A short sitting proves a build that the other programs do not run (the
// 32-bit one): the bar's place, every title, one program started, each kind
// of window once and the help printed. It runs within the printing test run
// only, which sets up the printer (TAVOLIN_PRINT_OUT) and reads the printout.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using e2e::Utf8;
using Lines = std::vector<std::string>;
using Texts = std::vector<std::wstring>;

const std::wstring kPrefix = L"Tavolin - ";
constexpr wchar_t kFileTypesTitle[] = L"Help on File Types";

struct KeyCommand {
    const wchar_t* description;
    Lines keys;  // as the stand-in logs them
};
const KeyCommand kKeyCommands[] = {
    {L"Exit Windows", {"Alt+F4", "close"}},  // the stand-in refuses to close
    {L"Find Files", {"TAB", "RETURN", "Shift+F", "Shift+F"}},
    {L"TaskBar", {"TAB", "RETURN", "Shift+S", "Shift+T"}},
    {L"Utilities", {"TAB", "RETURN", "Shift+P", "Shift+A", "Shift+S"}},
    {L"Games", {"TAB", "RETURN", "Shift+P", "Shift+A", "Shift+G"}},
    {L"Multimedia", {"TAB", "RETURN", "Shift+P", "Shift+A", "Shift+M"}},
    {L"Windows Help", {"TAB", "RETURN", "Shift+H"}},
};

// A file name of this run in the temporary directory, removed at the end.
class TempFile {
public:
    explicit TempFile(const std::wstring& name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + L"tavolin-tour-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + name;
        DeleteFileW(path.c_str());
    }
    ~TempFile() { DeleteFileW(path.c_str()); }
    std::wstring path;
};

// A message box of the process with any of these titles.
std::optional<e2e::MessageBoxInfo> WaitForMessageBoxOf(const Texts& titles, DWORD pid) {
    std::optional<e2e::MessageBoxInfo> box;
    e2e::WaitUntil([&] {
        for (const std::wstring& title : titles)
            if ((box = e2e::WaitForMessageBox(title, pid, 0))) return true;
        return false;
    });
    return box;
}

class Tour : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(nullptr, L"Program Manager"), nullptr)
            << "a window titled Program Manager is already there";
        // Tavolin passes its environment on to the stand-in command.com.
        SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", commandLog_.path.c_str());
        tavolin_ = e2e::StartTavolin();
        ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
    }

    void TearDown() override {
        e2e::EndProcesses(e2e::Descendants(pid()));
        e2e::ParkMouse();
        SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", nullptr);
    }

    DWORD pid() const { return tavolin_.process.pid(); }
    HWND bar() const { return tavolin_.bar; }

    // The control of the description; for the telephone, the frame showing.
    e2e::Target Control(const std::wstring& description) const {
        if (description == L"About?") return e2e::ChildByText(bar(), L"?");
        return e2e::BarCell(bar(), description);
    }

    bool TitleBecomes(const std::wstring& description) const {
        return e2e::WaitUntil([&] { return e2e::Text(bar()) == kPrefix + description; });
    }

    // Clicking passes over the control, so the title names it as well.
    void ClickControl(const std::wstring& description) {
        const e2e::Target control = Control(description);
        ASSERT_TRUE(control) << Utf8(description);
        e2e::Click(control);
        EXPECT_TRUE(TitleBecomes(description))
            << Utf8(description) << ": the title is " << Utf8(e2e::Text(bar()));
    }

    // Only the bar is left: no message, no dialog, and the bar still runs.
    void ExpectOnlyTheBar(const std::wstring& step) const {
        EXPECT_TRUE(tavolin_.process.Running()) << "the bar ended after " << Utf8(step);
        EXPECT_EQ(e2e::TopLevelWindows(pid()), std::vector<HWND>{bar()}) << Utf8(step);
    }

    void HoverEveryControl() {
        EXPECT_EQ(e2e::Text(bar()), L"") << "the title at start";
        for (const wchar_t* description : e2e::kBarDescriptions) {
            const e2e::Target control = Control(description);
            ASSERT_TRUE(control) << Utf8(description);
            e2e::Hover(control);
            EXPECT_TRUE(TitleBecomes(description))
                << Utf8(description) << ": the title is " << Utf8(e2e::Text(bar()));
        }
        e2e::ParkMouse();
        EXPECT_EQ(e2e::Text(bar()), kPrefix + L"About?") << "the title after the pointer left";
    }

    void ClickKeystrokeIcons() {
        TempFile log(L"keys.log");
        e2e::ProgramManagerStandIn manager(log.path);
        const HWND window = manager.window;
        ASSERT_NE(window, nullptr) << "the stand-in did not come up";
        Lines expected;
        for (const KeyCommand& command : kKeyCommands) {
            ASSERT_NO_FATAL_FAILURE(ClickControl(command.description));
            expected.insert(expected.end(), command.keys.begin(), command.keys.end());
            e2e::WaitUntil([&] { return e2e::ReadLines(log.path).size() >= expected.size(); });
            EXPECT_EQ(e2e::ReadLines(log.path), expected) << Utf8(command.description);
            EXPECT_EQ(GetForegroundWindow(), window) << Utf8(command.description);
            ExpectOnlyTheBar(command.description);
        }
        EXPECT_TRUE(manager.process.Running());
    }

    // A click that starts the program; it is ended at once by its PID.
    void ExpectStarts(const std::wstring& description, const std::wstring& program) {
        ASSERT_NO_FATAL_FAILURE(ClickControl(description));
        std::vector<PROCESSENTRY32W> started;
        const bool found = e2e::WaitUntil(
            [&] {
                started = e2e::Descendants(pid());
                return std::any_of(started.begin(), started.end(), [&](const auto& process) {
                    return e2e::Lower(process.szExeFile) == program;
                });
            },
            e2e::kProgramStartMs);
        e2e::EndProcesses(started);
        EXPECT_TRUE(found) << Utf8(description) << " started no " << Utf8(program);
        ExpectOnlyTheBar(description);
    }

    // The launcher's message for a program that is not there.
    void ExpectNotFound(const std::wstring& description, const std::wstring& commandLine) {
        ASSERT_NO_FATAL_FAILURE(ClickControl(description));
        const auto box = WaitForMessageBoxOf(
            {e2e::SystemText(ERROR_FILE_NOT_FOUND), e2e::SystemText(ERROR_PATH_NOT_FOUND)}, pid());
        ASSERT_TRUE(box.has_value()) << Utf8(description) << ": no not-found message";
        EXPECT_EQ(box->prompt, commandLine + L" was not found");
        EXPECT_EQ(box->buttons, Texts{L"OK"});
        e2e::PressButton(box->window, L"OK");
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box->window); }));
        ExpectOnlyTheBar(description);
        EXPECT_EQ(e2e::Descendants(pid()).size(), 0u) << Utf8(description);
    }

    // The prefix may or may not hold the accessory; either way the click
    // has a visible effect.
    void ExpectStartsOrNotFound(const std::wstring& description, const std::wstring& program,
                                const std::wstring& programText, bool present) {
        if (present)
            ExpectStarts(description, program);
        else
            ExpectNotFound(description, programText + L" ");
    }

    void ClickAccessories() {
        ASSERT_NO_FATAL_FAILURE(ExpectStarts(L"NotePad", L"notepad.exe"));
        ASSERT_NO_FATAL_FAILURE(ExpectStarts(L"Explorer", L"explorer.exe"));
        ASSERT_NO_FATAL_FAILURE(ExpectStarts(L"Control Panel", L"control.exe"));

        // Wine keeps WordPad where Windows 7 and later do, in Program Files,
        // not where the icon's short path points.
        ASSERT_FALSE(e2e::FileExists(e2e::WindowsDirectory().substr(0, 3) +
                                     L"progra~1\\access~1\\WORDPAD.EXE"));
        ASSERT_NO_FATAL_FAILURE(ExpectStarts(L"WordPad", L"wordpad.exe"));
        wchar_t found[MAX_PATH];
        const bool dialer = SearchPathW(nullptr, L"DIALER.EXE", nullptr, MAX_PATH, found, nullptr);
        ASSERT_NO_FATAL_FAILURE(
            ExpectStartsOrNotFound(L"Phone Dialer", L"dialer.exe", L"DIALER.EXE", dialer));
    }

    // command_standin.exe as "command.com" in the Windows directory.
    void ClickDosPrompt() {
        e2e::CommandStandIn command(commandLog_.path);
        ASSERT_TRUE(command.free()) << "a command.com of another kind is in the way";
        ASSERT_TRUE(command.placed());
        ClickControl(L"DOS Prompt");
        e2e::WaitUntil([&] { return e2e::ReadLines(commandLog_.path).size() >= 2; },
                       e2e::kProgramStartMs);
        e2e::EndProcesses(e2e::Descendants(pid()));
        // The accessories started before have made the Windows directory's
        // drive current, so the prompt opens there, maximised.
        EXPECT_EQ(e2e::ReadLines(commandLog_.path),
                  (Lines{"directory=" + Utf8(e2e::WindowsDirectory()), "show=3"}));
        ExpectOnlyTheBar(L"DOS Prompt");
    }

    // The file-type help of a dialog: its closing sentence tells them apart.
    void ExpectFileTypeHelp(HWND dialog, const std::wstring& closing) {
        e2e::Click(e2e::ChildByText(dialog, L"&?"));
        const auto box = e2e::WaitForMessageBox(kFileTypesTitle, pid());
        ASSERT_TRUE(box.has_value()) << "no " << Utf8(kFileTypesTitle);
        EXPECT_TRUE(box->prompt.starts_with(L"Valid items you can RUN are:")) << Utf8(box->prompt);
        EXPECT_TRUE(box->prompt.ends_with(
            L"(#2)," + closing +
            L"WordPad will automatically start and load .WRI and .DOC files, Notepad will load "
            L".TXT files."))
            << Utf8(box->prompt);
        EXPECT_EQ(box->buttons, Texts{L"OK"});
        e2e::PressButton(box->window, L"OK");
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box->window); }));
    }

    // A fresh Run Program dialog, opened by its icon, and its empty command line.
    void OpenRunDialog(HWND& run, HWND& line) {
        ASSERT_NO_FATAL_FAILURE(ClickControl(L"Run and File Load Functions"));
        run = e2e::WaitForWindow(e2e::kRunTitle, pid());
        ASSERT_NE(run, nullptr) << "the Run icon opened no Run Program dialog";
        line = e2e::ChildOfClass(run, L"Edit");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(e2e::Text(line), L"");
    }

    void WalkRunDialogAndBrowser() {
        HWND run = nullptr, line = nullptr;
        ASSERT_NO_FATAL_FAILURE(OpenRunDialog(run, line));
        e2e::Click(line);
        e2e::TypeText(L"notepad.exe");
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::Text(line) == L"notepad.exe"; }));

        ASSERT_NO_FATAL_FAILURE(ExpectFileTypeHelp(run, L"  "));

        e2e::Click(e2e::ChildByText(run, L"&Browse"));
        const HWND browser = e2e::WaitForWindow(e2e::kBrowserTitle, pid());
        ASSERT_NE(browser, nullptr) << "Browse opened no browser";
        EXPECT_FALSE(IsWindowEnabled(run)) << "the Run dialog takes input under the browser";
        const HWND patterns = e2e::ChildByText(browser, L"*.exe;*.com;*.bat");
        EXPECT_NE(patterns, nullptr) << "the pattern box does not show the programs";
        ASSERT_NO_FATAL_FAILURE(ExpectFileTypeHelp(browser, L" "));
        e2e::Click(e2e::ChildByText(browser, L"&Cancel "));
        ASSERT_TRUE(e2e::WaitForWindowGone(e2e::kBrowserTitle, pid()));

        EXPECT_TRUE(e2e::WaitUntil([&] { return IsWindowEnabled(run) != FALSE; }));
        EXPECT_EQ(e2e::Text(line), L"notepad.exe") << "the browser changed the command line";
        e2e::BringToFront(run);
        e2e::Click(e2e::ChildByText(run, L"&Cancel "));
        ASSERT_TRUE(e2e::WaitForWindowGone(e2e::kRunTitle, pid()));
        // A later hover answered shows the Cancel has been dealt with.
        e2e::Hover(Control(L"NotePad"));
        EXPECT_TRUE(TitleBecomes(L"NotePad"));
        EXPECT_EQ(e2e::Descendants(pid()).size(), 0u) << "Cancel started the typed line";
        ExpectOnlyTheBar(L"Run and File Load Functions");
    }

    // Printed (Alt+P) too when a printer's directory is given.
    void OpenAndCloseHelp(const std::wstring& printOut = L"") {
        ASSERT_NO_FATAL_FAILURE(ClickControl(L"Tavolin Help"));
        const HWND help = e2e::WaitForWindow(L"Help", pid());
        ASSERT_NE(help, nullptr) << "the help icon opened no Help window";
        const HWND list = e2e::ChildOfClass(help, L"ListBox");
        ASSERT_NE(list, nullptr);
        const Texts lines = e2e::ListEntries(list);
        ASSERT_EQ(lines.size(), 43u);
        EXPECT_EQ(lines[1], L"Tavolin gives you FAST ACCESS to common Windows 95 programs. ");
        ASSERT_TRUE(e2e::BringToFront(help));
        if (!printOut.empty()) {
            ASSERT_EQ(e2e::PrintedDocuments(printOut), 0) << "the printer's directory is not empty";
            e2e::PressKey('P', /*alt=*/true);
            EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::PrintedDocuments(printOut) == 1; },
                                       e2e::kPrintTimeoutMs))
                << "Alt+P printed no help";
            EXPECT_FALSE(e2e::WaitForMessageBox(L"Print Help", pid(), 0))
                << "a failure was reported";
            ASSERT_TRUE(e2e::BringToFront(help));
        }
        e2e::PressKey('C', /*alt=*/true);
        EXPECT_TRUE(e2e::WaitForWindowGone(L"Help", pid())) << "Alt+C left the help open";
        ExpectOnlyTheBar(L"Tavolin Help");
    }

    // SCS_64BIT_BINARY or SCS_32BIT_BINARY, as Windows reads the file.
    static DWORD TavolinBinaryType() {
        DWORD type = 0;
        const std::wstring file = e2e::ProgramDirectory() + L"\\Tavolin.exe";
        return GetBinaryTypeW(file.c_str(), &type) ? type : ~DWORD{0};
    }

    // Its third line tells the build apart: 64-bit or 32-bit, as the file is.
    void ShowAbout() {
        const DWORD binaryType = TavolinBinaryType();
        ASSERT_TRUE(binaryType == SCS_64BIT_BINARY || binaryType == SCS_32BIT_BINARY);
        const std::wstring bits = binaryType == SCS_64BIT_BINARY ? L"64-bit" : L"32-bit";
        ASSERT_NO_FATAL_FAILURE(ClickControl(L"About?"));
        const auto box = e2e::WaitForMessageBox(L"About?", pid());
        ASSERT_TRUE(box.has_value()) << "no About box";
        EXPECT_TRUE(box->prompt.starts_with(L"           Tavolin v2.1\r\rA " + bits +
                                            L" Win32 API application, built with "))
            << Utf8(box->prompt);
        EXPECT_EQ(box->buttons, Texts{L"OK"});
        e2e::PressButton(box->window, L"OK");
        EXPECT_TRUE(e2e::WaitForWindowGone(L"About?", pid()));
        ExpectOnlyTheBar(L"About?");
    }

    // Where the bar is stored, on the session's 96 dpi screen.
    void ExpectBarAtItsPlace() const {
        const HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(dpi, 96) << "the place below holds at 96 dpi";
        auto corners = [](const RECT& rect) {
            return std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom};
        };
        EXPECT_EQ(corners(e2e::ClientRectOnScreen(bar())), corners(e2e::kBarClientAt96Dpi));
    }

    // "&Run" with nothing typed asks for a command line and keeps the dialog.
    void RunAnEmptyLine() {
        HWND run = nullptr, line = nullptr;
        ASSERT_NO_FATAL_FAILURE(OpenRunDialog(run, line));
        e2e::Click(e2e::ChildByText(run, L"&Run"));
        const auto box = e2e::WaitForMessageBox(L"Error", pid());
        ASSERT_TRUE(box.has_value()) << "no message for the empty command line";
        EXPECT_EQ(box->prompt, L"Enter the path and program to run");
        EXPECT_EQ(box->buttons, Texts{L"OK"});
        e2e::PressButton(box->window, L"OK");
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box->window); }));
        // The dialog is over the bar again once the activation has come back
        // to it, which a busy machine delays past the box's end.
        const std::vector<HWND> runOverBar{run, bar()};
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TopLevelWindows(pid()) == runOverBar; },
                                   e2e::kProgramStartMs))
            << "the bar stands over the Run dialog";
        e2e::Click(e2e::ChildByText(run, L"&Cancel "));
        ASSERT_TRUE(e2e::WaitForWindowGone(e2e::kRunTitle, pid()));
        EXPECT_EQ(e2e::Descendants(pid()).size(), 0u) << "the empty line started something";
        ExpectOnlyTheBar(L"Run and File Load Functions");
    }

    TempFile commandLog_{L"command.log"};
    e2e::Tavolin tavolin_;
};

// The 32-bit build's smoke test, filtered apart from Tour since it needs the
// printing test's printer.
class ShortSitting : public Tour {
protected:
    void SetUp() override {
        printOut_ = e2e::PrintOutDirectory();
        if (printOut_.empty())
            GTEST_SKIP() << "runs only within the printing test (TAVOLIN_PRINT_OUT)";
        ASSERT_EQ(TavolinBinaryType(), static_cast<DWORD>(SCS_32BIT_BINARY))
            << "the short sitting is the smoke test of the 32-bit build";
        Tour::SetUp();
    }

    std::wstring printOut_;
};

TEST_F(Tour, EveryControlHoveredAndClickedInOneSittingThenTheBarClosed) {
    ASSERT_NO_FATAL_FAILURE(HoverEveryControl());
    ASSERT_NO_FATAL_FAILURE(ClickKeystrokeIcons());
    ASSERT_NO_FATAL_FAILURE(ClickAccessories());
    ASSERT_NO_FATAL_FAILURE(ClickDosPrompt());
    ASSERT_NO_FATAL_FAILURE(WalkRunDialogAndBrowser());
    ASSERT_NO_FATAL_FAILURE(OpenAndCloseHelp());
    ASSERT_NO_FATAL_FAILURE(ShowAbout());

    e2e::ParkMouse();
    EXPECT_EQ(e2e::Text(bar()), kPrefix + L"About?") << "the last title stays";
    PostMessageW(bar(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(tavolin_.process.WaitForExit(10000)) << "closing the bar did not end Tavolin";
    EXPECT_EQ(tavolin_.process.ExitCode(), 0u);
}

TEST_F(ShortSitting, EveryTitleOneProgramEachKindOfWindowAndThePrintedHelp) {
    ASSERT_NO_FATAL_FAILURE(ExpectBarAtItsPlace());
    ASSERT_NO_FATAL_FAILURE(HoverEveryControl());
    ASSERT_NO_FATAL_FAILURE(ExpectStarts(L"NotePad", L"notepad.exe"));
    ASSERT_NO_FATAL_FAILURE(RunAnEmptyLine());
    ASSERT_NO_FATAL_FAILURE(OpenAndCloseHelp(printOut_));
    ASSERT_NO_FATAL_FAILURE(ShowAbout());
}

}  // namespace
