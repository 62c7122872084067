// The Run Program dialog, the file browser and the help window of the real
// Tavolin.exe at 96 and at 144 dpi, from one table: every control at its
// place and size within a pixel of its twips, in its font; the colours of the
// windows and the labels; each window's icon and caption buttons; Esc, which
// does nothing in either dialog; and the close box, which closes each window
// as its "&Cancel " or "&Close" does.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../../res/resource.h"
#include "driver.h"
#include "steps.h"

namespace {

using e2e::Twips;
using e2e::Utf8;

constexpr COLORREF kLightGrey = RGB(192, 192, 192);

struct Font {
    const wchar_t* face;
    double points;
    int weight;
};
constexpr Font kDialogFont{L"MS Sans Serif", 8.25, FW_BOLD};
constexpr Font kHelpFont{L"MS Sans Serif", 9.75, FW_BOLD};

// A colour as a form names it: one of the system's, or red, green and blue.
struct Colour {
    int systemColour;  // -1 for an explicit one
    COLORREF rgb;
    COLORREF Value() const { return systemColour < 0 ? rgb : GetSysColor(systemColour); }
};
constexpr Colour kWindowBackground{COLOR_WINDOW, 0};
constexpr Colour kWindowText{COLOR_WINDOWTEXT, 0};
constexpr Colour kBlack{-1, RGB(0, 0, 0)};
constexpr Colour kGrey{-1, kLightGrey};

// A control of a window: found by its caption, or, without one, as the nth
// of its class in tab order. Labels give their colours.
struct Control {
    const char* name;
    const wchar_t* className;
    const wchar_t* caption;
    int nth;
    Twips place;
    Font font = kDialogFont;
    Colour text{}, background{};
    bool IsLabel() const { return std::wstring(className) == L"Static"; }
};

struct Window {
    const wchar_t* title;
    Twips client;
    POINT backgroundAt;  // in twips: a spot of the client area no control covers
    int iconId;          // 0: none of its own
    bool minimizeBox;
    std::vector<Control> controls;
};

// A label, found by its caption, with the colours its form gives it.
Control Label(const char* name, const wchar_t* caption, Twips place, Colour text,
              Colour background) {
    return {name, L"Static", caption, 0, place, kDialogFont, text, background};
}

const Window kRun{
    L"Run Program",
    {90, 5085, 4080, 1620},
    {30, 30},
    0,
    false,
    {
        {"CmdPgm", L"Button", L"&?", 0, {1680, 360, 375, 255}},
        {"CmdBrw", L"Button", L"&Browse", 0, {2745, 1140, 1095, 345}},
        {"CmdCancel", L"Button", L"&Cancel ", 0, {1515, 1155, 1095, 330}},
        {"CmdOk", L"Button", L"&Run", 0, {240, 1155, 1095, 330}},
        {"Text1", L"Edit", L"", 0, {105, 690, 3855, 375}},
        Label("Label1", L"&Command Line: ", {90, 360, 1695, 255}, kWindowText, kWindowBackground),
    }};

const Window kBrowser{
    L"File Run and Delete Options",
    {120, 1740, 5595, 4980},
    {30, 30},
    0,
    false,
    {
        {"Command1", L"Button", L"&Delete File", 0, {4035, 3600, 1155, 375}},
        {"Combo1", L"ComboBox", L"", 1, {270, 4230, 2370, 315}},
        {"CmdPgm", L"Button", L"&?", 0, {4440, 645, 375, 255}},
        {"Drive1", L"ComboBox", L"", 0, {210, 255, 3390, 315}},
        {"Dir1", L"ListBox", L"", 1, {225, 975, 3360, 2505}},
        {"File1", L"ListBox", L"", 0, {3735, 960, 1695, 2565}},
        {"CmdRun", L"Button", L"&Run/Open ", 0, {4050, 4065, 1140, 375}},
        {"CmdCancel", L"Button", L"&Cancel ", 0, {4065, 4530, 1140, 375}},
        Label("Label2", L"&File Pattern ", {270, 3960, 1065, 255}, kBlack, kWindowBackground),
        Label("Label3", L"&Directories", {225, 720, 1590, 255}, kWindowText, kWindowBackground),
        Label("Label4", L"&Drives", {240, 0, 2055, 255}, kWindowText, kGrey),
        Label("Label1", L"&Files ", {3735, 660, 780, 255}, kBlack, kWindowBackground),
    }};

// The grey shows in the margin below the list.
const Window kHelp{L"Help",
                   {960, 1800, 7845, 3690},
                   {3900, 3675},
                   IDI_BULB,
                   true,
                   {
                       {"List1", L"ListBox", L"", 0, {15, 0, 7815, 3630}, kHelpFont},
                   }};

HWND Find(HWND window, const Control& control) {
    if (*control.caption) {
        const HWND found = e2e::ChildByText(window, control.caption);
        return found && e2e::IsClass(found, control.className) ? found : nullptr;
    }
    // Children come in z-order, which is the tab order.
    const std::vector<HWND> ofClass = e2e::ChildrenOfClass(window, control.className);
    return control.nth < static_cast<int>(ofClass.size()) ? ofClass[control.nth] : nullptr;
}

COLORREF ScreenPixel(POINT at) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

const char* Name(e2e::ControlProbe::Icon icon) {
    switch (icon) {
        case e2e::ControlProbe::Icon::None:
            return "none of its own";
        case e2e::ControlProbe::Icon::Another:
            return "another picture";
        case e2e::ControlProbe::Icon::TheResource:
            return "the picture meant";
    }
    return "?";
}

std::string Hex(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06lx", static_cast<unsigned long>(colour));
    return text;
}

class Layout : public testing::TestWithParam<int> {
protected:
    int dpi() const { return GetParam(); }
    DWORD pid() const { return tavolin_.process.pid(); }
    int Px(int twips) const { return MulDiv(twips, dpi(), 1440); }

    HWND Open(const wchar_t* barControl, const Window& window) {
        e2e::Click(e2e::BarCell(tavolin_.bar, barControl));
        return e2e::WaitForWindow(window.title, pid());
    }

    // The window and every control of its table, as the table says.
    void ExpectAsTheTableSays(HWND form, const Window& window) {
        const std::string title = Utf8(window.title);
        ASSERT_NE(form, nullptr) << title << " did not open";
        EXPECT_EQ(e2e::PlaceMismatch(e2e::ClientRectOnScreen(form), window.client, dpi()), "")
            << title;
        const LONG style = GetWindowLongW(form, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU) << title << " has no close box";
        EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, window.minimizeBox) << title;
        EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) << title << " can be resized";

        const RECT client = e2e::ClientRectOnScreen(form);
        const POINT spot{client.left + Px(window.backgroundAt.x),
                         client.top + Px(window.backgroundAt.y)};
        EXPECT_TRUE(e2e::WaitUntil([&] { return ScreenPixel(spot) == kLightGrey; }))
            << title << "'s background is " << Hex(ScreenPixel(spot));

        e2e::ControlProbe probe(form);
        ASSERT_TRUE(probe.ready()) << "the control probe could not be hooked into Tavolin";
        for (bool big : {true, false}) {
            const auto icon = probe.IconOf(form, big, window.iconId);
            ASSERT_TRUE(icon.has_value()) << title;
            EXPECT_STREQ(Name(*icon), Name(window.iconId ? e2e::ControlProbe::Icon::TheResource
                                                         : e2e::ControlProbe::Icon::None))
                << title << (big ? "'s big icon" : "'s small icon");
        }

        for (const Control& control : window.controls) {
            const std::string name = title + ": " + control.name;
            const HWND child = Find(form, control);
            ASSERT_NE(child, nullptr) << name << " was not found";
            RECT place = e2e::InParent(child);
            if (control.IsLabel()) {
                // A label too narrow for its caption in the system's font is
                // as wide as the caption needs, and no wider.
                const auto extent = probe.CaptionExtent(child);
                ASSERT_TRUE(extent.has_value()) << name;
                const int stored = Px(control.place.width);
                if (place.right - place.left > stored + 1) {
                    EXPECT_EQ(place.right - place.left, extent->cx) << name << " widened";
                    place.right = place.left + stored;
                }
            }
            EXPECT_EQ(e2e::PlaceMismatch(place, control.place, dpi()), "") << name;
            const auto font = probe.FontOf(child);
            ASSERT_TRUE(font.has_value()) << name;
            EXPECT_EQ(Utf8(font->face), Utf8(control.font.face)) << name;
            EXPECT_LE(std::abs(font->pixels - control.font.points * dpi() / 72), 0.5)
                << name << "'s font is " << font->pixels << " pixels high";
            EXPECT_EQ(font->weight, control.font.weight) << name;
            if (!control.IsLabel()) continue;
            const auto colours = probe.ColoursOf(child);
            ASSERT_TRUE(colours.has_value()) << name;
            EXPECT_EQ(Hex(colours->text), Hex(control.text.Value())) << name << "'s text";
            EXPECT_EQ(Hex(colours->background), Hex(control.background.Value()))
                << name << "'s background";
        }
    }

    // Declared first, so Tavolin has ended before the old resolution returns.
    e2e::LogPixels logPixels_{static_cast<DWORD>(GetParam())};
    e2e::Tavolin tavolin_ = logPixels_.written() ? e2e::StartTavolin() : e2e::Tavolin{};
};

TEST_P(Layout, EveryControlStandsAtItsPlaceInItsFontAndColours) {
    ASSERT_TRUE(logPixels_.written()) << "LogPixels could not be set";
    ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
    {
        e2e::ControlProbe probe(tavolin_.bar);
        ASSERT_TRUE(probe.ready());
        for (bool big : {true, false}) {
            const auto icon = probe.IconOf(tavolin_.bar, big, IDI_SHUTTLE);
            ASSERT_TRUE(icon.has_value());
            EXPECT_STREQ(Name(*icon), Name(e2e::ControlProbe::Icon::TheResource))
                << (big ? "the bar's big icon" : "the bar's small icon");
        }
        EXPECT_TRUE(GetWindowLongW(tavolin_.bar, GWL_STYLE) & WS_MINIMIZEBOX);
    }

    const HWND run = Open(L"Run and File Load Functions", kRun);
    ASSERT_NO_FATAL_FAILURE(ExpectAsTheTableSays(run, kRun));
    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(kBrowser.title, pid());
    ASSERT_NO_FATAL_FAILURE(ExpectAsTheTableSays(browser, kBrowser));
    e2e::Click(e2e::ChildByText(browser, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kBrowser.title, pid()));
    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kRun.title, pid()));

    const HWND help = Open(L"Tavolin Help", kHelp);
    ASSERT_NO_FATAL_FAILURE(ExpectAsTheTableSays(help, kHelp));
    // The longest help lines are wider than the list: they scroll into view.
    const HWND list = e2e::ChildOfClass(help, L"ListBox");
    RECT inside{};
    GetClientRect(list, &inside);
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);
    EXPECT_GT(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), inside.right);
}

// Esc reaches neither dialog's buttons; a key pressed after it shows that it
// has been dealt with.
TEST_P(Layout, EscDoesNothingAndTheCloseBoxClosesAsCancelAndCloseDo) {
    ASSERT_TRUE(logPixels_.written()) << "LogPixels could not be set";
    ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
    const std::vector<HWND> onlyTheBar{tavolin_.bar};

    HWND run = Open(L"Run and File Load Functions", kRun);
    ASSERT_NE(run, nullptr);
    const HWND line = e2e::ChildOfClass(run, L"Edit");
    e2e::Click(line);
    e2e::TypeText(L"notepad.exe");
    e2e::PressKey(VK_ESCAPE);
    e2e::TypeText(L"x");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Text(line) == L"notepad.exex"; }))
        << "the box holds " << Utf8(e2e::Text(line));
    EXPECT_EQ(e2e::TopLevelWindows(pid()), (std::vector<HWND>{run, tavolin_.bar}));
    e2e::PressKey(VK_BACK);

    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(kBrowser.title, pid());
    ASSERT_NE(browser, nullptr);
    // The focus starts on "&Cancel "; Tab after Esc moves it on to "&Run/Open ".
    const HWND runOpen = e2e::ChildByText(browser, L"&Run/Open ");
    ASSERT_EQ(e2e::Text(e2e::FocusIn(browser)), L"&Cancel ");
    e2e::PressKey(VK_ESCAPE);
    e2e::PressKey(VK_TAB);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FocusIn(browser) == runOpen; }));
    EXPECT_EQ(e2e::TopLevelWindows(pid()), (std::vector<HWND>{browser, run, tavolin_.bar}));

    // The close box sends the window the system's close command. The
    // browser's, as "&Cancel ", leaves the Run dialog as it was.
    PostMessageW(browser, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(kBrowser.title, pid()));
    EXPECT_EQ(e2e::Text(line), L"notepad.exe");
    EXPECT_EQ(e2e::TopLevelWindows(pid()), (std::vector<HWND>{run, tavolin_.bar}));

    // The Run dialog's, as "&Cancel ", runs nothing and forgets the line.
    PostMessageW(run, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(kRun.title, pid()));
    Sleep(1000);  // time for a wrongly started program to show
    EXPECT_EQ(e2e::Descendants(pid()).size(), 0u) << "a program was started";
    e2e::EndProcesses(e2e::Descendants(pid()));
    EXPECT_EQ(e2e::TopLevelWindows(pid()), onlyTheBar);
    run = Open(L"Run and File Load Functions", kRun);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(e2e::Text(e2e::ChildOfClass(run, L"Edit")), L"");
    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(kRun.title, pid()));

    // The help window's, as "&Close", discards it: the next opening is fresh.
    HWND help = Open(L"Tavolin Help", kHelp);
    ASSERT_NE(help, nullptr);
    HWND list = e2e::ChildOfClass(help, L"ListBox");
    e2e::ClickEntryAt(list, 5);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListSelection(list) == 5; }));
    PostMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(kHelp.title, pid()));
    EXPECT_EQ(e2e::TopLevelWindows(pid()), onlyTheBar);
    help = Open(L"Tavolin Help", kHelp);
    ASSERT_NE(help, nullptr);
    list = e2e::ChildOfClass(help, L"ListBox");
    EXPECT_EQ(e2e::ListCount(list), 43);
    EXPECT_EQ(e2e::ListSelection(list), LB_ERR);
}

INSTANTIATE_TEST_SUITE_P(Screens, Layout, testing::Values(96, 144),
                         [](const testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param) + "Dpi";
                         });

// The system's colours in Tavolin's process as a black high-contrast scheme
// sets them, for the object's life; the ones before come back when it goes,
// whatever the test's outcome.
class BlackScheme {
public:
    explicit BlackScheme(HWND anyWindowOfTavolin)
        : window_(anyWindowOfTavolin),
          probe_(window_),
          before_(e2e::ControlProbe::SchemeNow()),
          set_(probe_.ready() &&
               probe_.SetSystemColours(window_, e2e::ControlProbe::BlackScheme())) {}
    ~BlackScheme() {
        if (set_) probe_.SetSystemColours(window_, before_);
    }
    BlackScheme(const BlackScheme&) = delete;
    BlackScheme& operator=(const BlackScheme&) = delete;
    bool set() const { return set_; }

private:
    const HWND window_;
    const e2e::ControlProbe probe_;
    const e2e::ControlProbe::Scheme before_;
    const bool set_;
};

// Where the system's text would be lost on the light grey, every window
// paints in the system's colours, and goes back to the grey after.
TEST(Colours, AHighContrastSchemeReplacesTheLightGreyEverywhereAndWhileOpen) {
    e2e::Tavolin tavolin = e2e::StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const DWORD pid = tavolin.process.pid();
    // A spot of the strip between two cells, and a transparent corner of
    // the lock's picture.
    const RECT lock = e2e::BarCell(tavolin.bar, L"Exit Windows").Rect();
    const RECT key = e2e::BarCell(tavolin.bar, L"DOS Prompt").Rect();
    const POINT gap{(lock.right + key.left) / 2, (lock.top + lock.bottom) / 2};
    const POINT corner{lock.left + 2, lock.top + 3};
    ASSERT_EQ(Hex(ScreenPixel(gap)), Hex(kLightGrey));

    e2e::Click(e2e::BarCell(tavolin.bar, L"Run and File Load Functions"));
    const HWND run = e2e::WaitForWindow(kRun.title, pid);
    ASSERT_NE(run, nullptr);
    const RECT client = e2e::ClientRectOnScreen(run);
    const POINT dialog{client.left + 2, client.top + 2};
    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(kBrowser.title, pid);
    ASSERT_NE(browser, nullptr);
    const HWND drives = e2e::ChildByText(browser, L"&Drives");
    const auto labelColours = [&] {
        const e2e::ControlProbe probe(browser);
        return probe.ColoursOf(drives);
    };
    const auto showsGrey = [&](POINT at) { return ScreenPixel(at) == kLightGrey; };
    {
        const BlackScheme scheme(tavolin.bar);
        ASSERT_TRUE(scheme.set());
        for (const auto& [what, at] :
             {std::pair{"the strip", gap}, std::pair{"the lock's corner", corner},
              std::pair{"the Run dialog", dialog}})
            EXPECT_TRUE(e2e::WaitUntil([&] { return ScreenPixel(at) == RGB(0, 0, 0); }))
                << what << " is " << Hex(ScreenPixel(at)) << " in the black scheme";
        const auto colours = labelColours();
        ASSERT_TRUE(colours.has_value());
        EXPECT_EQ(Hex(colours->background), Hex(RGB(0, 0, 0))) << "the grey label's background";
        EXPECT_EQ(Hex(colours->text), Hex(RGB(255, 255, 255))) << "the grey label's text";
    }
    for (const POINT at : {gap, dialog})
        EXPECT_TRUE(e2e::WaitUntil([&] { return showsGrey(at); }))
            << "the grey did not come back: " << Hex(ScreenPixel(at));
    const auto colours = labelColours();
    ASSERT_TRUE(colours.has_value());
    EXPECT_EQ(Hex(colours->background), Hex(kLightGrey));
    PostMessageW(browser, WM_CLOSE, 0, 0);
    PostMessageW(run, WM_CLOSE, 0, 0);
}

}  // namespace
