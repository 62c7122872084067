#include <gtest/gtest.h>

#include "bar/frm_main.h"
#include "recording_desktop.h"
#include "ui/headless/headless.h"

namespace tavolin {
namespace {

using testing::RecordingDesktop;
using Calls = std::vector<std::string>;

// Every control of the bar with the description its pointer moves must show,
// written out here rather than read from the bar's own table.
struct Described {
    ui::Control& control;
    const wchar_t* description;
};

std::vector<Described> Descriptions(FrmMain& bar) {
    return {
        {bar.Image3, L"Exit Windows"},
        {bar.Image1, L"DOS Prompt"},
        {bar.Image7, L"Run and File Load Functions"},
        {bar.Image2, L"Explorer"},
        {bar.Image10, L"Find Files"},
        {bar.Image9, L"Control Panel"},
        {bar.Image5, L"WordPad"},
        {bar.Image4, L"NotePad"},
        {bar.PicFace2, L"Phone Dialer"},
        {bar.PicFace1, L"Phone Dialer"},
        {bar.Image12, L"TaskBar"},
        {bar.Image8, L"Utilities"},
        {bar.Image6, L"Games"},
        {bar.Image13, L"Multimedia"},
        {bar.Image11, L"Windows Help"},
        {bar.Image14, L"Tavolin Help"},
        {bar.Command1, L"About?"},
    };
}

TEST(FrmMain, StartsWithAnEmptyTitleTheFirstTelephoneFrameAndTheLaunchContext) {
    RecordingDesktop desktop;
    desktop.windowsDir = L"D:\\WIN95";
    desktop.AddDirectory(L"D:\\WIN95");
    FrmMain bar(desktop);
    EXPECT_TRUE(desktop.calls.empty()) << "nothing is read before the window is shown";
    EXPECT_EQ(bar.Timer2.Interval(), 500);

    bar.Show();
    EXPECT_EQ(bar.Title(), L"");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 0);
    EXPECT_TRUE(bar.PicFace2.Visible());
    EXPECT_FALSE(bar.PicFace1.Visible());
    EXPECT_EQ(bar.CaptionPrefix, L"Tavolin - ");
    EXPECT_EQ(bar.Timer2.Interval(), 4000);
    EXPECT_EQ(bar.Context().WindowsDir, L"D:\\WIN95");
    EXPECT_EQ(bar.Context().WindowsRoot, L"D:\\");
    EXPECT_EQ(desktop.calls, (Calls{"WindowsDirectory(145)", "ChangeDirectory(\"D:\\WIN95\")"}));
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
    EXPECT_EQ(desktop.calls, (Calls{"WindowsDirectory(145)", "ChangeDirectory(\"E:\\GONE\")"}));
    EXPECT_EQ(bar.Timer2.Interval(), 4000);
    EXPECT_EQ(bar.CaptionPrefix, L"Tavolin - ");
    EXPECT_EQ(bar.Context().WindowsDir, L"E:\\GONE");
    EXPECT_EQ(bar.Context().WindowsRoot, L"E:\\");
    EXPECT_EQ(bar.Title(), L"");
    EXPECT_EQ(desktop.CurrentDirectory(), L"C:\\WORK");
    EXPECT_TRUE(bar.PicFace2.Visible());
    EXPECT_FALSE(bar.PicFace1.Visible());
}

TEST(FrmMain, EveryControlShowsItsOwnDescriptionAfterThePrefix) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();
    desktop.Forget();
    const std::vector<Described> described = Descriptions(bar);
    ASSERT_EQ(described.size(), bar.Controls().size() - 1)
        << "every control of the bar but its frame is listed";
    for (const Described& d : described) {
        d.control.MouseMove();
        EXPECT_EQ(bar.Title(), std::wstring(L"Tavolin - ") + d.description)
            << testing::Narrow(d.description);
    }
    EXPECT_TRUE(desktop.calls.empty()) << "hovering acts on nothing outside the bar";
}

TEST(FrmMain, TitleIsWrittenOnlyWhenTheDescriptionChanges) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();

    for (int i = 0; i < 25; ++i) bar.Image2.MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Explorer");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 1);

    // The neighbour's description arrives with its first move.
    bar.Image10.MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Find Files");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 2);
    for (int i = 0; i < 10; ++i) bar.Image10.MouseMove();
    EXPECT_EQ(ui::headless::TitleWrites(bar), 2);

    bar.Image2.MouseMove();
    EXPECT_EQ(bar.Title(), L"Tavolin - Explorer");
    EXPECT_EQ(ui::headless::TitleWrites(bar), 3);

    // The two telephone frames share one description: moving from one to the
    // other rewrites nothing.
    bar.PicFace2.MouseMove();
    bar.PicFace1.MouseMove();
    bar.PicFace2.MouseMove();
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
    bar.Image4.MouseMove();
    const int writes = ui::headless::TitleWrites(bar);

    bar.Timer2.Tick();
    EXPECT_TRUE(bar.PicFace1.Visible());
    EXPECT_FALSE(bar.PicFace2.Visible());
    bar.Timer2.Tick();
    EXPECT_FALSE(bar.PicFace1.Visible());
    EXPECT_TRUE(bar.PicFace2.Visible());
    bar.Timer2.Tick();
    EXPECT_TRUE(bar.PicFace1.Visible());
    EXPECT_FALSE(bar.PicFace2.Visible());

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
    for (int frame : {2, 1, 2}) {
        ui::Picture& visible = frame == 2 ? bar.PicFace2 : bar.PicFace1;
        ASSERT_TRUE(visible.Visible()) << "frame " << frame;
        bar.Image3.MouseMove();
        visible.MouseMove();
        EXPECT_EQ(bar.Title(), L"Tavolin - Phone Dialer") << "frame " << frame;
        desktop.Forget();
        visible.Click();
        EXPECT_EQ(desktop.calls, dialer) << "frame " << frame;
        bar.Timer2.Tick();
    }
}

}  // namespace
}  // namespace tavolin
