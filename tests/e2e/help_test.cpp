// The help window of the real Tavolin.exe: opened from the bar's help icon,
// its place, menu and list, Alt+C, and printing on the default printer.
//
// TAVOLIN_HELP_LINES names the file of the 43 expected help lines (UTF-8, one
// a line). The printing tests run only inside the printing test run, which
// sets up the printer and names its output directory in TAVOLIN_PRINT_OUT.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using Lines = std::vector<std::wstring>;

std::wstring Environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    std::wstring out(
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                        static_cast<int>(out.size()));
    return out;
}

Lines ExpectedHelpLines() {
    Lines lines;
    std::ifstream in(Environment(L"TAVOLIN_HELP_LINES").c_str());
    for (std::string line; std::getline(in, line);) lines.push_back(Wide(line));
    return lines;
}

std::vector<HWND> WindowsTitled(const std::wstring& title, DWORD pid) {
    std::vector<HWND> found;
    for (HWND window : e2e::TopLevelWindows(pid))
        if (e2e::Text(window) == title) found.push_back(window);
    return found;
}

// Tavolin with its help window open, opened by a click on the help icon.
class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        expected_ = ExpectedHelpLines();
        ASSERT_EQ(expected_.size(), 43u) << "TAVOLIN_HELP_LINES must name the 43 help lines";
        tavolin_ = e2e::StartTavolin();
        ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not appear";
        icon_ = e2e::BarCell(tavolin_.bar, L"Tavolin Help");
        ASSERT_TRUE(icon_) << "no help icon on the bar";
        help_ = OpenHelp();
        ASSERT_NE(help_, nullptr) << "the help icon opened no \"Help\" window";
        list_ = e2e::ChildOfClass(help_, L"ListBox");
        ASSERT_NE(list_, nullptr);
    }

    HWND OpenHelp() {
        e2e::Click(icon_);
        return e2e::WaitForWindow(L"Help", pid());
    }

    DWORD pid() const { return tavolin_.process.pid(); }

    Lines expected_;
    e2e::Tavolin tavolin_;
    e2e::Target icon_{nullptr};
    HWND help_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(HelpTest, OpensAtItsPlaceWithItsMenuAndTextAndClosesWithAltC) {
    EXPECT_EQ(e2e::ClassName(help_), L"TavolinForm");
    const RECT client = e2e::ClientRectOnScreen(help_);
    EXPECT_EQ(client.left, 64);
    EXPECT_EQ(client.top, 120);
    EXPECT_EQ(client.right - client.left, 523);
    EXPECT_EQ(client.bottom - client.top, 246);

    // Wine keeps a menu inside its own process, so from here only the bar's
    // presence can be seen; its commands are tried by their keys and, for
    // printing, by the pointer.
    EXPECT_NE(GetMenu(help_), nullptr);
    const RECT frame = e2e::WindowRectOnScreen(help_);
    EXPECT_GE(client.top - frame.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));

    // The list fills the client area but for its margins.
    RECT list = e2e::WindowRectOnScreen(list_);
    EXPECT_EQ(list.left - client.left, 1);
    EXPECT_EQ(list.top - client.top, 0);
    EXPECT_EQ(list.right - list.left, 521);
    EXPECT_EQ(list.bottom - list.top, 242);
    EXPECT_EQ(SendMessageW(list_, LB_GETCOUNT, 0, 0), 43);
    EXPECT_EQ(e2e::ListEntries(list_), expected_);
    EXPECT_EQ(e2e::ListSelection(list_), LB_ERR);

    // Opening again brings the same window forward, its list not refilled.
    e2e::ClickEntryAt(list_, 4);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListSelection(list_) == 4; }));
    EXPECT_EQ(OpenHelp(), help_);
    EXPECT_EQ(WindowsTitled(L"Help", pid()).size(), 1u);
    EXPECT_EQ(e2e::ListEntries(list_), expected_);
    EXPECT_EQ(e2e::ListSelection(list_), 4);

    ASSERT_TRUE(e2e::BringToFront(help_));
    e2e::PressKey('C', true);
    EXPECT_TRUE(e2e::WaitForWindowGone(L"Help", pid()));
    EXPECT_TRUE(tavolin_.process.Running());

    // Reopened, it is a fresh window: the whole text once, nothing selected.
    const HWND reopened = OpenHelp();
    ASSERT_NE(reopened, nullptr);
    const HWND list2 = e2e::ChildOfClass(reopened, L"ListBox");
    ASSERT_NE(list2, nullptr);
    EXPECT_EQ(e2e::ListEntries(list2), expected_);
    EXPECT_EQ(e2e::ListSelection(list2), LB_ERR);
    EXPECT_EQ(SendMessageW(list2, LB_GETTOPINDEX, 0, 0), 0);
}

class HelpPrintingTest : public HelpTest {
protected:
    void SetUp() override {
        out_ = e2e::PrintOutDirectory();
        if (out_.empty()) GTEST_SKIP() << "runs only within the printing test (TAVOLIN_PRINT_OUT)";
        HelpTest::SetUp();
    }

    // Clicks the middle of the second command of the menu bar, found as the
    // system lays the bar out: each caption in the menu font with a blank's
    // width on either side, from the client area's left edge.
    void ClickPrintMenu() {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
        const HDC screen = GetDC(nullptr);
        const HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
        const HGDIOBJ previous = SelectObject(screen, font);
        TEXTMETRICW text{};
        GetTextMetricsW(screen, &text);
        auto width = [&](const std::wstring& caption) {
            SIZE size{};
            GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &size);
            return size.cx + 2 * text.tmAveCharWidth;
        };
        const int closeWidth = width(L"Close");
        const int printWidth = width(L"Print Help");
        SelectObject(screen, previous);
        DeleteObject(font);
        ReleaseDC(nullptr, screen);

        const RECT client = e2e::ClientRectOnScreen(help_);
        e2e::ClickAt(client.left + closeWidth + printWidth / 2,
                     client.top - GetSystemMetrics(SM_CYMENU) / 2);
    }

    // The window, its text and selection as printing must leave them.
    void ExpectWindowUnchanged(int selection) {
        EXPECT_TRUE(tavolin_.process.Running());
        EXPECT_EQ(WindowsTitled(L"Help", pid()), std::vector<HWND>{help_});
        EXPECT_EQ(e2e::ListEntries(list_), expected_);
        EXPECT_EQ(e2e::ListSelection(list_), selection);
    }

    std::wstring out_;
};

// The printed documents are read back and compared by the test run itself.
TEST_F(HelpPrintingTest, PrintsOneDocumentPerCommand) {
    ASSERT_EQ(e2e::PrintedDocuments(out_), 0) << "the output directory is not empty";
    e2e::ClickEntryAt(list_, 3);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListSelection(list_) == 3; }));

    ASSERT_TRUE(e2e::BringToFront(help_));
    e2e::PressKey('P', true);
    EXPECT_TRUE(
        e2e::WaitUntil([&] { return e2e::PrintedDocuments(out_) == 1; }, e2e::kPrintTimeoutMs));
    ExpectWindowUnchanged(3);

    ClickPrintMenu();
    EXPECT_TRUE(
        e2e::WaitUntil([&] { return e2e::PrintedDocuments(out_) == 2; }, e2e::kPrintTimeoutMs));
    ExpectWindowUnchanged(3);
    EXPECT_FALSE(e2e::WaitForMessageBox(L"Print Help", pid(), 0)) << "a failure was reported";
}

TEST_F(HelpPrintingTest, ReportsAMissingPrinterAndKeepsTheWindow) {
    const int printedBefore = e2e::PrintedDocuments(out_);
    e2e::ClickEntryAt(list_, 6);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListSelection(list_) == 6; }));

    ASSERT_TRUE(e2e::BringToFront(help_));
    e2e::PressKey('P', true);
    const auto box = e2e::WaitForMessageBox(L"Print Help", pid());
    ASSERT_TRUE(box) << "no message told of the failure";
    EXPECT_EQ(box->prompt, L"The help could not be printed:\rNo default printer is installed.");
    EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
    e2e::PressButton(box->window, L"OK");
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box->window); }));

    ExpectWindowUnchanged(6);
    EXPECT_EQ(e2e::PrintedDocuments(out_), printedBefore);
}

}  // namespace
