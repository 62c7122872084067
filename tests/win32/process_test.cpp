// RunCommand starts real programs: what they receive, and the system's text
// when there is nothing to start.
#include "desktop/win32/win32_desktop.h"
#include "fixture.h"

namespace tavolin::win32test {
namespace {

struct Echo {
    std::wstring commandLine, directory, showWindow, program;
};

// Runs the command with TAVOLIN_ECHO_FILE set and reads what echo_args wrote.
Echo RunAndEcho(Win32Desktop& desktop, const ScratchDirectory& scratch, const std::wstring& command,
                int style) {
    static int runs = 0;
    const std::wstring output = scratch / (L"echo" + std::to_wstring(++runs) + L".txt");
    SetEnvironmentVariableW(L"TAVOLIN_ECHO_FILE", output.c_str());
    Echo echo;
    if (const Outcome failure = desktop.RunCommand(command, style); failure.failed()) {
        ADD_FAILURE() << Narrow(command) << ": " << Narrow(failure.failure().description);
        return echo;
    }
    EXPECT_TRUE(WaitFor([&] { return Exists(output); })) << "no echo from " << Narrow(command);
    const std::wstring text = ReadUtf16File(output);
    std::wstring* lines[] = {&echo.commandLine, &echo.directory, &echo.showWindow, &echo.program};
    size_t start = 0;
    for (std::wstring* line : lines) {
        const size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) break;
        *line = text.substr(start, end - start);
        start = end + 1;
    }
    return echo;
}

TEST(RunCommand, StartsTheProgramWithTheLineAndStyleGiven) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    const std::wstring before = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(scratch.path().c_str()));

    // A bare name is looked for from the current directory on, not beside
    // the program that starts it: echo_args.exe beside this one is not found.
    const Outcome beside = desktop.RunCommand(L"echo_args.exe arg ", kNormalFocus);
    ASSERT_TRUE(beside.failed()) << "the program beside this one was started";
    EXPECT_EQ(Narrow(beside.failure().description), Narrow(ExpectedText(ERROR_FILE_NOT_FOUND)));

    // One of that name in the current directory is: leading blanks are
    // skipped, the trailing blank arrives, and so does the maximised style.
    ASSERT_TRUE(CopyFileW((ProgramDirectory() + L"\\echo_args.exe").c_str(),
                          (scratch / L"echo_args.exe").c_str(), FALSE));
    Echo echo = RunAndEcho(desktop, scratch, L" echo_args.exe arg ", kMaximizedFocus);
    EXPECT_EQ(Narrow(echo.commandLine), "echo_args.exe arg ");
    EXPECT_EQ(Narrow(echo.showWindow), "3");
    EXPECT_EQ(Narrow(echo.directory), Narrow(scratch.path()));
    EXPECT_EQ(Narrow(echo.program), Narrow(scratch / L"echo_args.exe"));

    // A bare name that is only in the current directory is found there.
    ASSERT_TRUE(CopyFileW((ProgramDirectory() + L"\\echo_args.exe").c_str(),
                          (scratch / L"echo_here.exe").c_str(), FALSE));
    echo = RunAndEcho(desktop, scratch, L"echo_here.exe  two  words ", kNormalFocus);
    EXPECT_EQ(Narrow(echo.commandLine), "echo_here.exe  two  words ");
    EXPECT_EQ(Narrow(echo.showWindow), "1");

    SetCurrentDirectoryW(before.c_str());
}

TEST(RunCommand, AProgramThatCannotStartFailsWithTheSystemTextNamingIt) {
    Win32Desktop desktop;
    const Outcome failure = desktop.RunCommand(L" no_such_program_here.exe ", kNormalFocus);
    ASSERT_TRUE(failure.failed());
    EXPECT_EQ(Narrow(failure.failure().description), Narrow(ExpectedText(ERROR_FILE_NOT_FOUND)));
    EXPECT_FALSE(failure.failure().description.empty());

    // A file that is no program: the system's text names it where its
    // message has a place for a name, and never shows the place itself.
    ScratchDirectory scratch(DriveTBase());
    const std::wstring notAProgram = scratch / L"letter.exe";
    MakeFile(notAProgram, "Dear reader,\r\n");
    const Outcome bad = desktop.RunCommand(notAProgram + L" ", kNormalFocus);
    ASSERT_TRUE(bad.failed());
    const std::string text = Narrow(bad.failure().description);
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
    EXPECT_NE(text.find(Narrow(notAProgram)), std::string::npos) << text;
}

}  // namespace
}  // namespace tavolin::win32test
