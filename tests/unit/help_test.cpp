#include <gtest/gtest.h>

#include "bar/frm_main.h"
#include "help/frm_help.h"
#include "bar_control.h"
#include "recording_desktop.h"
#include "ui/headless/headless.h"

namespace tavolin {
namespace {

using testing::BarControl;
using testing::Narrow;
using testing::RecordingDesktop;
using testing::Telephone;
using Calls = std::vector<std::string>;

// The help text as the user must see it, spelt out with its blanks.
const std::string kSpacer = " ";
const std::string kShortRule = std::string(22, '=') + " ";
const std::string kLongRule = std::string(38, '=') + " ";
// One line of the help a line here, its blanks set apart where they matter.
// clang-format off
const std::vector<std::string> kExpectedLines = {
    kSpacer,
    "Tavolin gives you FAST ACCESS to common Windows 95 programs. ",
    kSpacer,
    "Tavolin also takes very little system resources." "  " "If you check",
    "the amount of resources used before and after running Tavolin ",
    "you should notice no percentage change since the only parts of" "  ",
    "Tavolin that are loaded are what is needed to execute your" "  ",
    "Tavolin commands. ",
    kSpacer,
    kShortRule,
    " Program Use",
    kShortRule,
    "Just pass your mouse over the icons and you will see the" "  ",
    "description of what each icon does. ",
    kSpacer,
    "To execute any of the programs on the icons click the icon ONCE to ",
    "run the program. ",
    kSpacer,
    "There is also a RUN icon, which appears as a finger pressing a ",
    "computer key." "  " "This icon will run any file or program you select ",
    "if you load a file then Windows WordPad or NotePad will" "  ",
    "automatically start and load the appropriate file. ",
    kSpacer,
    kLongRule,
    " Start Up Tavolin Automatically ",
    kLongRule,
    "To start Tavolin each time Windows starts:",
    kSpacer,
    "1" "   " "Click the Start button, and then point to Settings.",
    kSpacer,
    "2" "   " "Click Taskbar, and then click the Start Menu Programs tab.",
    kSpacer,
    "3" "   " "Click Add, and then click Browse.",
    kSpacer,
    "4" "   " "Locate the program you want to start, and then double-click it.",
    kSpacer,
    "5" "   " "Click Next, and then double-click the StartUp folder.",
    kSpacer,
    "6" "   " "Type the name that you want to see on the StartUp menu, and then click Finish.",
    kSpacer,
    "    " "If Windows prompts you to choose an icon, click one, and then click Finish.",
    kSpacer,
    kSpacer,
};
// clang-format on

// One printed copy of the help: its 43 lines, 18 empty ones, the end.
Calls ExpectedDocument() {
    Calls calls;
    for (const std::string& line : kExpectedLines) calls.push_back("PrintLine(\"" + line + "\")");
    calls.insert(calls.end(), 61 - kExpectedLines.size(), "PrintLine(\"\")");
    calls.push_back("EndDocument()");
    return calls;
}

std::vector<std::string> Entries(const ui::ListBox& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i) entries.push_back(Narrow(list.Entry(i)));
    return entries;
}

FrmHelp* FrontHelp() { return dynamic_cast<FrmHelp*>(ui::headless::FrontForm()); }

TEST(FrmHelp, LoadFillsTheListWithTheHelpTextLineForLine) {
    RecordingDesktop desktop;
    FrmHelp help(desktop);
    EXPECT_EQ(help.List1.Count(), 0);
    help.Show();

    ASSERT_EQ(kExpectedLines.size(), 43u);
    ASSERT_EQ(help.List1.Count(), 43);
    for (int p = 0; p < 43; ++p)
        EXPECT_EQ(Narrow(help.List1.Entry(p)), kExpectedLines[p]) << "position " << p;
    EXPECT_EQ(help.List1.SelectedIndex(), -1);
    EXPECT_EQ(help.Title(), L"Help");
    // The menu bar shows the commands in this order, and each acts at once.
    ASSERT_EQ(help.Menu().size(), 2u);
    EXPECT_EQ(help.Menu()[0], &help.CloseMenu);
    EXPECT_EQ(help.Menu()[0]->caption, L"&Close");
    EXPECT_EQ(help.Menu()[1], &help.PrintMenu);
    EXPECT_EQ(help.Menu()[1]->caption, L"&Print Help");
    // Filling the list is all that happens on creation.
    EXPECT_EQ(desktop.calls, Calls{});
}

TEST(FrmHelp, PrintingSendsSixtyOneLinesAndOneEndPerDocument) {
    RecordingDesktop desktop;
    FrmHelp help(desktop);
    help.Show();
    help.List1.Select(7);

    help.PrintMenu.Click();
    EXPECT_EQ(desktop.calls, ExpectedDocument());

    help.PrintMenu.Click();
    Calls twice = ExpectedDocument();
    const Calls once = twice;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(desktop.calls, twice);

    EXPECT_TRUE(help.IsOpen());
    EXPECT_EQ(help.List1.SelectedIndex(), 7);
    EXPECT_EQ(Entries(help.List1), kExpectedLines);
}

TEST(FrmHelp, PrinterFailureAbandonsTheDocumentAndSaysSo) {
    const std::string message = "ShowMessage(\"The help could not be printed:\\r" +
                                Narrow(testing::kPrinterError) + "\", 48, \"Print Help\")";
    const Calls document = ExpectedDocument();
    struct Case {
        int failsAtLine;
        bool endFails;
        size_t linesTried;  // the PrintLine calls made, the failing one included
    };
    for (const Case c :
         {Case{0, false, 1}, Case{10, false, 11}, Case{50, false, 51}, Case{-1, true, 61}}) {
        RecordingDesktop desktop;
        FrmHelp help(desktop);
        help.Show();
        help.List1.Select(12);
        desktop.printerFailsAtLine = c.failsAtLine;
        desktop.endDocumentFails = c.endFails;

        help.PrintMenu.Click();
        Calls expected(document.begin(), document.begin() + c.linesTried);
        if (c.endFails) expected.push_back("EndDocument()");
        expected.push_back("AbortDocument()");
        expected.push_back(message);
        EXPECT_EQ(desktop.calls, expected) << "failing at line " << c.failsAtLine;

        EXPECT_TRUE(help.IsOpen());
        EXPECT_EQ(help.List1.SelectedIndex(), 12);
        EXPECT_EQ(Entries(help.List1), kExpectedLines);

        // Once the printer works again a whole copy comes out.
        desktop.printerFailsAtLine = -1;
        desktop.endDocumentFails = false;
        desktop.Forget();
        help.PrintMenu.Click();
        EXPECT_EQ(desktop.calls, document);
    }
}

TEST(FrmHelp, HelpIconOpensOneWindowAndAFreshOneAfterClose) {
    RecordingDesktop desktop;
    FrmMain bar(desktop);
    bar.Show();
    desktop.Forget();

    BarControl(bar, L"Tavolin Help").Click();
    FrmHelp* help = FrontHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->IsOpen());
    EXPECT_EQ(help->List1.Count(), 43);
    help->List1.Select(30);

    // A second click brings the same window forward, not filled again.
    bar.Show();
    ASSERT_EQ(ui::headless::FrontForm(), &bar);
    BarControl(bar, L"Tavolin Help").Click();
    ASSERT_EQ(FrontHelp(), help);
    EXPECT_EQ(ui::headless::TimesShown(*help), 2);
    EXPECT_EQ(Entries(help->List1), kExpectedLines);
    EXPECT_EQ(help->List1.SelectedIndex(), 30);

    help->CloseMenu.Click();
    EXPECT_FALSE(help->IsOpen());
    EXPECT_EQ(ui::headless::FrontForm(), &bar);

    BarControl(bar, L"Tavolin Help").Click();
    FrmHelp* reopened = FrontHelp();
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(reopened->IsOpen());
    EXPECT_EQ(Entries(reopened->List1), kExpectedLines);
    EXPECT_EQ(reopened->List1.SelectedIndex(), -1);
    EXPECT_EQ(ui::headless::TopIndex(reopened->List1), 0);
    EXPECT_EQ(ui::headless::TimesShown(*reopened), 1);

    // The bar stays usable beside the help window, which touches no desktop.
    EXPECT_TRUE(bar.IsOpen());
    EXPECT_TRUE(bar.Enabled());
    EXPECT_EQ(desktop.calls, Calls{});
}

}  // namespace
}  // namespace tavolin
