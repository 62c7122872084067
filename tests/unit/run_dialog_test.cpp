#include <gtest/gtest.h>

#include "bar/frm_main.h"
#include "dialogs/frm_brow.h"
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

const LaunchContext kContext{L"C:\\WINDOWS", L"C:\\"};

Calls Started(const std::string& commandLine) {
    return {"RunCommand(\"" + commandLine + "\", 1)", "ChangeDrive(\"C:\\WINDOWS\")",
            "ChangeDirectory(\"C:\\WINDOWS\")"};
}
const std::string kEmptyLine = "ShowMessage(\"Enter the path and program to run\", 16, \"Error\")";

// Plays the user in every modal form while it lives.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(ui::Form&)> driver) {
        ui::headless::SetModalDriver(std::move(driver));
    }
    ~ModalDriver() { ui::headless::SetModalDriver(nullptr); }
};

TEST(FrmRun, RunStartsANonEmptyLineAndCloses) {
    RecordingDesktop desktop;
    FrmRun empty(desktop, kContext);
    empty.Show();
    EXPECT_EQ(empty.Title(), L"Run Program");
    empty.CmdOk.Click();
    EXPECT_EQ(desktop.calls, Calls{kEmptyLine});
    EXPECT_TRUE(empty.IsOpen());
    EXPECT_EQ(empty.Text1.Text(), L"");

    desktop.Forget();
    FrmRun run(desktop, kContext);
    run.Show();
    ui::headless::Type(run.Text1, L"CALC.EXE");
    run.CmdOk.Click();
    EXPECT_EQ(desktop.calls, Started("CALC.EXE "));
    EXPECT_EQ(run.Text1.Text(), L"");
    EXPECT_FALSE(run.IsOpen());

    // Blanks are not empty: the launcher is given them, and they fail there.
    desktop.Forget();
    FrmRun blanks(desktop, kContext);
    blanks.Show();
    ui::headless::Type(blanks.Text1, L"   ");
    blanks.CmdOk.Click();
    EXPECT_EQ(desktop.calls,
              (Calls{"ShowMessage(\" was not found\", 32, \"Program name too short\")"}));
    EXPECT_EQ(blanks.Text1.Text(), L"");
    EXPECT_FALSE(blanks.IsOpen());

    // A failed start still clears and closes.
    desktop.Forget();
    desktop.missingPrograms = {L"NOSUCH.EXE "};
    FrmRun missing(desktop, kContext);
    missing.Show();
    ui::headless::Type(missing.Text1, L"NOSUCH.EXE");
    missing.CmdOk.Click();
    EXPECT_EQ(desktop.calls.back(),
              "ShowMessage(\"NOSUCH.EXE  was not found\", 32, "
              "\"The system cannot find the file specified.\")");
    EXPECT_FALSE(missing.IsOpen());
}

TEST(FrmRun, EnterStartsTheLineAndStaysOpenForTheNext) {
    RecordingDesktop desktop;
    FrmRun run(desktop, kContext);
    run.Show();

    ui::headless::Type(run.Text1, L"NOTEPAD.E");
    EXPECT_TRUE(desktop.calls.empty()) << "only Enter runs the line";
    ui::headless::Type(run.Text1, L"XE\r");
    EXPECT_EQ(desktop.calls, Started("NOTEPAD.EXE "));
    EXPECT_EQ(run.Text1.Text(), L"");
    EXPECT_TRUE(run.IsOpen());

    desktop.Forget();
    ui::headless::Type(run.Text1, L"\r");
    EXPECT_EQ(desktop.calls, Calls{kEmptyLine});
    EXPECT_TRUE(run.IsOpen());

    desktop.Forget();
    ui::headless::Type(run.Text1, L" \r");
    EXPECT_EQ(desktop.calls,
              (Calls{"ShowMessage(\" was not found\", 32, \"Program name too short\")"}));
    EXPECT_EQ(run.Text1.Text(), L"");
    EXPECT_TRUE(run.IsOpen());
}

TEST(FrmRun, QuotedPathsOpenByTypeAndUnquotedLinesPassUnchanged) {
    RecordingDesktop desktop;
    FrmRun run(desktop, kContext);
    run.Show();
    ui::headless::Type(run.Text1, L"\"C:\\My Files\\letter.txt\"\r");
    ui::headless::Type(run.Text1, L"\"C:\\Program Files\\Tool\\tool.exe\"\r");
    ui::headless::Type(run.Text1, L"C:\\Tools\\tool.exe -x \"a b.txt\" c\r");
    Calls expected = Started("C:\\WINDOWS\\NOTEPAD.EXE \"C:\\My Files\\letter.txt\" ");
    for (const char* line :
         {"\"C:\\Program Files\\Tool\\tool.exe\" ", "C:\\Tools\\tool.exe -x \"a b.txt\" c "})
        for (const std::string& call : Started(line)) expected.push_back(call);
    EXPECT_EQ(desktop.calls, expected);
}

TEST(FrmRun, CancelStartsNothing) {
    RecordingDesktop desktop;
    FrmRun run(desktop, kContext);
    run.Show();
    ui::headless::Type(run.Text1, L"CALC.EXE");
    run.CmdCancel.Click();
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_FALSE(run.IsOpen());
}

TEST(FrmRun, BrowseOpensAFreshBrowserModallyAndLeavesTheLineAlone) {
    RecordingDesktop desktop;
    desktop.AddFile(L"C:\\WINDOWS\\CALC.EXE");
    desktop.drives[L'C'].currentDirectory = L"C:\\WINDOWS";
    FrmRun run(desktop, kContext);
    run.Show();
    ui::headless::Type(run.Text1, L"typed");

    int openings = 0;
    ModalDriver driver([&](ui::Form& form) {
        auto* browser = dynamic_cast<FrmBrow*>(&form);
        ASSERT_NE(browser, nullptr);
        ++openings;
        EXPECT_FALSE(run.Enabled()) << "the Run dialog takes no input meanwhile";
        EXPECT_EQ(browser->File1.Pattern(), L"*.exe");
        if (openings == 1) {
            browser->Combo1.Select(1);
            browser->CmdCancel.Click();
        } else {
            browser->File1.box.Select(0);
            browser->CmdRun.Click();
            EXPECT_TRUE(browser->IsOpen());
            browser->CmdCancel.Click();
        }
    });
    run.CmdBrw.Click();
    EXPECT_TRUE(desktop.calls.empty());
    run.CmdBrw.Click();
    EXPECT_EQ(openings, 2);
    EXPECT_EQ(desktop.calls, Started("C:\\WINDOWS\\CALC.EXE "));
    EXPECT_TRUE(run.IsOpen());
    EXPECT_TRUE(run.Enabled());
    EXPECT_EQ(run.Text1.Text(), L"typed");
}

TEST(FrmMain, TheRunIconOpensAFreshRunDialogModally) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();
    desktop.Forget();

    int openings = 0;
    ModalDriver driver([&](ui::Form& form) {
        auto* run = dynamic_cast<FrmRun*>(&form);
        ASSERT_NE(run, nullptr);
        ++openings;
        EXPECT_EQ(run->Title(), L"Run Program");
        EXPECT_EQ(run->Text1.Text(), L"") << "no text survives a close";
        EXPECT_FALSE(bar.Enabled());
        const Calls before = desktop.calls;
        BarControl(bar, L"NotePad").Click();
        BarControl(bar, L"Run and File Load Functions").Click();
        BarControl(bar, L"About?").Click();
        EXPECT_EQ(desktop.calls, before) << "the bar takes no clicks meanwhile";
        ui::headless::Type(run->Text1, L"left behind");
        run->CmdCancel.Click();
    });
    BarControl(bar, L"Run and File Load Functions").Click();
    EXPECT_EQ(openings, 1);
    EXPECT_TRUE(bar.Enabled());
    EXPECT_EQ(ui::headless::FrontForm(), &bar);

    BarControl(bar, L"NotePad").Click();
    EXPECT_EQ(desktop.calls, Started(" NOTEPAD.EXE "));
    BarControl(bar, L"Run and File Load Functions").Click();
    EXPECT_EQ(openings, 2);
}

}  // namespace
}  // namespace tavolin
