#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/frm_brow.h"
#include "dialogs/frm_run.h"
#include "recording_desktop.h"

namespace tavolin {
namespace {

using testing::RecordingDesktop;
using Calls = std::vector<std::string>;
using Names = std::vector<std::wstring>;

const LaunchContext kContext{L"C:\\WINDOWS", L"C:\\"};

Names Entries(const ui::ListBox& box) {
    Names entries;
    for (int i = 0; i < box.Count(); ++i) entries.push_back(box.Entry(i));
    return entries;
}

int IndexOf(const ui::ComboBox& box, const std::wstring& entry) {
    for (int i = 0; i < box.Count(); ++i)
        if (box.Entry(i) == entry) return i;
    return -1;
}

// Drive C: on C:\WINDOWS with programs and documents of every kind, a
// readable D: and an unreadable U:.
struct Disks {
    RecordingDesktop desktop;
    Disks() {
        for (const wchar_t* name : {L"CALC.EXE", L"SETUP.COM", L"AUTO.BAT", L"NOTES.TXT",
                                    L"MEMO.WRI", L"LETTER.DOC", L"HELP.HLP", L"PICTURE.BMP"})
            desktop.AddFile(std::wstring(L"C:\\WINDOWS\\") + name);
        desktop.AddFile(L"C:\\WINDOWS\\SYSTEM\\DRIVER.EXE");
        desktop.AddFile(L"C:\\WINDOWS\\SYSTEM\\README.TXT");
        desktop.AddDirectory(L"C:\\WINDOWS\\COMMAND");
        desktop.AddDirectory(L"C:\\WINDOWS\\SYSTEM\\COLOR");
        desktop.AddFile(L"C:\\BOOT.EXE");
        desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
        desktop.AddFile(L"D:\\GAMES\\CHESS.EXE");
        desktop.drives[L'D'].currentDirectory = L"D:\\GAMES";
        desktop.AddDirectory(L"U:\\");
        desktop.drives[L'U'].readable = false;
    }
};

Calls DriveError(const std::string& drive) {
    return {"ShowMessage(\"Error reading Drive " + drive + "\", 0, \"Drive Error\")"};
}

void ChooseDrive(FrmBrow& browser, const std::wstring& drive) {
    const int index = IndexOf(browser.Drive1.box, drive);
    ASSERT_GE(index, 0) << testing::Narrow(drive);
    browser.Drive1.box.Select(index);
}

void DoubleClickDirectory(FrmBrow& browser, const std::wstring& entry) {
    const Names entries = Entries(browser.Dir1.box);
    const auto found = std::find(entries.begin(), entries.end(), entry);
    ASSERT_NE(found, entries.end()) << testing::Narrow(entry);
    browser.Dir1.box.Select(static_cast<int>(found - entries.begin()));
    browser.Dir1.box.DblClick();
}

TEST(FrmBrow, OpensOnTheCurrentDirectoryListingOnlyExeFilesAtFirst) {
    Disks disks;
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();

    EXPECT_EQ(browser.Title(), L"File Run and Delete Options");
    EXPECT_EQ(browser.Drive1.Entries(), (Names{L"c:", L"d:", L"u:"}));
    EXPECT_EQ(browser.Drive1.Drive(), L"c:");
    EXPECT_EQ(browser.SavedDrive, L"c:");
    EXPECT_EQ(browser.Dir1.Path(), L"C:\\WINDOWS");
    EXPECT_EQ(Entries(browser.Dir1.box),
              (Names{L"C:\\", L"  WINDOWS", L"    COMMAND", L"    SYSTEM"}));
    EXPECT_EQ(browser.Dir1.box.SelectedIndex(), 1);
    EXPECT_EQ(browser.File1.Path(), L"C:\\WINDOWS");
    EXPECT_EQ(browser.File1.Pattern(), L"*.exe");
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"CALC.EXE"}));
    EXPECT_EQ(browser.File1.FileName(), L"");
    EXPECT_EQ(browser.Combo1.SelectedIndex(), 0);
    EXPECT_EQ(browser.Combo1.Entry(0), L"*.exe;*.com;*.bat");
    EXPECT_EQ(browser.Combo1.Entry(1), L"*.doc;*.txt;*.wri;*.hlp");
    EXPECT_EQ(browser.Combo1.Count(), 2);
    EXPECT_TRUE(disks.desktop.calls.empty());
}

TEST(FrmBrow, KeepsTheListsInStepAndTheChosenPattern) {
    Disks disks;
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();

    browser.Combo1.Select(1);
    EXPECT_EQ(Entries(browser.File1.box),
              (Names{L"HELP.HLP", L"LETTER.DOC", L"MEMO.WRI", L"NOTES.TXT"}));
    browser.Combo1.Select(0);
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"AUTO.BAT", L"CALC.EXE", L"SETUP.COM"}));

    // Into a subdirectory: the tree grows by one step, the files follow.
    DoubleClickDirectory(browser, L"    SYSTEM");
    EXPECT_EQ(browser.Dir1.Path(), L"C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(Entries(browser.Dir1.box),
              (Names{L"C:\\", L"  WINDOWS", L"    SYSTEM", L"      COLOR"}));
    EXPECT_EQ(browser.Dir1.box.SelectedIndex(), 2);
    EXPECT_EQ(browser.File1.Path(), L"C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(browser.File1.Pattern(), L"*.exe;*.com;*.bat");
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"DRIVER.EXE"}));

    // Up to the root by its entry.
    DoubleClickDirectory(browser, L"C:\\");
    EXPECT_EQ(browser.Dir1.Path(), L"C:\\");
    EXPECT_EQ(Entries(browser.Dir1.box), (Names{L"C:\\", L"  WINDOWS"}));
    EXPECT_EQ(browser.File1.Path(), L"C:\\");
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"BOOT.EXE"}));

    // Another drive: its current directory.
    ChooseDrive(browser, L"d:");
    EXPECT_EQ(browser.Dir1.Path(), L"D:\\GAMES");
    EXPECT_EQ(browser.File1.Path(), L"D:\\GAMES");
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"CHESS.EXE"}));
    EXPECT_EQ(browser.SavedDrive, L"c:");
    EXPECT_TRUE(disks.desktop.calls.empty());
}

TEST(FrmBrow, AnUnreadableDriveFallsBackToTheDriveOfTheOpeningNotTheLastOne) {
    Disks disks;
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();
    ChooseDrive(browser, L"d:");
    ASSERT_EQ(browser.Dir1.Path(), L"D:\\GAMES");

    std::wstring dirAtMessage, filesAtMessage, driveAtMessage;
    disks.desktop.onMessage = [&] {
        dirAtMessage = browser.Dir1.Path();
        filesAtMessage = browser.File1.Path();
        driveAtMessage = browser.Drive1.Drive();
    };
    ChooseDrive(browser, L"u:");
    EXPECT_EQ(disks.desktop.calls, DriveError("u:"));
    EXPECT_EQ(driveAtMessage, L"c:");
    EXPECT_EQ(dirAtMessage, L"C:\\WINDOWS");
    EXPECT_EQ(filesAtMessage, L"C:\\WINDOWS");
    EXPECT_EQ(browser.Drive1.Drive(), L"c:");
    EXPECT_EQ(browser.Dir1.Path(), L"C:\\WINDOWS");
    EXPECT_EQ(Entries(browser.File1.box), (Names{L"CALC.EXE"}));
    EXPECT_TRUE(browser.IsOpen());
}

TEST(FrmBrow, ASavedDriveGoneUnreadableEndsOnAReadableDriveWithOneMessage) {
    Disks disks;
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();
    ASSERT_EQ(browser.SavedDrive, L"c:");
    disks.desktop.drives[L'C'].readable = false;

    ChooseDrive(browser, L"u:");
    EXPECT_EQ(disks.desktop.calls, DriveError("u:"));
    EXPECT_EQ(browser.Drive1.Drive(), L"d:");
    EXPECT_EQ(browser.Dir1.Path(), L"D:\\GAMES");
    EXPECT_EQ(browser.File1.Path(), L"D:\\GAMES");

    // Choosing the unreadable saved drive itself.
    disks.desktop.Forget();
    ChooseDrive(browser, L"c:");
    EXPECT_EQ(disks.desktop.calls, DriveError("c:"));
    EXPECT_EQ(browser.Drive1.Drive(), L"d:");
    EXPECT_EQ(browser.Dir1.Path(), L"D:\\GAMES");

    // With no readable drive left the choice still ends, in one message.
    disks.desktop.Forget();
    disks.desktop.drives[L'D'].readable = false;
    ChooseDrive(browser, L"u:");
    EXPECT_EQ(disks.desktop.calls, DriveError("u:"));
    EXPECT_TRUE(browser.IsOpen());
}

TEST(FrmBrow, AnUnreadableDriveAtOpeningGivesWayToAReadableOneSilently) {
    Disks disks;
    disks.desktop.drives[L'C'].readable = false;
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();
    EXPECT_EQ(browser.Drive1.Drive(), L"d:");
    EXPECT_EQ(browser.SavedDrive, L"d:");
    EXPECT_EQ(browser.File1.Path(), L"D:\\GAMES");
    EXPECT_TRUE(disks.desktop.calls.empty());
}

TEST(FrmBrow, EveryOpeningStartsAfreshAndCancelClosesWithoutActing) {
    Disks disks;
    {
        FrmBrow browser(disks.desktop, kContext);
        browser.Show();
        browser.Combo1.Select(1);
        ChooseDrive(browser, L"d:");
        browser.File1.box.Select(0);
        browser.CmdCancel.Click();
        EXPECT_FALSE(browser.IsOpen());
    }
    {
        FrmBrow browser(disks.desktop, kContext);
        browser.Show();
        EXPECT_EQ(browser.File1.Pattern(), L"*.exe");
        EXPECT_EQ(browser.Combo1.SelectedIndex(), 0);
        EXPECT_EQ(browser.Drive1.Drive(), L"c:");
        EXPECT_EQ(browser.SavedDrive, L"c:");
        EXPECT_EQ(browser.File1.FileName(), L"");
        EXPECT_TRUE(disks.desktop.calls.empty());
    }

    // Another drive made current meanwhile (as a start through the launcher
    // does) is the next opening's drive, and the one it falls back to.
    ASSERT_TRUE(disks.desktop.ChangeDrive(L"D:\\GAMES").ok());
    disks.desktop.Forget();
    FrmBrow browser(disks.desktop, kContext);
    browser.Show();
    EXPECT_EQ(browser.Drive1.Drive(), L"d:");
    EXPECT_EQ(browser.SavedDrive, L"d:");
    EXPECT_EQ(browser.File1.Path(), L"D:\\GAMES");
    ChooseDrive(browser, L"u:");
    EXPECT_EQ(disks.desktop.calls, DriveError("u:"));
    EXPECT_EQ(browser.Drive1.Drive(), L"d:");
    EXPECT_EQ(browser.Dir1.Path(), L"D:\\GAMES");
}

// Started on a share, where a path relative to it would come to mean the
// Windows directory's file of the same name once a start made that current.
TEST(FrmBrow, OnAShareEveryPathIsFullAndNoStartChangesWhatItMeans) {
    Disks disks;
    RecordingDesktop& desktop = disks.desktop;
    for (const wchar_t* name : {L"PROG.EXE", L"VICTIM.TXT"}) {
        desktop.AddFile(std::wstring(L"\\\\server\\share\\sub\\") + name);
        desktop.AddFile(std::wstring(L"C:\\WINDOWS\\sub\\") + name);
    }
    desktop.shareDirectory = L"\\\\server\\share";
    FrmBrow browser(desktop, kContext);
    browser.Show();
    EXPECT_EQ(browser.Drive1.Drive(), L"c:");
    EXPECT_EQ(browser.SavedDrive, L"c:");
    EXPECT_EQ(browser.Dir1.Path(), L"\\\\server\\share");
    EXPECT_EQ(Entries(browser.Dir1.box), (Names{L"\\\\server\\share", L"  sub"}));

    DoubleClickDirectory(browser, L"  sub");
    EXPECT_EQ(Entries(browser.Dir1.box), (Names{L"\\\\server\\share", L"  sub"}));
    EXPECT_EQ(browser.File1.Path(), L"\\\\server\\share\\sub");
    const auto select = [&](const std::wstring& name) {
        const Names names = Entries(browser.File1.box);
        browser.File1.box.Select(
            static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()));
    };
    select(L"PROG.EXE");
    browser.CmdRun.Click();
    browser.CmdRun.Click();
    browser.Combo1.Select(1);
    select(L"VICTIM.TXT");
    desktop.answers = {mb::kAnswerYes};
    browser.Command1.Click();
    const Calls started{"RunCommand(\"\\\\server\\share\\sub\\PROG.EXE \", 1)",
                        "ChangeDrive(\"C:\\WINDOWS\")", "ChangeDirectory(\"C:\\WINDOWS\")"};
    Calls expected = started;
    expected.insert(expected.end(), started.begin(), started.end());
    expected.push_back(
        "ShowMessage(\"Delete: \\\\server\\share\\sub\\VICTIM.TXT   Are you Sure ?\", 52, "
        "\"Warning!\")");
    expected.push_back("DeleteFile(\"\\\\server\\share\\sub\\VICTIM.TXT\")");
    EXPECT_EQ(desktop.calls, expected);
    EXPECT_TRUE(desktop.files.count(L"C:\\WINDOWS\\sub\\VICTIM.TXT"));

    // Up to the share by its entry.
    DoubleClickDirectory(browser, L"\\\\server\\share");
    EXPECT_EQ(browser.File1.Path(), L"\\\\server\\share");
}

// A label's key reaches what it names; a letter shared moves the focus on
// among its controls, in tab order, and presses none; a letter of one
// button alone presses it.
TEST(AccessKeys, ReachWhatTheLettersNameAndPressOnlyALetterOfItsOwn) {
    RecordingDesktop desktop;
    FrmRun run(desktop, kContext);
    FrmBrow browser(desktop, kContext);
    const struct {
        ui::Form& form;
        ui::Control* focus;
        wchar_t key;
        ui::Control* reached;
        bool pressed;
    } cases[] = {
        {run, &run.Text1, L'c', &run.CmdCancel, false},
        {run, &run.CmdCancel, L'C', &run.Text1, false},
        {run, &run.CmdOk, L'c', &run.CmdCancel, false},
        {run, &run.Text1, L'r', &run.CmdOk, true},
        {run, &run.Text1, L'B', &run.CmdBrw, true},
        {run, &run.Text1, L'?', &run.CmdPgm, true},
        {run, &run.Text1, L'x', nullptr, false},
        {browser, &browser.CmdCancel, L'f', &browser.File1.box, false},
        {browser, &browser.File1.box, L'F', &browser.Combo1, false},
        {browser, &browser.Combo1, L'f', &browser.File1.box, false},
        {browser, &browser.CmdCancel, L'd', &browser.Dir1.box, false},
        {browser, &browser.Dir1.box, L'd', &browser.Drive1.box, false},
        {browser, &browser.Drive1.box, L'd', &browser.Command1, false},
        {browser, &browser.Command1, L'd', &browser.Dir1.box, false},
        {browser, nullptr, L'D', &browser.Dir1.box, false},
        {browser, &browser.File1.box, L'c', &browser.CmdCancel, true},
        {browser, &browser.File1.box, L'r', &browser.CmdRun, true},
    };
    for (const auto& c : cases) {
        const ui::AccessKeyAction action = ui::ActionOfAccessKey(c.form, c.key, c.focus);
        EXPECT_EQ(action.control, c.reached) << c.form.style.title.size() << " " << char(c.key);
        EXPECT_EQ(action.press, c.pressed) << char(c.key);
    }
    // Screen readers hear a label's caption as the name of what it names.
    EXPECT_EQ(run.Text1.accessibleName, L"Command Line:");
    EXPECT_EQ(browser.Combo1.accessibleName, L"File Pattern");
}

}  // namespace
}  // namespace tavolin
