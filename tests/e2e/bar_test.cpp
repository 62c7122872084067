// The bar of the real Tavolin.exe, driven by pointer and keyboard: its place,
// the descriptions in its title, the telephone's frames and their cadence, a
// second start while it runs, and its close.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

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

HWND AboutButton(HWND bar) {
    HWND button = ChildByText(bar, L"?");
    return button && ClassName(button) == L"Button" ? button : nullptr;
}

// The "?" button is a window of its own; the cells are parts of the frame's.
Target Control(HWND bar, const std::wstring& description) {
    if (description == L"About?") return AboutButton(bar);
    return BarCell(bar, description);
}

RECT InClient(HWND bar, const Target& control) {
    RECT client = ClientRectOnScreen(bar);
    RECT rect = control.Rect();
    OffsetRect(&rect, -client.left, -client.top);
    return rect;
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
    RECT client = ClientRectOnScreen(tavolin.bar);
    EXPECT_EQ(Describe(client), Describe(kBarClientAt96Dpi));

    std::vector<HWND> frames;
    for (HWND child : Children(tavolin.bar))
        if (ClassName(child) == L"TavolinFrame") frames.push_back(child);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Describe(InClient(tavolin.bar, frames[0])), Describe(At(-2, 5, 607, 48)));

    for (const Cell& cell : kCells) {
        SCOPED_TRACE(Narrow(cell.description));
        const Target control = Control(tavolin.bar, cell.description);
        ASSERT_TRUE(control);
        EXPECT_EQ(Describe(InClient(tavolin.bar, control)), Describe(cell.place));
    }
    EXPECT_EQ(GetParent(AboutButton(tavolin.bar)), frames[0]);
    // The bar, its frame and the "?" button: no window a cell.
    EXPECT_EQ(Children(tavolin.bar).size(), 2u);
}

TEST_F(Bar, HoveringEachControlShowsItsDescription) {
    for (const Cell& cell : kCells) {
        SCOPED_TRACE(Narrow(cell.description));
        const Target control = Control(tavolin.bar, cell.description);
        ASSERT_TRUE(control);
        Hover(control);
        EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + cell.description))
            << "title is \"" << Narrow(Text(tavolin.bar)) << "\"";
    }

    // The grey frame between the first two cells: nothing resets the title.
    RECT left = Control(tavolin.bar, L"Exit Windows").Rect();
    RECT right = Control(tavolin.bar, L"DOS Prompt").Rect();
    POINT gap{(left.right + right.left) / 2, (left.top + left.bottom) / 2};
    ASSERT_EQ(ClassName(WindowFromPoint(gap)), L"TavolinFrame");
    for (int dy : {0, 3, -3, 0}) MoveMouse(gap.x, gap.y + dy);
    const std::wstring last = kPrefix + L"About?";
    EXPECT_FALSE(WaitUntil([&] { return Text(tavolin.bar) != last; }, 500))
        << "title became \"" << Narrow(Text(tavolin.bar)) << "\"";

    // Off the window altogether, too.
    ParkMouse();
    EXPECT_FALSE(WaitUntil([&] { return Text(tavolin.bar) != last; }, 500));

    // A press keeps the pointer while the button is held: the title stays
    // with the pressed cell, and a release over another cell does nothing.
    Hover(Control(tavolin.bar, L"NotePad"));
    ASSERT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"NotePad"));
    LeftButton(true);
    Hover(Control(tavolin.bar, L"WordPad"));
    EXPECT_FALSE(WaitUntil([&] { return Text(tavolin.bar) != kPrefix + L"NotePad"; }, 500))
        << "title became \"" << Narrow(Text(tavolin.bar)) << "\" under the held button";
    LeftButton(false);
    Sleep(1500);  // time for a wrongly started program to show
    EXPECT_TRUE(Descendants(tavolin.process.pid()).empty()) << "a press and release apart acted";
    Hover(Control(tavolin.bar, L"Explorer"));
    EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"Explorer"));
}

TEST_F(Bar, TelephoneFramesTakeTurns) {
    // The telephone is one cell whose picture changes.
    const Target phone = BarCell(tavolin.bar, L"Phone Dialer");
    ASSERT_TRUE(phone);
    ParkMouse();
    const std::vector<COLORREF> first = ScreenPixels(phone.Rect());
    Hover(phone);
    EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"Phone Dialer"));
    ParkMouse();

    std::vector<COLORREF> second;
    ASSERT_TRUE(
        WaitUntil([&] { return (second = ScreenPixels(phone.Rect())) != first; }, kTimerTimeoutMs))
        << "the telephone frame did not change";
    const ULONGLONG firstSwap = GetTickCount64();
    // The other frame stands for the same command and description.
    Hover(Control(tavolin.bar, L"NotePad"));
    ASSERT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"NotePad"));
    Hover(BarCell(tavolin.bar, L"Phone Dialer"));
    EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"Phone Dialer"));
    ParkMouse();

    ASSERT_TRUE(WaitUntil([&] { return ScreenPixels(phone.Rect()) == first; }, kTimerTimeoutMs))
        << "the telephone frame did not change back";
    const ULONGLONG period = GetTickCount64() - firstSwap;
    std::printf("the telephone swapped after %llu ms\n", period);
    std::fflush(stdout);
    EXPECT_GE(period, kAnimationMs - kCadenceMarginMs);
    EXPECT_LE(period, kAnimationMs + kCadenceMarginMs);
    // The swaps leave the title alone.
    EXPECT_EQ(Text(tavolin.bar), kPrefix + L"Phone Dialer");
}

// The cells a screen reader heard the keyboard's focus move to.
std::vector<LONG> g_focusedCells;

void CALLBACK OnFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (ClassName(window) == L"TavolinFrame" && object == OBJID_CLIENT)
        g_focusedCells.push_back(child);
}

int NotepadCount() {
    int count = 0;
    for (HWND window : TopLevelWindows())
        if (ClassName(window) == L"Notepad") ++count;
    return count;
}

TEST_F(Bar, TheKeyboardWalksTheCellsAndPressesThem) {
    ASSERT_EQ(NotepadCount(), 0) << "a Notepad window is already open";
    const KeyboardCues cues(/*always=*/false);
    ASSERT_TRUE(cues.set());
    // Started again with the new cues: the bar already there would come
    // forward in its place.
    tavolin.process.Terminate();
    tavolin = StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const HWND strip = ChildOfClass(tavolin.bar, L"TavolinFrame");
    ASSERT_NE(strip, nullptr);
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocus,
                        tavolin.process.pid(), 0, WINEVENT_OUTOFCONTEXT);
    g_focusedCells.clear();

    // In front without the pointer passing over a cell: no title, no cue.
    const Target firstCell = BarCell(tavolin.bar, kCellDescriptions[0]);
    ASSERT_TRUE(firstCell);
    const RECT first = firstCell.Rect();
    const std::vector<COLORREF> plain = ScreenPixels(first);
    ASSERT_TRUE(BringToFront(tavolin.bar));
    EXPECT_EQ(Text(tavolin.bar), L"");
    EXPECT_EQ(ScreenPixels(first), plain) << "a focus cue before any key";
    // Nor a chosen cell: Enter and Space perform nothing ("Exit Windows",
    // the first, would say that "Program Manager" is missing).
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(tavolin.bar) == strip; }));
    for (WORD key : {VK_RETURN, VK_SPACE}) {
        PressKey(key);
        EXPECT_FALSE(WaitForMessageBox(L"Error", tavolin.process.pid(), 1000).has_value())
            << "key " << key << " performed a cell nobody chose";
    }
    EXPECT_EQ(Text(tavolin.bar), L"");

    // The strip and "?" take turns at Tab; tabbed into, the strip's first
    // cell is chosen.
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(tavolin.bar) == AboutButton(tavolin.bar); }));
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(tavolin.bar) == strip; }))
        << "Tab does not reach the strip";
    EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + kCellDescriptions[0]));
    PressKey(VK_HOME);
    for (size_t cell = 0; cell < kCellDescriptions.size(); ++cell) {
        SCOPED_TRACE(Narrow(kCellDescriptions[cell]));
        if (cell > 0) PressKey(VK_RIGHT);
        EXPECT_TRUE(TitleBecomes(tavolin.bar, kPrefix + kCellDescriptions[cell]))
            << "title is \"" << Narrow(Text(tavolin.bar)) << "\"";
        EXPECT_TRUE(WaitUntil([&] {
            return !g_focusedCells.empty() && g_focusedCells.back() == static_cast<LONG>(cell) + 1;
        })) << "no focus event for the cell";
        if (cell == 0) {
            EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(first) != plain; }))
                << "no focus cue on the keyboard's cell";
        }
    }
    // The ends do not wrap.
    PressKey(VK_RIGHT);
    EXPECT_FALSE(WaitUntil([&] { return Text(tavolin.bar) != kPrefix + L"Tavolin Help"; }, 500));
    UnhookWinEvent(hook);

    // Enter presses NotePad once, held down as well.
    PressKey(VK_HOME);
    for (int cell = 0; cell < 7; ++cell) PressKey(VK_RIGHT);
    ASSERT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"NotePad"));
    for (int presses : {1, 6}) {
        SCOPED_TRACE(presses);
        HoldKey(VK_RETURN, presses);
        EXPECT_TRUE(WaitUntil([] { return NotepadCount() > 0; }, 15000)) << "no Notepad";
        Sleep(1500);  // time for a second one to show
        EXPECT_EQ(NotepadCount(), 1);
        EndProcesses(Descendants(tavolin.process.pid()));
        ASSERT_TRUE(WaitUntil([] { return NotepadCount() == 0; }));
        ASSERT_TRUE(BringToFront(tavolin.bar));
    }

    // Space on the Run cell opens the Run Program dialog, modally.
    PressKey(VK_HOME);
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    ASSERT_TRUE(TitleBecomes(tavolin.bar, kPrefix + L"Run and File Load Functions"));
    PressKey(VK_SPACE);
    const HWND run = WaitForWindow(L"Run Program", tavolin.process.pid());
    ASSERT_NE(run, nullptr) << "Space opened no Run Program dialog";
    EXPECT_FALSE(IsWindowEnabled(tavolin.bar)) << "the dialog is not modal";
    Click(ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(WaitForWindowGone(L"Run Program", tavolin.process.pid()));

    // Back on "?", Space shows the About box.
    ASSERT_TRUE(BringToFront(tavolin.bar));
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(tavolin.bar) == strip; }))
        << "the focus is on " << Narrow(ClassName(FocusIn(tavolin.bar)));
    PressKey(VK_TAB, false, false, /*shift=*/true);
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(tavolin.bar) == AboutButton(tavolin.bar); }));
    PressKey(VK_SPACE);
    const auto about = WaitForMessageBox(L"About?", tavolin.process.pid());
    ASSERT_TRUE(about.has_value()) << "Space on \"?\" showed no About box";
    PressButton(about->window, L"OK");
}

POINT CentreOf(const Target& target) {
    const RECT rect = target.Rect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Files dropped from a Linux file manager, as Wine passes them on.
TEST_F(Bar, FilesDroppedOnACellOpenWhereTheyMeanSomething) {
    ASSERT_EQ(NotepadCount(), 0) << "a Notepad window is already open";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"tavolin-drops-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const struct Removed {
        std::wstring path;
        ~Removed() { RemoveTree(path); }
    } removed{folder};
    const std::wstring odd = folder + L"\\my notes & more.txt", plain = folder + L"\\second.txt";
    ASSERT_TRUE(WriteAll(odd, "dropped\r\n") && WriteAll(plain, "dropped\r\n"));
    const POINT notepad = CentreOf(BarCell(tavolin.bar, L"NotePad"));

    // Each file opens in NotePad, one start a file.
    ASSERT_EQ(DropFiles(notepad, {odd}), "accepted");
    EXPECT_TRUE(EndNotepadWhenItAppears(L"my notes & more.txt")) << "the dropped file did not open";
    ASSERT_EQ(DropFiles(notepad, {odd, plain}), "accepted");
    EXPECT_TRUE(WaitUntil([] { return NotepadCount() == 2; }, 15000))
        << "two files, not two starts";
    EndProcesses(Descendants(tavolin.process.pid()));
    ASSERT_TRUE(WaitUntil([] { return NotepadCount() == 0; }));

    // A cell that takes no files, and a gap between cells, refuse them.
    const RECT exit = BarCell(tavolin.bar, L"Exit Windows").Rect();
    const RECT dos = BarCell(tavolin.bar, L"DOS Prompt").Rect();
    EXPECT_EQ(DropFiles(CentreOf(Target(exit)), {odd}), "refused");
    EXPECT_EQ(DropFiles({(exit.right + dos.left) / 2, (exit.top + exit.bottom) / 2}, {odd}),
              "refused");

    // On Run, the dialog opens with the path in its line, and runs nothing.
    ASSERT_EQ(DropFiles(CentreOf(BarCell(tavolin.bar, L"Run and File Load Functions")), {odd}),
              "accepted");
    const HWND run = WaitForWindow(kRunTitle, tavolin.process.pid());
    ASSERT_NE(run, nullptr) << "the drop on Run opened no dialog";
    EXPECT_EQ(Text(ChildOfClass(run, L"Edit")), L"\"" + odd + L"\"");
    // Under the dialog the whole bar refuses.
    EXPECT_EQ(DropFiles(notepad, {odd}), "refused");
    Sleep(1000);  // time for a wrongly started program to show
    EXPECT_TRUE(Descendants(tavolin.process.pid()).empty()) << "a drop started a program";
    PostMessageW(run, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(kRunTitle, tavolin.process.pid()));
}

// Started again while it runs, Tavolin ends at once, without a window of its
// own, and the running bar comes forward.
void StartAgain() {
    Process again = Start(L"\"" + ProgramDirectory() + L"\\Tavolin.exe\"");
    ASSERT_NE(again.pid(), 0u) << "Tavolin.exe did not start";
    bool showedWindow = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            showedWindow = showedWindow || !TopLevelWindows(again.pid()).empty();
            return !again.Running();
        },
        kStartTimeoutMs))
        << "the second start still runs";
    EXPECT_FALSE(showedWindow) << "the second start showed a window";
    EXPECT_EQ(again.ExitCode(), 0u);
}

bool InFront(HWND window) {
    return WaitUntil([&] { return GetForegroundWindow() == window && !IsIconic(window); });
}

// The bars on the screen: Tavolin's forms that no other window owns.
int Bars() {
    int bars = 0;
    for (HWND window : TopLevelWindows())
        if (ClassName(window) == L"TavolinForm" && !GetWindow(window, GW_OWNER)) ++bars;
    return bars;
}

// A window of another program, to stand in front of the bar.
struct OtherWindow {
    OtherWindow()
        : window(CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 300, 100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr)) {}
    ~OtherWindow() { DestroyWindow(window); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND window;
};

TEST(OneBar, AStartWhileItRunsBringsTheRunningBarForward) {
    Tavolin tavolin = StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const DWORD pid = tavolin.process.pid();
    const OtherWindow other;
    ASSERT_NE(other.window, nullptr);

    // Behind another program's window.
    ASSERT_TRUE(BringToFront(other.window));
    ASSERT_NO_FATAL_FAILURE(StartAgain());
    EXPECT_TRUE(InFront(tavolin.bar)) << "the bar did not come forward";

    // Minimised: restored to its place.
    ShowWindow(tavolin.bar, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(tavolin.bar); }));
    ASSERT_NO_FATAL_FAILURE(StartAgain());
    EXPECT_TRUE(InFront(tavolin.bar)) << "the bar was not restored";
    // Its size; not its place: under Wine with a window manager a window
    // restored after a second or more minimised comes back lower by the
    // manager's title bar, whoever restores it.
    const RECT restored = ClientRectOnScreen(tavolin.bar);
    EXPECT_EQ(restored.right - restored.left, kBarClientAt96Dpi.right - kBarClientAt96Dpi.left);
    EXPECT_EQ(restored.bottom - restored.top, kBarClientAt96Dpi.bottom - kBarClientAt96Dpi.top);

    // Under the Run dialog's message: the message is what waits for the user.
    Click(BarCell(tavolin.bar, L"Run and File Load Functions"));
    const HWND run = WaitForWindow(kRunTitle, pid);
    ASSERT_NE(run, nullptr);
    Click(ChildByText(run, L"&Run"));
    const auto box = WaitForMessageBox(L"Error", pid);
    ASSERT_TRUE(box.has_value()) << "no message for the empty command line";
    ASSERT_TRUE(BringToFront(other.window));
    ASSERT_NO_FATAL_FAILURE(StartAgain());
    EXPECT_TRUE(InFront(box->window)) << "the message did not come forward";
    PressButton(box->window, L"OK");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->window); }));

    // Minimised under the dialog: restored, with the dialog in front.
    ShowWindow(tavolin.bar, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(tavolin.bar); }));
    ASSERT_TRUE(BringToFront(other.window));
    ASSERT_NO_FATAL_FAILURE(StartAgain());
    EXPECT_TRUE(InFront(run)) << "the Run dialog did not come forward";
    EXPECT_FALSE(IsIconic(tavolin.bar));
    EXPECT_FALSE(IsWindowEnabled(tavolin.bar));

    // Closed as its close box does: the window manager may still be
    // stacking the restored bar, and a click could land on it.
    PostMessageW(run, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(kRunTitle, pid));
    EXPECT_EQ(Bars(), 1);
}

// Started twice at once, as at a sign-in that names it twice: the start that
// finds the other's bar not yet shown waits for it, and ends.
TEST(OneBar, TwoStartsAtOnceShowOneBar) {
    ParkMouse();
    const std::wstring program = L"\"" + ProgramDirectory() + L"\\Tavolin.exe\"";
    Process first = Start(program);
    Process second = Start(program);
    ASSERT_TRUE(first.pid() && second.pid()) << "Tavolin.exe did not start";
    ASSERT_TRUE(WaitUntil([&] { return first.Running() != second.Running(); }, kStartTimeoutMs))
        << (first.Running() ? "both still run" : "neither runs");
    const Process& running = first.Running() ? first : second;
    const Process& ended = first.Running() ? second : first;
    EXPECT_EQ(ended.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(running.pid()).size() == 1; }))
        << "the bar that stays did not show";
    EXPECT_EQ(Bars(), 1);
}

// Started again just as the bar goes, a moment after its close box, while
// the bar is held up before it takes the close (as a busy machine holds
// it): the new start finds the bar still there, waits to see whether it
// goes, and then shows its own.
TEST(OneBar, AStartThatFindsTheBarGoingShowsABarOfItsOwn) {
    Tavolin tavolin = StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const ControlProbe probe(tavolin.bar);
    ASSERT_TRUE(probe.ready());
    probe.Hold(tavolin.bar, 400);
    PostMessageW(tavolin.bar, WM_SYSCOMMAND, SC_CLOSE, 0);
    Process again = Start(L"\"" + ProgramDirectory() + L"\\Tavolin.exe\"");
    EXPECT_TRUE(tavolin.process.WaitForExit(10000)) << "the first bar did not end";
    EXPECT_TRUE(
        WaitUntil([&] { return TopLevelWindows(again.pid()).size() == 1; }, kStartTimeoutMs))
        << "no bar after a start that found the bar going";
    EXPECT_EQ(Bars(), 1);
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
