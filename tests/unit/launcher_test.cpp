#include <gtest/gtest.h>

#include "launch/launcher.h"
#include "recording_desktop.h"

namespace tavolin {
namespace {

using testing::RecordingDesktop;
using Calls = std::vector<std::string>;

LaunchContext Context(const std::wstring& dir = L"C:\\WINDOWS") { return {dir, dir.substr(0, 3)}; }

TEST(LaunchProgram, BuildsCommandLinesByExtension) {
    struct Case {
        const wchar_t* program;
        const char* expected;
    };
    const Case cases[] = {
        {L"dialer.exe", "dialer.exe "},
        {L"DIALER.EXE", "DIALER.EXE "},
        {L" NOTEPAD.EXE", " NOTEPAD.EXE "},
        {L"C:\\DOCS\\LETTER.doc", "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE C:\\DOCS\\LETTER.doc "},
        {L"memo.Wri", "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE memo.Wri "},
        {L"HELP.HLP", "C:\\WINDOWS\\WINHELP.EXE HELP.HLP "},
        {L"NOTES.TXT", "C:\\WINDOWS\\NOTEPAD.EXE NOTES.TXT "},
        {L"PAGE.HTML", "PAGE.HTML "},
        {L"FILE.", "FILE. "},
        {L"README", "README "},
        {L"A.BC", "A.BC "},
        // Leading blanks are skipped by the extension test only.
        {L"  notes.txt", "C:\\WINDOWS\\NOTEPAD.EXE   notes.txt "},
        // A quoted path is read inside its quotes and handed on quoted.
        {L"\"C:\\My Files\\letter.txt\"", "C:\\WINDOWS\\NOTEPAD.EXE \"C:\\My Files\\letter.txt\" "},
        {L"\"C:\\Program Files\\Tool\\tool.exe\"", "\"C:\\Program Files\\Tool\\tool.exe\" "},
        {L"\"C:\\Tools\\t.exe\" -x", "\"C:\\Tools\\t.exe\" -x "},
        // Only a quoted name with nothing after it is read inside its quotes.
        {L"\"C:\\Tools\\t.exe\" \"notes.txt\"", "\"C:\\Tools\\t.exe\" \"notes.txt\" "},
    };
    for (const Case& c : cases) {
        RecordingDesktop desktop;
        LaunchProgram(desktop, Context(), c.program, L"");
        EXPECT_EQ(desktop.calls,
                  (Calls{"RunCommand(\"" + std::string(c.expected) + "\", 1)",
                         "ChangeDrive(\"C:\\WINDOWS\")", "ChangeDirectory(\"C:\\WINDOWS\")"}))
            << testing::Narrow(c.program);
    }
}

TEST(LaunchProgram, WindowsDirectoryAtARootGetsNoDoubledBackslash) {
    RecordingDesktop desktop;
    desktop.AddDirectory(L"D:\\");
    LaunchProgram(desktop, Context(L"D:\\"), L"NOTES.TXT", L"");
    EXPECT_EQ(desktop.calls.front(), "RunCommand(\"D:\\NOTEPAD.EXE NOTES.TXT \", 1)");
}

TEST(LaunchProgram, TooShortTextStartsNothingAndSaysNotFound) {
    for (const wchar_t* program : {L"", L"A.B", L"   ", L"  A.B"}) {
        RecordingDesktop desktop;
        LaunchProgram(desktop, Context(), program, L"");
        EXPECT_EQ(desktop.calls,
                  (Calls{"ShowMessage(\" was not found\", 32, \"Program name too short\")"}))
            << testing::Narrow(program);
    }
}

TEST(LaunchProgram, FailedStartQuotesTheWholeCommandLineAndKeepsTheDirectory) {
    RecordingDesktop desktop;
    desktop.AddDirectory(L"C:\\WORK");
    desktop.drives[L'C'].currentDirectory = L"C:\\WORK";
    desktop.missingPrograms = {L"DIALER.EXE ", L"C:\\WINDOWS\\WINHELP.EXE X.HLP "};
    LaunchProgram(desktop, Context(), L"DIALER.EXE", L"");
    LaunchProgram(desktop, Context(), L"X.HLP", L"");
    EXPECT_EQ(desktop.calls,
              (Calls{"RunCommand(\"DIALER.EXE \", 1)",
                     "ShowMessage(\"DIALER.EXE  was not found\", 32, "
                     "\"The system cannot find the file specified.\")",
                     "RunCommand(\"C:\\WINDOWS\\WINHELP.EXE X.HLP \", 1)",
                     "ShowMessage(\"C:\\WINDOWS\\WINHELP.EXE X.HLP  was not found\", 32, "
                     "\"The system cannot find the file specified.\")"}));
    EXPECT_EQ(desktop.CurrentDirectory(), L"C:\\WORK");
}

TEST(LaunchProgram, SuccessfulStartMakesTheWindowsDirectoryCurrent) {
    RecordingDesktop desktop;
    desktop.AddDirectory(L"D:\\GAMES");
    desktop.currentDrive = L'D';
    desktop.drives[L'D'].currentDirectory = L"D:\\GAMES";
    LaunchProgram(desktop, Context(), L"CALC.EXE", L"");
    EXPECT_EQ(desktop.currentDrive, L'C');
    EXPECT_EQ(desktop.CurrentDirectory(), L"C:\\WINDOWS");
}

TEST(LaunchProgram, UnreachableWindowsDirectoryAfterAStartIsReported) {
    RecordingDesktop desktop;
    desktop.AddDirectory(L"E:\\WIN");
    desktop.drives[L'E'].readable = false;
    LaunchProgram(desktop, Context(L"E:\\WIN"), L"CALC.EXE", L"");
    EXPECT_EQ(desktop.calls, (Calls{"RunCommand(\"CALC.EXE \", 1)", "ChangeDrive(\"E:\\WIN\")",
                                    "ShowMessage(\"CALC.EXE  was not found\", 32, "
                                    "\"The device is not ready.\")"}));
}

TEST(InitLaunchContext, ReadsTheWindowsDirectoryAndMakesItCurrent) {
    RecordingDesktop desktop;
    desktop.windowsDir = L"D:\\WIN95";
    desktop.AddDirectory(L"D:\\WIN95");
    const LaunchContext context = InitLaunchContext(desktop);
    EXPECT_EQ(context.WindowsDir, L"D:\\WIN95");
    EXPECT_EQ(context.WindowsRoot, L"D:\\");
    EXPECT_EQ(desktop.calls, (Calls{"WindowsDirectory()", "ChangeDirectory(\"D:\\WIN95\")"}));
    EXPECT_EQ(desktop.currentDrive, L'C');
    EXPECT_EQ(desktop.drives[L'D'].currentDirectory, L"D:\\WIN95");
}

// WordPad where its short path points, else where current Windows keeps it;
// the short path where it is in neither, so that the message names it.
TEST(InitLaunchContext, FindsWordPadWhereTheSystemKeepsIt) {
    const std::wstring shortPath = L"C:\\progra~1\\access~1\\WORDPAD.EXE";
    const std::wstring current = L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe";
    const struct {
        std::vector<std::wstring> files;
        const wchar_t* programFiles;
        const char* icon;      // the command line of a click on the icon
        const char* document;  // of opening C:\x.doc by its type
    } cases[] = {
        {{shortPath, current},
         L"C:\\Program Files",
         "C:\\progra~1\\access~1\\WORDPAD.EXE ",
         "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE C:\\x.doc "},
        {{current},
         L"C:\\Program Files",
         "\"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe\" ",
         "\"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe\" C:\\x.doc "},
        {{current},
         L"",
         "C:\\progra~1\\access~1\\WORDPAD.EXE ",
         "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE C:\\x.doc "},
        {{},
         L"C:\\Program Files",
         "C:\\progra~1\\access~1\\WORDPAD.EXE ",
         "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE C:\\x.doc "},
    };
    for (const auto& c : cases) {
        RecordingDesktop desktop;
        desktop.AddDirectory(L"C:\\WINDOWS");
        for (const std::wstring& file : c.files) desktop.AddFile(file);
        desktop.environment[L"PROGRAMFILES"] = c.programFiles;
        const LaunchContext context = InitLaunchContext(desktop);
        desktop.Forget();
        LaunchProgram(desktop, context, WordPadProgram(context, L"progra~1\\access~1\\WORDPAD.EXE"),
                      L"");
        LaunchProgram(desktop, context, L"C:\\x.doc", L"");
        ASSERT_EQ(desktop.calls.size(), 6u) << testing::Narrow(c.files.empty() ? L"" : c.files[0]);
        EXPECT_EQ(desktop.calls[0], "RunCommand(\"" + std::string(c.icon) + "\", 1)");
        EXPECT_EQ(desktop.calls[3], "RunCommand(\"" + std::string(c.document) + "\", 1)");
    }
}

TEST(InitLaunchContext, ToleratesAnOverlongOrRootWindowsDirectory) {
    RecordingDesktop longDesktop;
    longDesktop.windowsDir = L"C:\\" + std::wstring(150, L'W');
    EXPECT_EQ(InitLaunchContext(longDesktop).WindowsDir, L"");

    RecordingDesktop rootDesktop;
    rootDesktop.windowsDir = L"C:\\";
    const LaunchContext root = InitLaunchContext(rootDesktop);
    EXPECT_EQ(root.WindowsDir, L"C:\\");
    EXPECT_EQ(root.WindowsRoot, L"C:\\");
}

}  // namespace
}  // namespace tavolin
