// Hostile input and faults against the real system: command lines at and
// over the system's limit, shell characters and device names, files locked
// or in great number, long directories and a drive's directory removed, and
// no printer. Nothing on disk changes but what was asked for.
#include "desktop/win32/win32_desktop.h"
#include "fixture.h"

namespace tavolin::win32test {
namespace {

// Runs a command line that starts echo_args.exe and returns the command line
// it received; empty when it did not start.
std::wstring EchoedLine(Win32Desktop& desktop, const ScratchDirectory& scratch,
                        const std::wstring& commandLine) {
    static int runs = 0;
    const std::wstring output = scratch / (L"echo" + std::to_wstring(++runs) + L".txt");
    SetEnvironmentVariableW(L"TAVOLIN_ECHO_FILE", output.c_str());
    if (const Outcome failure = desktop.RunCommand(commandLine, kNormalFocus); failure.failed()) {
        ADD_FAILURE() << "did not start: " << Narrow(failure.failure().description);
        return L"";
    }
    EXPECT_TRUE(WaitFor([&] { return Exists(output); })) << "no echo";
    const std::wstring text = ReadUtf16File(output);
    return text.substr(0, text.find(L'\n'));
}

// Makes the test's directory current and goes back afterwards.
class InDirectory {
public:
    explicit InDirectory(const std::wstring& directory) : before_(CurrentDirectory()) {
        EXPECT_TRUE(SetCurrentDirectoryW(directory.c_str())) << Narrow(directory);
    }
    ~InDirectory() { SetCurrentDirectoryW(before_.c_str()); }

private:
    std::wstring before_;
};

TEST(BadInput, CommandLinesReachTheProgramWholeAndUnexpandedUpToTheSystemsLimit) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    const std::wstring echo = ProgramDirectory() + L"\\echo_args.exe ";
    InDirectory in(scratch.path());
    MakeFile(scratch / L"victim.txt");

    // No shell stands between: % ^ & > are the program's to read.
    const std::wstring hostile = echo + L"%PATH% ^& del victim.txt & del victim.txt > made.txt ";
    EXPECT_EQ(Narrow(EchoedLine(desktop, scratch, hostile)), Narrow(hostile));
    EXPECT_TRUE(Exists(scratch / L"victim.txt"));
    EXPECT_FALSE(Exists(scratch / L"made.txt"));

    // 32,000 characters arrive as they were.
    const std::wstring longLine = echo + std::wstring(32000 - echo.size() - 1, L'a') + L" ";
    ASSERT_EQ(longLine.size(), 32000u);
    EXPECT_EQ(EchoedLine(desktop, scratch, longLine), longLine);

    // Over the limit nothing starts, and the system says why.
    const Outcome failure = desktop.RunCommand(echo + std::wstring(32767, L'a'), kNormalFocus);
    ASSERT_TRUE(failure.failed()) << "a command line over 32,767 characters started";
    EXPECT_EQ(Narrow(failure.failure().description),
              Narrow(ExpectedText(ERROR_FILENAME_EXCED_RANGE)));
}

TEST(BadInput, DeviceNamesStartNothing) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    InDirectory in(scratch.path());
    for (const wchar_t* line : {L"CON.EXE ", L"NUL.EXE ", L"NUL ", L"CON.TXT "}) {
        const Outcome failure = desktop.RunCommand(line, kNormalFocus);
        ASSERT_TRUE(failure.failed()) << Narrow(line) << " started something";
        EXPECT_FALSE(failure.failure().description.empty()) << Narrow(line);
    }
}

TEST(BadInput, AFileOpenInAnotherProgramIsNotDeleted) {
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    const std::wstring file = scratch / L"locked.exe";
    MakeFile(file);
    const HANDLE open = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);

    const Outcome failure = desktop.DeleteFile(file);
    ASSERT_TRUE(failure.failed()) << "a file open without sharing was deleted";
    EXPECT_EQ(Narrow(failure.failure().description), Narrow(ExpectedText(ERROR_SHARING_VIOLATION)));
    EXPECT_TRUE(Exists(file));

    CloseHandle(open);
    EXPECT_TRUE(desktop.DeleteFile(file).ok());
    EXPECT_FALSE(Exists(file));
}

// Wine makes each new file more slowly the fuller its directory (ten thousand
// take half a minute), so the real directory holds two thousand; the
// browser's list of ten thousand is a unit test.
TEST(BadInput, ThousandsOfFilesAreListedSorted) {
    constexpr int kCount = 2000;
    Win32Desktop desktop;
    ScratchDirectory scratch(DriveTBase());
    // Made in a scrambled order, names of mixed case.
    for (int i = 0; i < kCount; ++i) {
        const int n = (i * 7919) % kCount;
        wchar_t name[16];
        swprintf(name, 16, n % 2 ? L"f%05d.exe" : L"F%05d.EXE", n);
        MakeFile(scratch / name);
    }
    MakeFile(scratch / L"other.txt");

    const Result<std::vector<std::wstring>> names = desktop.MatchingFiles(scratch.path(), L"*.exe");
    ASSERT_TRUE(names.ok()) << Narrow(names.failure().description);
    ASSERT_EQ(names.value().size(), static_cast<size_t>(kCount));
    for (int i = 0; i < kCount; ++i) {
        wchar_t expected[16];
        swprintf(expected, 16, i % 2 ? L"f%05d.exe" : L"F%05d.EXE", i);
        ASSERT_EQ(Narrow(names.value()[i]), Narrow(expected)) << "at " << i;
    }
}

TEST(BadInput, LongDirectoriesCanBeMadeCurrentAndListed) {
    Win32Desktop desktop;
    const std::wstring before = CurrentDirectory();
    ScratchDirectory onT(DriveTBase());
    std::wstring deep = onT.path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        MakeDirectory(deep);
    }
    MakeDirectory(deep + L"\\inner");
    ASSERT_TRUE(desktop.ChangeDrive(L"C:\\").ok());

    // On a drive that is not current.
    Outcome failure = desktop.ChangeDirectory(deep);
    ASSERT_TRUE(failure.ok()) << Narrow(failure.failure().description);
    Result<std::wstring> directory = desktop.DriveDirectory(L"t:");
    ASSERT_TRUE(directory.ok()) << Narrow(directory.failure().description);
    EXPECT_EQ(Narrow(directory.value()), Narrow(deep));

    // On the current drive: Wine lets a directory past MAX_PATH be current.
    failure = desktop.ChangeDrive(L"t:");
    ASSERT_TRUE(failure.ok()) << Narrow(failure.failure().description);
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(deep));
    failure = desktop.ChangeDirectory(L"inner");
    ASSERT_TRUE(failure.ok()) << Narrow(failure.failure().description);
    EXPECT_EQ(Narrow(CurrentDirectory()), Narrow(deep + L"\\inner"));
    directory = desktop.DriveDirectory(L"t:");
    ASSERT_TRUE(directory.ok()) << Narrow(directory.failure().description);
    EXPECT_EQ(Narrow(directory.value()), Narrow(deep + L"\\inner"));
    const Result<std::vector<std::wstring>> up = desktop.Subdirectories(L"..");
    ASSERT_TRUE(up.ok()) << Narrow(up.failure().description);
    EXPECT_EQ(up.value(), std::vector<std::wstring>{L"inner"});

    ASSERT_TRUE(desktop.ChangeDirectory(L"T:\\").ok());
    SetCurrentDirectoryW(before.c_str());
}

TEST(BadInput, ADrivesDirectoryRemovedSinceLeavesItsRoot) {
    Win32Desktop desktop;
    const std::wstring before = CurrentDirectory();
    ScratchDirectory onT(DriveTBase());
    const std::wstring doomed = onT / L"doomed";
    MakeDirectory(doomed);
    ASSERT_TRUE(desktop.ChangeDrive(L"C:\\").ok());
    ASSERT_TRUE(desktop.ChangeDirectory(doomed).ok());
    ASSERT_TRUE(RemoveDirectoryW(doomed.c_str()));

    const Result<std::wstring> directory = desktop.DriveDirectory(L"t:");
    ASSERT_TRUE(directory.ok()) << Narrow(directory.failure().description);
    EXPECT_EQ(Narrow(directory.value()), "T:\\");
    EXPECT_TRUE(desktop.ChangeDrive(L"t:").ok());
    EXPECT_EQ(Narrow(CurrentDirectory()), "T:\\");

    SetCurrentDirectoryW(before.c_str());
}

TEST(BadInput, WithoutAPrinterEveryStepFailsWithAText) {
    Win32Desktop desktop;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Outcome line = desktop.PrintLine(L"first line");
        if (line.ok()) {
            desktop.AbortDocument();
            GTEST_SKIP() << "this system has a default printer";
        }
        EXPECT_EQ(Narrow(line.failure().description), "No default printer is installed.");
        desktop.AbortDocument();
        const Outcome end = desktop.EndDocument();
        ASSERT_TRUE(end.failed());
        EXPECT_EQ(Narrow(end.failure().description), "No default printer is installed.");
    }
}

}  // namespace
}  // namespace tavolin::win32test
