// The real Tavolin.exe at 96 and at 144 dpi: the bar, its frame and cells at
// their twips scaled to the screen, each icon drawn at its cell's size, and
// the Run Program dialog, the file browser and the help window with every
// control inside its parent and every caption fitting its control.
//
// The resolution is set before Tavolin starts, and put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../../res/resource.h"
#include "driver.h"
#include "steps.h"

namespace {

using e2e::Describe;
using e2e::InParent;
using Place = e2e::Twips;

struct Cell {
    const wchar_t* description;
    int iconId;   // 0 for the "?" button
    Place place;  // inside the frame
};

// The telephone's two frames share one cell and swap every few seconds.
const Cell kCells[] = {
    {L"Exit Windows", IDI_LOCK, {60, 120, 480, 510}},
    {L"DOS Prompt", IDI_DOS_KEY, {600, 135, 480, 510}},
    {L"Run and File Load Functions", IDI_FINGER_KEY, {1170, 135, 480, 510}},
    {L"Explorer", IDI_EYE, {1695, 150, 480, 510}},
    {L"Find Files", IDI_MAGNIFIER, {2235, 150, 480, 510}},
    {L"Control Panel", IDI_CLOCK_COMPUTER, {2775, 135, 480, 510}},
    {L"WordPad", IDI_PEN, {3315, 135, 480, 510}},
    {L"NotePad", IDI_NOTEPAD, {3855, 135, 480, 510}},
    {L"Phone Dialer", 0, {4395, 135, 480, 510}},
    {L"TaskBar", IDI_DOCUMENTS, {4935, 135, 480, 510}},
    {L"Utilities", IDI_TOOLS, {5475, 135, 480, 510}},
    {L"Games", IDI_CARDS, {6030, 135, 480, 510}},
    {L"Multimedia", IDI_DISC, {6585, 135, 480, 510}},
    {L"Windows Help", IDI_HANDSHAKE, {7125, 135, 480, 510}},
    {L"Tavolin Help", IDI_BULB, {7680, 135, 480, 510}},
    {L"?", 0, {8730, 150, 285, 510}},
};
constexpr Place kBar{240, 5985, 9105, 825};
constexpr Place kFrame{-30, 75, 9105, 720};
constexpr Place kRun{90, 5085, 4080, 1620};
constexpr Place kBrowser{120, 1740, 5595, 4980};
constexpr Place kHelp{960, 1800, 7845, 3690};
constexpr COLORREF kFrameGrey = RGB(192, 192, 192);

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// What a cell of this size shows: the icon loaded from Tavolin.exe at the
// cell's width, centred on the frame's grey.
std::vector<COLORREF> ExpectedCell(HMODULE tavolin, int iconId, int width, int height) {
    return e2e::Drawn(width, height, [&](HDC memory) {
        const RECT all{0, 0, width, height};
        HBRUSH grey = CreateSolidBrush(kFrameGrey);
        FillRect(memory, &all, grey);
        DeleteObject(grey);
        const auto icon = static_cast<HICON>(
            LoadImageW(tavolin, MAKEINTRESOURCEW(iconId), IMAGE_ICON, width, width, 0));
        DrawIconEx(memory, 0, (height - width) / 2, icon, width, width, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    });
}

class Dpi : public testing::TestWithParam<int> {
protected:
    int Px(int twips) const { return MulDiv(twips, GetParam(), 1440); }

    // Within a pixel of the twips scaled to the screen.
    void ExpectPlace(const RECT& actual, const Place& place, const std::string& what) const {
        EXPECT_EQ(e2e::PlaceMismatch(actual, place, GetParam()), "") << what;
    }

    // Every descendant lies inside its parent's client area; every button's
    // and label's caption fits its control.
    void ExpectNothingClipped(HWND form, const std::string& what) const {
        e2e::ControlProbe probe(form);
        ASSERT_TRUE(probe.ready()) << "the control probe could not be hooked into Tavolin";
        for (HWND child : e2e::Children(form)) {
            const std::string name = what + " " + Narrow(e2e::ClassName(child)) + " \"" +
                                     Narrow(e2e::Text(child)) + "\"";
            RECT client{};
            GetClientRect(GetParent(child), &client);
            const RECT place = InParent(child);
            EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right &&
                        place.bottom <= client.bottom)
                << name << " at " << Describe(place) << " leaves its parent's client area "
                << Describe(client);
            if (!e2e::IsClass(child, L"Button") && !e2e::IsClass(child, L"Static")) continue;
            const std::optional<SIZE> extent = probe.CaptionExtent(child);
            ASSERT_TRUE(extent.has_value()) << name << " was not measured";
            RECT own{};
            GetClientRect(child, &own);
            EXPECT_TRUE(extent->cx <= own.right && extent->cy <= own.bottom)
                << name << ": its caption needs " << extent->cx << " x " << extent->cy
                << " pixels, the control has " << own.right << " x " << own.bottom;
        }
    }

    // The form's client area on the screen, at its stored place and size.
    void ExpectForm(HWND form, const Place& place, const std::string& what) const {
        ASSERT_NE(form, nullptr) << what << " did not open";
        ExpectPlace(e2e::ClientRectOnScreen(form), place, what + "'s client area");
    }

    // Declared first, so Tavolin has ended before the old resolution returns.
    e2e::LogPixels logPixels_{static_cast<DWORD>(GetParam())};
    // The strip has the focus at start: no cue on its first cell.
    e2e::KeyboardCues cues_{false};
    e2e::Tavolin tavolin_ = logPixels_.written() ? e2e::StartTavolin() : e2e::Tavolin{};
};

TEST_P(Dpi, BarFrameAndCellsScaleAndIconsAreDrawnAtTheCellsSize) {
    ASSERT_TRUE(logPixels_.written()) << "LogPixels could not be set";
    ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
    ExpectForm(tavolin_.bar, kBar, "the bar");

    const std::vector<HWND> frames = e2e::ChildrenOfClass(tavolin_.bar, L"TavolinFrame");
    ASSERT_EQ(frames.size(), 1u);
    ExpectPlace(InParent(frames[0]), kFrame, "the frame");

    const std::wstring exe = e2e::ProgramDirectory() + L"\\Tavolin.exe";
    const HMODULE resources = LoadLibraryExW(
        exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(resources, nullptr);
    for (const Cell& cell : kCells) {
        // The "?" button is a window; the cells are parts of the frame's.
        const std::wstring description = cell.description;
        const e2e::Target control = description == L"?"
                                        ? e2e::ChildByText(tavolin_.bar, description)
                                        : e2e::BarCell(tavolin_.bar, description);
        ASSERT_TRUE(control) << Narrow(cell.description);
        RECT inFrame = control.Rect();
        MapWindowPoints(nullptr, frames[0], reinterpret_cast<POINT*>(&inFrame), 2);
        ExpectPlace(inFrame, cell.place, Narrow(cell.description));
        if (!cell.iconId) continue;
        const RECT area = control.Rect();
        const int width = area.right - area.left, height = area.bottom - area.top;
        EXPECT_EQ(width, Px(cell.place.width)) << Narrow(cell.description);
        const std::vector<COLORREF> expected = ExpectedCell(resources, cell.iconId, width, height);
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ScreenPixels(area) == expected; }))
            << Narrow(cell.description) << " does not show its icon at " << width << " x " << width
            << " pixels";
    }
    FreeLibrary(resources);
}

TEST_P(Dpi, DialogsAndHelpKeepEveryControlAndCaptionInside) {
    ASSERT_TRUE(logPixels_.written()) << "LogPixels could not be set";
    ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
    const DWORD pid = tavolin_.process.pid();

    e2e::Click(e2e::BarCell(tavolin_.bar, L"Run and File Load Functions"));
    const HWND run = e2e::WaitForWindow(L"Run Program", pid);
    ExpectForm(run, kRun, "the Run Program dialog");
    ExpectNothingClipped(run, "Run Program:");

    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(L"File Run and Delete Options", pid);
    ExpectForm(browser, kBrowser, "the file browser");
    ExpectNothingClipped(browser, "File Run and Delete Options:");
    e2e::Click(e2e::ChildByText(browser, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(L"File Run and Delete Options", pid));
    e2e::Click(e2e::ChildByText(run, L"&Cancel "));
    ASSERT_TRUE(e2e::WaitForWindowGone(L"Run Program", pid));

    e2e::Click(e2e::BarCell(tavolin_.bar, L"Tavolin Help"));
    const HWND help = e2e::WaitForWindow(L"Help", pid);
    ExpectForm(help, kHelp, "the help window");
    ExpectNothingClipped(help, "Help:");
}

INSTANTIATE_TEST_SUITE_P(Screens, Dpi, testing::Values(96, 144),
                         [](const testing::TestParamInfo<int>& info) {
                             return "At" + std::to_string(info.param) + "Dpi";
                         });

}  // namespace
