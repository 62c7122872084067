#include <gtest/gtest.h>

#include "bar/frm_main.h"
#include "bar_control.h"
#include "recording_desktop.h"
#include "ui/headless/headless.h"

namespace tavolin {
namespace {

using testing::BarControl;
using testing::RecordingDesktop;
using testing::Telephone;
using Calls = std::vector<std::string>;

// What every control of the bar must show when the pointer moves over it,
// left to right, written out here rather than read from the bar's own table.
const wchar_t* const kDescriptions[] = {
    L"Exit Windows", L"DOS Prompt",   L"Run and File Load Functions",
    L"Explorer",     L"Find Files",   L"Control Panel",
    L"WordPad",      L"NotePad",      L"Phone Dialer",
    L"TaskBar",      L"Utilities",    L"Games",
    L"Multimedia",   L"Windows Help", L"Tavolin Help",
    L"About?"};

TEST(FrmMain, StartsWithAnEmptyTitleTheFirstTelephoneFrameAndTheLaunchContext) {
    RecordingDesktop desktop;
    desktop.windowsDir = L"D:\\WIN95";
    desktop.AddDirectory(L"D:\\WIN95");
    FrmMain bar(desktop);
    EXPECT_TRUE(desktop.calls.empty()) << "nothing is read before the window is shown";
    EXPECT_EQ(bar.Timer2.Interval(), 0) << "the telephone is still until start-up";

    bar.Show();
    EXPECT_EQ(bar.Title(), L"");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 0);
    EXPECT_EQ(Telephone(bar.Frame1).Shown(), 0);
    EXPECT_EQ(bar.CaptionPrefix, L"Tavolin - ");
    EXPECT_EQ(bar.Timer2.Interval(), 4000);
    EXPECT_EQ(bar.Context().WindowsDir, L"D:\\WIN95");
    EXPECT_EQ(bar.Context().WindowsRoot, L"D:\\");
    EXPECT_EQ(desktop.calls, (Calls{"WindowsDirectory()", "ChangeDirectory(\"D:\\WIN95\")"}));
    // The Windows directory becomes current on its own drive only.
    EXPECT_EQ(desktop.currentDrive, L'C');
    EXPECT_EQ(desktop.drives[L'D'].currentDirectory, L"D:\\WIN95");

    // Showing the bar again does not start it up again.
    bar.Show();
    EXPECT_EQ(desktop.calls.size(), 2u);
}

TEST(FrmMain, StartUpCompletesWhenTheWindowsDirectoryCannotBeMadeCurrent) {
    RecordingDesktop desktop;
    desktop.windowsDir = L"E:\\GONE";  // no such directory: ChangeDirectory fails
    desktop.AddDirectory(L"C:\\WORK");
    desktop.drives[L'C'].currentDirectory = L"C:\\WORK";
    FrmMain bar(desktop);
    bar.Show();
    EXPECT_EQ(desktop.calls, (Calls{"WindowsDirectory()", "ChangeDirectory(\"E:\\GONE\")"}));
    EXPECT_EQ(bar.Timer2.Interval(), 4000);
    EXPECT_EQ(bar.CaptionPrefix, L"Tavolin - ");
    EXPECT_EQ(bar.Context().WindowsDir, L"E:\\GONE");
    EXPECT_EQ(bar.Context().WindowsRoot, L"E:\\");
    EXPECT_EQ(bar.Title(), L"");
    EXPECT_EQ(desktop.CurrentDirectory(), L"C:\\WORK");
    EXPECT_EQ(Telephone(bar.Frame1).Shown(), 0);
}

TEST(FrmMain, EveryControlShowsItsOwnDescriptionAfterThePrefix) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();
    desktop.Forget();
    // The strip, then its controls left to right.
    ASSERT_EQ(bar.Controls().size(), std::size(kDescriptions) + 1);
    ASSERT_EQ(bar.Controls().front(), &bar.Frame1);
    for (size_t i = 0; i < std::size(kDescriptions); ++i) {
        bar.Controls()[i + 1]->MouseMove();
        EXPECT_EQ(bar.Title(), std::wstring(L"Tavolin - ") + kDescriptions[i])
            << testing::Narrow(kDescriptions[i]);
        // A screen reader hears the same.
        EXPECT_EQ(bar.Controls()[i + 1]->accessibleName, kDescriptions[i]);
    }
    EXPECT_TRUE(desktop.calls.empty()) << "hovering acts on nothing outside the bar";
}

TEST(FrmMain, TitleIsWrittenOnlyWhenTheDescriptionChanges) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();

    for (int i = 0; i < 25; ++i) BarControl(bar, L"Explorer").MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Explorer");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 1);

    // The neighbour's description arrives with its first move.
    BarControl(bar, L"Find Files").MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Find Files");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 2);
    for (int i = 0; i < 10; ++i) BarControl(bar, L"Find Files").MouseMove();
    EXPECT_EQ(ui::headless::TitleWrites(bar), 2);

    BarControl(bar, L"Explorer").MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Explorer");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 3);

    // The telephone's two pictures share one description: moving over it as
    // they take turns rewrites nothing more.
    BarControl(bar, L"Phone Dialer").MouseMove();
    bar.Timer2.Tick();
    BarControl(bar, L"Phone Dialer").MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Phone Dialer");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 4);

    // Leaving the icons for the frame's background keeps the last description.
    bar.Frame1.MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Phone Dialer");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 4);
}

TEST(FrmMain, TimerSwapsTheTelephoneFramesAndLeavesTheTitle) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();
    BarControl(bar, L"NotePad").MouseMove();
    const int writes = ui::headless::TitleWrites(bar);

    // The telephone's two pictures take turns; every other cell has one.
    for (int shown : {1, 0, 1}) {
        bar.Timer2.Tick();
        EXPECT_EQ(Telephone(bar.Frame1).Shown(), shown);
    }
    // Only the telephone's cell is redrawn: one a tick.
    for (const ui::Picture* picture : bar.Frame1.Pictures())
        EXPECT_EQ(ui::headless::PictureWrites(*picture), picture == &Telephone(bar.Frame1) ? 3 : 0)
            << testing::Narrow(picture->accessibleName);

    EXPECT_EQ(bar.Title(), L"Tavolin - NotePad");
    EXPECT_EQ(ui::headless::TitleWrites(bar), writes);
    EXPECT_EQ(bar.Timer2.Interval(), 4000);
}

TEST(FrmMain, TelephoneBehavesAlikeWhicheverFrameShows) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();
    const Calls dialer{"RunCommand(\"DIALER.EXE \", 1)", "ChangeDrive(\"C:\\WINDOWS\")",
                       "ChangeDirectory(\"C:\\WINDOWS\")"};
    ui::Picture& telephone = Telephone(bar.Frame1);
    for (int shown : {0, 1, 0}) {
        ASSERT_EQ(telephone.Shown(), shown);
        BarControl(bar, L"Exit Windows").MouseMove();
        telephone.MouseMove();
        EXPECT_EQ(bar.Title(), L"Tavolin - Phone Dialer") << "picture " << shown;
        desktop.Forget();
        telephone.Click();
        EXPECT_EQ(desktop.calls, dialer) << "picture " << shown;
        bar.Timer2.Tick();
    }
}

}  // namespace
}  // namespace tavolin
