#include <gtest/gtest.h>

#include "dialogs/file_actions.h"
#include "dialogs/frm_brow.h"
#include "dialogs/frm_run.h"
#include "recording_desktop.h"

namespace tavolin {
namespace {

using testing::RecordingDesktop;
using Calls = std::vector<std::string>;

const LaunchContext kContext{L"C:\\WINDOWS", L"C:\\"};

// Also notes every pattern the file list reads its directory with, and can
// make one pattern's read fail.
class PatternWatchingDesktop : public RecordingDesktop {
public:
    std::vector<std::wstring> patterns;
    std::wstring failingPattern;

    Result<std::vector<std::wstring>> MatchingFiles(const std::wstring& directory,
                                                    const std::wstring& pattern) override {
        patterns.push_back(pattern);
        if (pattern == failingPattern) return Failure{testing::kNotReady};
        return RecordingDesktop::MatchingFiles(directory, pattern);
    }
};

std::vector<std::wstring> Entries(const ui::ListBox& box) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < box.Count(); ++i) entries.push_back(box.Entry(i));
    return entries;
}

void SelectFile(FileList& files, const std::wstring& name) {
    for (int i = 0; i < files.box.Count(); ++i)
        if (files.box.Entry(i) == name) return files.box.Select(i);
    FAIL() << "not listed: " << testing::Narrow(name);
}

TEST(SelectedFilePath, JoinsDirectoryAndNameWithOneBackslashAndNothingElse) {
    RecordingDesktop desktop;
    desktop.AddFile(L"C:\\WINDOWS\\CALC.EXE");
    desktop.AddFile(L"C:\\README.TXT");
    desktop.AddFile(L"C:\\My Files\\old letter.txt");
    ui::Form host{ui::FormStyle{}};
    FileList files(host, {}, 0, desktop, L"*.*");

    ASSERT_TRUE(files.SetPath(L"C:\\WINDOWS").ok());
    SelectFile(files, L"CALC.EXE");
    EXPECT_EQ(SelectedFilePath(files), L"C:\\WINDOWS\\CALC.EXE");

    ASSERT_TRUE(files.SetPath(L"C:\\").ok());
    SelectFile(files, L"README.TXT");
    EXPECT_EQ(SelectedFilePath(files), L"C:\\README.TXT");

    // Blanks stay as they are: quoting is for the command line only.
    ASSERT_TRUE(files.SetPath(L"C:\\My Files").ok());
    SelectFile(files, L"old letter.txt");
    EXPECT_EQ(SelectedFilePath(files), L"C:\\My Files\\old letter.txt");
}

TEST(RunSelectedFile, StartsProgramsOpensDocumentsAndKeepsTheBrowserAsItWas) {
    RecordingDesktop desktop;
    desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
    desktop.AddFile(L"C:\\WINDOWS\\CALC.EXE");
    desktop.AddFile(L"C:\\WINDOWS\\NOTES.TXT");
    desktop.AddFile(L"C:\\WINDOWS\\MEMO.WRI");
    FrmBrow browser(desktop, kContext);
    browser.Show();

    browser.CmdRun.Click();
    EXPECT_EQ(desktop.calls, (Calls{"ShowMessage(\"Please select the program you want to run\", "
                                    "48, \"Error\")"}));

    desktop.Forget();
    SelectFile(browser.File1, L"CALC.EXE");
    browser.CmdRun.Click();
    EXPECT_EQ(desktop.calls,
              (Calls{"RunCommand(\"C:\\WINDOWS\\CALC.EXE \", 1)", "ChangeDrive(\"C:\\WINDOWS\")",
                     "ChangeDirectory(\"C:\\WINDOWS\")"}));
    EXPECT_TRUE(browser.IsOpen());
    EXPECT_EQ(browser.File1.FileName(), L"CALC.EXE");

    // A double-click is the same action, with documents opened by type.
    browser.Combo1.Select(1);
    for (const auto& [name, accessory] :
         {std::pair{L"NOTES.TXT", "C:\\WINDOWS\\NOTEPAD.EXE "},
          std::pair{L"MEMO.WRI", "C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE "}}) {
        desktop.Forget();
        SelectFile(browser.File1, name);
        browser.File1.box.DblClick();
        ASSERT_FALSE(desktop.calls.empty());
        EXPECT_EQ(desktop.calls.front(), "RunCommand(\"" + std::string(accessory) +
                                             "C:\\WINDOWS\\" + testing::Narrow(name) + " \", 1)");
        EXPECT_EQ(browser.File1.FileName(), name);
    }
    EXPECT_TRUE(browser.IsOpen());
}

TEST(RunSelectedFile, QuotesAPathWithBlanksSoItStaysOneWord) {
    RecordingDesktop desktop;
    // The first word of the unquoted path would name this program.
    desktop.AddFile(L"C:\\Program.exe");
    desktop.AddFile(L"C:\\Program Files\\Tool\\tool.exe");
    desktop.AddFile(L"C:\\My Files\\letter.txt");
    desktop.AddFile(L"C:\\My Files\\Old Memo.WRI");
    FrmBrow browser(desktop, kContext);
    browser.Show();

    ASSERT_TRUE(browser.Dir1.SetPath(L"C:\\Program Files\\Tool").ok());
    SelectFile(browser.File1, L"tool.exe");
    browser.CmdRun.Click();
    ASSERT_FALSE(desktop.calls.empty());
    EXPECT_EQ(desktop.calls.front(), "RunCommand(\"\"C:\\Program Files\\Tool\\tool.exe\" \", 1)");

    ASSERT_TRUE(browser.Dir1.SetPath(L"C:\\My Files").ok());
    browser.Combo1.Select(1);
    desktop.Forget();
    SelectFile(browser.File1, L"letter.txt");
    browser.CmdRun.Click();
    SelectFile(browser.File1, L"Old Memo.WRI");
    browser.File1.box.DblClick();
    EXPECT_EQ(desktop.calls,
              (Calls{"RunCommand(\"C:\\WINDOWS\\NOTEPAD.EXE \"C:\\My Files\\letter.txt\" \", 1)",
                     "ChangeDrive(\"C:\\WINDOWS\")", "ChangeDirectory(\"C:\\WINDOWS\")",
                     "RunCommand(\"C:\\PROGRA~1\\ACCESS~1\\WORDPAD.EXE \"C:\\My Files\\Old "
                     "Memo.WRI\" \", 1)",
                     "ChangeDrive(\"C:\\WINDOWS\")", "ChangeDirectory(\"C:\\WINDOWS\")"}));
}

TEST(RunSelectedFile, QuotesWhatTheInterpreterReadsAndRefusesWhatWouldReachAnotherFile) {
    RecordingDesktop desktop;
    desktop.environment = {{L"PROCESSOR_ARCHITECTURE", L"AMD64"},
                           {L"TEMP", L"C:\\TEMP"},
                           {L"PATH", L"C:\\WINDOWS"},
                           {L"EMPTY", L""}};
    ui::Form host{ui::FormStyle{}};
    FileList files(host, {}, 0, desktop, L"*.*");
    // A name to run, whether the interpreter has delayed expansion on, and
    // the program text it reaches the desktop with, or empty where it must
    // be refused.
    const struct {
        const wchar_t* path;
        bool delayedExpansion;
        const char* started;
    } cases[] = {
        {L"C:\\Odd\\x&hxmark&.bat", false, "\"C:\\Odd\\x&hxmark&.bat\""},
        {L"C:\\Odd\\x^y.bat", false, "\"C:\\Odd\\x^y.bat\""},
        {L"C:\\Odd\\a,b(1).exe", false, "\"C:\\Odd\\a,b(1).exe\""},
        {L"C:\\Odd&Ends\\tool.exe", false, "\"C:\\Odd&Ends\\tool.exe\""},
        {L"C:\\Odd\\plain.bat", false, "C:\\Odd\\plain.bat"},
        // No interpreter reads the name of a program started directly.
        {L"C:\\Odd\\50%.exe", false, "C:\\Odd\\50%.exe"},
        {L"C:\\Odd\\hi!there!.exe", true, "\"C:\\Odd\\hi!there!.exe\""},
        // The interpreter leaves a lone % and an undefined name as they stand...
        {L"C:\\Odd\\50%off.bat", false, "C:\\Odd\\50%off.bat"},
        {L"C:\\Odd\\100% sure.bat", false, "\"C:\\Odd\\100% sure.bat\""},
        {L"C:\\Odd\\%UNSET%.bat", false, "C:\\Odd\\%UNSET%.bat"},
        // An empty value is none to the interpreter.
        {L"C:\\Odd\\%EMPTY%.bat", false, "C:\\Odd\\%EMPTY%.bat"},
        {L"C:\\Odd\\%%.bat", false, "C:\\Odd\\%%.bat"},
        // ...and ! where delayed expansion is off.
        {L"C:\\Odd\\run!.bat", false, "\"C:\\Odd\\run!.bat\""},
        {L"C:\\Odd\\hi!there!.bat", false, "\"C:\\Odd\\hi!there!.bat\""},
        // A defined name, one of its own, or a name after an undefined one.
        {L"C:\\Odd\\%PROCESSOR_ARCHITECTURE%.bat", false, ""},
        {L"C:\\Odd\\%temp%.CMD", false, ""},
        {L"C:\\Odd\\%CD%.bat", false, ""},
        {L"C:\\Odd\\%Path:~0,1%.bat", false, ""},
        {L"C:\\Odd\\a%UNSET%TEMP%.bat", false, ""},
        {L"C:\\Odd\\run!.bat", true, ""},
        {L"C:\\sub.\\prog.exe", false, ""},
        {L"C:\\sub.\\notes.txt", false, ""},
        {L"C:\\two \\prog.exe", false, ""},
        {L"C:\\Odd\\notes.txt.", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Narrow(c.path) + (c.delayedExpansion ? " (delayed expansion)" : ""));
        const std::wstring path = c.path;
        const size_t slash = path.find_last_of(L'\\');
        desktop.AddFile(path);
        desktop.delayedExpansion = c.delayedExpansion;
        ASSERT_TRUE(files.SetPath(path.substr(0, slash)).ok());
        SelectFile(files, path.substr(slash + 1));
        desktop.Forget();
        desktop.prompts.clear();
        RunSelectedFile(desktop, kContext, files);
        if (*c.started) {
            ASSERT_FALSE(desktop.calls.empty());
            EXPECT_EQ(desktop.calls.front(), "RunCommand(\"" + std::string(c.started) + " \", 1)");
            EXPECT_TRUE(desktop.prompts.empty());
        } else {
            ASSERT_EQ(desktop.prompts.size(), 1u);
            EXPECT_TRUE(desktop.prompts[0].starts_with(L"Cannot run or open: " + path + L"\r\r"))
                << testing::Narrow(desktop.prompts[0]);
            ASSERT_EQ(desktop.calls.size(), 1u) << "only the refusal";
            EXPECT_TRUE(desktop.calls[0].ends_with(", 48, \"Error\")")) << desktop.calls[0];
        }
    }
}

TEST(DeleteSelectedFile, DeletesOnlyAfterYesAndRereadsWithTheUsersPattern) {
    PatternWatchingDesktop desktop;
    desktop.AddFile(L"C:\\WINDOWS\\KEEP.EXE");
    desktop.AddFile(L"C:\\WINDOWS\\OLD.EXE");
    desktop.AddFile(L"C:\\WINDOWS\\RUN.BAT");
    desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
    FrmBrow browser(desktop, kContext);
    browser.Show();
    browser.Combo1.Select(0);
    const std::wstring programs = L"*.exe;*.com;*.bat";
    ASSERT_EQ(browser.File1.Pattern(), programs);

    browser.Command1.Click();
    EXPECT_EQ(desktop.calls, (Calls{"ShowMessage(\"Please select the file you want to delete\", "
                                    "48, \"Error\")"}));

    const Calls question{
        "ShowMessage(\"Delete: C:\\WINDOWS\\OLD.EXE   Are you Sure ?\", 52, "
        "\"Warning!\")"};
    desktop.Forget();
    desktop.patterns.clear();
    SelectFile(browser.File1, L"OLD.EXE");
    desktop.answers = {7};  // No
    browser.Command1.Click();
    EXPECT_EQ(desktop.calls, question);
    EXPECT_TRUE(desktop.files.count(L"C:\\WINDOWS\\OLD.EXE"));
    EXPECT_EQ(Entries(browser.File1.box),
              (std::vector<std::wstring>{L"KEEP.EXE", L"OLD.EXE", L"RUN.BAT"}));
    EXPECT_EQ(browser.File1.FileName(), L"OLD.EXE");
    EXPECT_TRUE(desktop.patterns.empty());

    desktop.Forget();
    desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    Calls deleted = question;
    deleted.push_back("DeleteFile(\"C:\\WINDOWS\\OLD.EXE\")");
    EXPECT_EQ(desktop.calls, deleted);
    EXPECT_FALSE(desktop.files.count(L"C:\\WINDOWS\\OLD.EXE"));
    EXPECT_EQ(Entries(browser.File1.box), (std::vector<std::wstring>{L"KEEP.EXE", L"RUN.BAT"}));
    EXPECT_EQ(desktop.patterns, (std::vector<std::wstring>{programs}));
    EXPECT_EQ(browser.File1.Pattern(), programs);
    EXPECT_EQ(browser.Combo1.SelectedIndex(), 0);
    EXPECT_TRUE(browser.IsOpen());
}

TEST(DeleteSelectedFile, FailureNamesThePathTitledWithTheReasonAndLeavesTheList) {
    PatternWatchingDesktop desktop;
    desktop.AddFile(L"C:\\WINDOWS\\LOCKED.EXE");
    desktop.AddFile(L"C:\\WINDOWS\\OTHER.EXE");
    desktop.undeletable = {L"C:\\WINDOWS\\LOCKED.EXE"};
    desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
    FrmBrow browser(desktop, kContext);
    browser.Show();
    const std::vector<std::wstring> listed{L"LOCKED.EXE", L"OTHER.EXE"};
    desktop.patterns.clear();

    SelectFile(browser.File1, L"LOCKED.EXE");
    desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    EXPECT_EQ(desktop.calls,
              (Calls{"ShowMessage(\"Delete: C:\\WINDOWS\\LOCKED.EXE   Are you Sure ?\", 52, "
                     "\"Warning!\")",
                     "DeleteFile(\"C:\\WINDOWS\\LOCKED.EXE\")",
                     "ShowMessage(\"Cannot delete: C:\\WINDOWS\\LOCKED.EXE\", 64, "
                     "\"Access is denied.\")"}));
    EXPECT_TRUE(desktop.patterns.empty()) << "no re-read after a failed delete";
    EXPECT_EQ(Entries(browser.File1.box), listed);
    EXPECT_EQ(browser.File1.FileName(), L"LOCKED.EXE");

    // A list that cannot be re-read afterwards is reported the same way.
    desktop.Forget();
    desktop.failingPattern = L"*.exe";
    SelectFile(browser.File1, L"OTHER.EXE");
    desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    ASSERT_EQ(desktop.calls.size(), 3u);
    EXPECT_EQ(desktop.calls[1], "DeleteFile(\"C:\\WINDOWS\\OTHER.EXE\")");
    EXPECT_EQ(desktop.calls[2],
              "ShowMessage(\"Cannot delete: C:\\WINDOWS\\OTHER.EXE\", 64, "
              "\"The device is not ready.\")");
    EXPECT_EQ(browser.File1.Pattern(), L"*.exe");
}

TEST(DeleteSelectedFile, AsksAboutAndDeletesTheUnquotedPath) {
    RecordingDesktop desktop;
    desktop.AddFile(L"C:\\My Files\\old letter.txt");
    FrmBrow browser(desktop, kContext);
    browser.Show();
    ASSERT_TRUE(browser.Dir1.SetPath(L"C:\\My Files").ok());
    browser.Combo1.Select(1);
    SelectFile(browser.File1, L"old letter.txt");
    desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    EXPECT_EQ(desktop.calls,
              (Calls{"ShowMessage(\"Delete: C:\\My Files\\old letter.txt   Are you Sure ?\", 52, "
                     "\"Warning!\")",
                     "DeleteFile(\"C:\\My Files\\old letter.txt\")"}));
    EXPECT_TRUE(desktop.files.empty());
    EXPECT_EQ(browser.File1.box.Count(), 0);
}

TEST(ShowFileTypeHelp, TheRunDialogsVariantHasOneMoreBlankBeforeTheLastSentence) {
    const std::wstring head =
        L"Valid items you can RUN are:\r\r"
        L"1: Any program (.EXE, .BAT, .COM)\r"
        L"2: Files that end in (.WRI, .HLP, .TXT, .DOC,).\r\r"
        L"If you select any of the above listed file types, (#2),";
    const std::wstring tail =
        L"WordPad will automatically start and load .WRI and .DOC files, Notepad will load .TXT "
        L"files.";

    RecordingDesktop desktop;
    FrmRun run(desktop, kContext);
    run.Show();
    run.CmdPgm.Click();
    FrmBrow browser(desktop, kContext);
    browser.Show();
    browser.CmdPgm.Click();

    ASSERT_EQ(desktop.prompts.size(), 2u);
    EXPECT_EQ(desktop.prompts[0], head + L"  " + tail);
    EXPECT_EQ(desktop.prompts[1], head + L" " + tail);
    for (const std::string& call : desktop.calls)
        EXPECT_TRUE(call.ends_with("\", 0, \"Help on File Types\")")) << call;
    EXPECT_TRUE(run.IsOpen());
    EXPECT_TRUE(browser.IsOpen());
}

}  // namespace
}  // namespace tavolin
