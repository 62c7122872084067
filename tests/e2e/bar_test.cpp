// The bar of the real Tavolin.exe, driven by pointer and keyboard: its place,
// the descriptions in its title, the telephone's frames and their cadence, and
// its close.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"

namespace {

using namespace e2e;

const std::wstring kPrefix = L"Tavolin - ";
constexpr int kTimerTimeoutMs = 15000;
// The telephone swaps frames every 4 s. A swap is seen up to one poll of the
// driver after it happens, and a tick is handled late when the machine is
// busy: at a load of eight on two cores the measured periods stayed within
// 100 ms of 4 s, so 400 ms tells a busy machine from a wrong timer.
constexpr ULONGLONG kAnimationMs = 4000;
constexpr ULONGLONG kCadenceMarginMs = 400;

// A control of the bar and where it stands in the bar's client area, in
// pixels at 96 dpi (its twips divided by 15, the frame's offset included).
struct Cell {
    const wchar_t* description;
    RECT place;
};
constexpr RECT At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
const Cell kCells[] = {
    {L"Exit Windows", At(2, 13, 32, 34)},
    {L"DOS Prompt", At(38, 14, 32, 34)},
    {L"Run and File Load Functions", At(76, 14, 32, 34)},
    {L"Explorer", At(111, 15, 32, 34)},
    {L"Find Files", At(147, 15, 32, 34)},
    {L"Control Panel", At(183, 14, 32, 34)},
    {L"WordPad", At(219, 14, 32, 34)},
    {L"NotePad", At(255, 14, 32, 34)},
    {L"Phone Dialer", At(291, 14, 32, 34)},
    {L"TaskBar", At(327, 14, 32, 34)},
    {L"Utilities", At(363, 14, 32, 34)},
    {L"Games", At(400, 14, 32, 34)},
    {L"Multimedia", At(437, 14, 32, 34)},
    {L"Windows Help", At(473, 14, 32, 34)},
    {L"Tavolin Help", At(510, 14, 32, 34)},
    {L"About?", At(580, 15, 19, 34)},
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Describe(const RECT& rect) {
    std::ostringstream text;
    text << "(" << rect.left << ", " << rect.top << ") - (" << rect.right << ", " << rect.bottom
         << ")";
    return text.str();
}

// The picture cells carry their description as window text; the "?" button
// its caption.
std::vector<HWND> Pictures(HWND bar, const std::wstring& description) {
    std::vector<HWND> found;
    for (HWND child : Children(bar))
        if (ClassName(child) == L"TavolinPicture" && Text(child) == description)
            found.push_back(child);
    return found;
}

HWND AboutButton(HWND bar) {
    HWND button = ChildByText(bar, L"?");
    return button && ClassName(button) == L"Button" ? button : nullptr;
}

// The visible control of a description: for the telephone, the frame showing.
HWND Control(HWND bar, const std::wstring& description) {
    if (description == L"About?") return AboutButton(bar);
    for (HWND picture : Pictures(bar, description))
        if (IsWindowVisible(picture)) return picture;
    return nullptr;
}

RECT InClient(HWND bar, HWND control) {
    RECT client = ClientRectOnScreen(bar);
    RECT rect = WindowRectOnScreen(control);
    OffsetRect(&rect, -client.left, -client.top);
    return rect;
}

std::vector<HWND> VisibleOf(const std::vector<HWND>& windows) {
    std::vector<HWND> visible;
    for (HWND window : windows)
        if (IsWindowVisible(window)) visible.push_back(window);
    return visible;
}

bool TitleBecomes(HWND bar, const std::wstring& title) {
    return WaitUntil([&] { return Text(bar) == title; });
}

class Bar : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(tavolin.process.pid(), 0u) << "Tavolin.exe did not start";
        ASSERT_NE(tavolin.bar, nullptr) << "no visible TavolinForm window";
    }
    void TearDown() override { ParkMouse(); }

    Tavolin tavolin = StartTavolin();
};

TEST_F(Bar, StandsAtItsStoredPlaceWithAnEmptyTitle) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96) << "the pixel places below hold at 96 dpi";

    EXPECT_EQ(Text(tavolin.bar), L"");
    // 240, 5985, 9105 x 825 twips.
    RECT client = ClientRectOnScreen(tavolin.bar);
    EXPECT_EQ(Describe(client), Describe(At(16, 399, 607, 55)));

    std::vector<HWND> frames;
    for (HWND child : Children(tavolin.bar))
        if (ClassName(child) == L"TavolinFrame") frames.push_back(child);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Describe(InClient(tavolin.bar, frames[0])), Describe(At(-2, 5, 607, 48)));

    for (const Cell& cell : kCells) {
        SCOPED_TRACE(Narrow(cell.description));
        HWND control = Control(tavolin.bar, cell.description);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), frames[0]);
        EXPECT_EQ(Describe(InClient(tavolin.bar, control)), Describe(cell.place));
    }
    // Both telephone frames share one cell, and one of them shows.
    auto phones = Pictures(tavolin.bar, L"Phone Dialer");
    ASSERT_EQ(phones.size(), 2u);
    EXPECT_EQ(Describe(InClient(tavolin.bar, phones[0])),
              Describe(InClient(tavolin.bar, phones[1])));
    EXPECT_EQ(VisibleOf(phones).size(), 1u);
}

TEST_F(Bar, HoveringEachControlShowsItsDescription) {
    for (const Cell& cell : kCells) {
        SCOPED_TRACE(Narrow(cell.description));
        HWND control = Control(tavolin.bar, cell.description);
        ASSERT_NE(control, nullptr);
        Hover(control);
        EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + cell.description))
            << "title is \"" << Narrow(Text(tavolin.bar)) << "\"";
    }

    // The grey frame between the first two cells: nothing resets the title.
    RECT left = WindowRectOnScreen(Control(tavolin.bar, L"Exit Windows"));
    RECT right = WindowRectOnScreen(Control(tavolin.bar, L"DOS Prompt"));
    POINT gap{(left.right + right.left) / 2, (left.top + left.bottom) / 2};
    ASSERT_EQ(ClassName(WindowFromPoint(gap)), L"TavolinFrame");
    for (int dy : {0, 3, -3, 0}) MoveMouse(gap.x, gap.y + dy);
    const std::wstring last = kPrefix + L"About?";
    EXPECT_FALSE(WaitUntil([&] { return Text(tavolin.bar) != last; }, 500))
        << "title became \"" << Narrow(Text(tavolin.bar)) << "\"";

    // Off the window altogether, too.
    ParkMouse();
    EXPECT_FALSE(WaitUntil([&] { return Text(tavolin.bar) != last; }, 500));
}

TEST_F(Bar, TelephoneFramesTakeTurns) {
    auto phones = Pictures(tavolin.bar, L"Phone Dialer");
    ASSERT_EQ(phones.size(), 2u);
    auto shown = VisibleOf(phones);
    ASSERT_EQ(shown.size(), 1u);
    HWND first = shown[0];
    HWND second = first == phones[0] ? phones[1] : phones[0];

    auto showsOnly = [&](HWND frame) {
        auto visible = VisibleOf(phones);
        return visible.size() == 1 && visible[0] == frame;
    };
    Hover(first);
    EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"Phone Dialer"));

    ASSERT_TRUE(WaitUntil([&] { return showsOnly(second); }, kTimerTimeoutMs))
        << "the telephone frame did not change";
    const ULONGLONG firstSwap = GetTickCount64();
    // The other frame stands for the same command and description.
    Hover(Control(tavolin.bar, L"NotePad"));
    ASSERT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"NotePad"));
    Hover(second);
    EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"Phone Dialer"));

    ASSERT_TRUE(WaitUntil([&] { return showsOnly(first); }, kTimerTimeoutMs))
        << "the telephone frame did not change back";
    const ULONGLONG period = GetTickCount64() - firstSwap;
    std::printf("the telephone swapped after %llu ms\n", period);
    std::fflush(stdout);
    EXPECT_GE(period, kAnimationMs - kCadenceMarginMs);
    EXPECT_LE(period, kAnimationMs + kCadenceMarginMs);
    // The swaps leave the title alone.
    EXPECT_EQ(Text(tavolin.bar), kPrefix + L"Phone Dialer");
}

TEST(BarClose, TheWindowsCloseCommandEndsTheProgram) {
    {
        Tavolin tavolin = StartTavolin();
        ASSERT_NE(tavolin.bar, nullptr);
        PostMessageW(tavolin.bar, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(tavolin.process.WaitForExit(10000)) << "closed by its system menu";
        EXPECT_EQ(tavolin.process.ExitCode(), 0u);
    }
    {
        Tavolin tavolin = StartTavolin();
        ASSERT_NE(tavolin.bar, nullptr);
        ASSERT_TRUE(BringToFront(tavolin.bar));
        PressKey(VK_F4, /*alt=*/true);
        EXPECT_TRUE(tavolin.process.WaitForExit(10000)) << "closed by Alt+F4";
        EXPECT_EQ(tavolin.process.ExitCode(), 0u);
    }
}

}  // namespace
