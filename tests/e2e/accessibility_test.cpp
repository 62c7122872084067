// The real Tavolin.exe as a screen reader and a keyboard user meet it: the
// names that oleacc reads from another process for the bar's cells, its "?"
// button and the controls of the Run Program dialog and the file browser,
// and the access keys of both dialogs.
#include <windows.h>

#include <oleacc.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using e2e::FocusIn;
using e2e::IsClass;
using e2e::kBrowserTitle;
using e2e::kRunTitle;

VARIANT Child(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// The object the strip of cells gives screen readers, or null.
IAccessible* StripObject(HWND bar) {
    IAccessible* strip = nullptr;
    const HWND frame = e2e::ChildOfClass(bar, L"TavolinFrame");
    if (!frame || FAILED(AccessibleObjectFromWindow(frame, OBJID_CLIENT, __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&strip))))
        return nullptr;
    return strip;
}

// A text the object gives for the child, or "(none)".
std::wstring Text(IAccessible* object,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*), LONG id) {
    BSTR text = nullptr;
    const HRESULT result = (object->*ask)(Child(id), &text);
    std::wstring answer =
        SUCCEEDED(result) && text ? std::wstring(text, SysStringLen(text)) : L"(none)";
    SysFreeString(text);
    return answer;
}

LONG Number(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, VARIANT*),
            LONG id) {
    VARIANT answer;
    VariantInit(&answer);
    if (FAILED((object->*ask)(Child(id), &answer)) || answer.vt != VT_I4) return -1;
    return answer.lVal;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The name oleacc gives the window's client object; nullopt when it gives
// none.
std::optional<std::wstring> AccessibleName(HWND window) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))) ||
        !accessible)
        return std::nullopt;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = accessible->get_accName(self, &name);
    accessible->Release();
    std::optional<std::wstring> found;
    if (result == S_OK && name) found = std::wstring(name, SysStringLen(name));
    SysFreeString(name);
    return found;
}

// A caption as read aloud: without its access-key mark and outer blanks.
std::wstring Spoken(const std::wstring& text) {
    std::wstring spoken;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        spoken += text[i];
    }
    spoken.erase(0, spoken.find_first_not_of(L' '));
    spoken.erase(spoken.find_last_not_of(L' ') + 1);
    return spoken;
}

// The lower-case full paths of the DLLs loaded in a process.
std::vector<std::wstring> Modules(HANDLE process) {
    HMODULE modules[512];
    DWORD bytes = 0;
    std::vector<std::wstring> names;
    if (!EnumProcessModulesEx(process, modules, sizeof modules, &bytes, LIST_MODULES_ALL))
        return names;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t name[MAX_PATH] = {};
        GetModuleFileNameExW(process, modules[i], name, MAX_PATH);
        std::wstring lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
        names.push_back(lower);
    }
    return names;
}

std::string Describe(HWND control) {
    return control ? Narrow(e2e::ClassName(control) + L" \"" + e2e::Text(control) + L"\"")
                   : "nothing";
}

class Accessibility : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        tavolin_ = e2e::StartTavolin();
        ASSERT_NE(tavolin_.bar, nullptr) << "the bar did not come up";
    }
    void TearDown() override {
        tavolin_ = {};
        CoUninitialize();
    }

    DWORD pid() const { return tavolin_.process.pid(); }

    HWND OpenRun() {
        e2e::Click(e2e::BarCell(tavolin_.bar, L"Run and File Load Functions"));
        const HWND run = e2e::WaitForWindow(kRunTitle, pid());
        if (run) e2e::BringToFront(run);
        return run;
    }

    // Every button and label is named by its caption, and the command line
    // by the label before it.
    void ExpectNamed(HWND form, const std::string& what) {
        for (HWND child : e2e::Children(form)) {
            const std::wstring name = AccessibleName(child).value_or(L"(none)");
            const std::string control = what + " " + Describe(child);
            if (IsClass(child, L"Button") || IsClass(child, L"Static")) {
                EXPECT_EQ(Spoken(name), Spoken(e2e::Text(child))) << control;
            } else if (IsClass(child, L"Edit")) {
                EXPECT_EQ(Spoken(name), L"Command Line:") << control;
            }
        }
    }

    // The names of the form's controls of one class, in the order of one
    // edge of their places on the screen.
    static std::vector<std::wstring> NamesByPlace(HWND form, const wchar_t* className,
                                                  LONG RECT::*edge) {
        std::vector<HWND> controls = e2e::ChildrenOfClass(form, className);
        std::sort(controls.begin(), controls.end(), [edge](HWND a, HWND b) {
            return e2e::WindowRectOnScreen(a).*edge < e2e::WindowRectOnScreen(b).*edge;
        });
        std::vector<std::wstring> names;
        for (HWND control : controls) names.push_back(AccessibleName(control).value_or(L"(none)"));
        return names;
    }

    e2e::Tavolin tavolin_;
};

TEST_F(Accessibility, BarCellsAndTheQuestionButtonAreNamed) {
    // The pictures are named by their window texts and the rest on request,
    // so the start-up loads neither the accessibility library nor the
    // common controls.
    const std::vector<std::wstring> modules = Modules(tavolin_.process.handle());
    ASSERT_FALSE(modules.empty());
    for (const std::wstring& module : modules)
        EXPECT_TRUE(!module.ends_with(L"\\oleacc.dll") && !module.ends_with(L"\\comctl32.dll"))
            << Narrow(module) << " is loaded at start-up";

    // The cells: a tool bar of push buttons, left to right, each on its
    // place; the strip has the focus at start, but no cell until a key
    // chooses one.
    IAccessible* strip = StripObject(tavolin_.bar);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(Number(strip, &IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_TOOLBAR);
    LONG count = 0;
    ASSERT_EQ(strip->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, static_cast<LONG>(e2e::kCellDescriptions.size()));
    LONG lastRight = 0;
    for (LONG id = 1; id <= count; ++id) {
        const std::wstring description = e2e::kCellDescriptions[id - 1];
        SCOPED_TRACE(Narrow(description));
        EXPECT_EQ(Text(strip, &IAccessible::get_accName, id), description);
        EXPECT_EQ(Text(strip, &IAccessible::get_accDefaultAction, id), L"Press");
        EXPECT_EQ(Number(strip, &IAccessible::get_accRole, id), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(Number(strip, &IAccessible::get_accState, id), STATE_SYSTEM_FOCUSABLE);
        LONG left = 0, top = 0, width = 0, height = 0;
        ASSERT_EQ(strip->accLocation(&left, &top, &width, &height, Child(id)), S_OK);
        EXPECT_GT(left, lastRight) << "the cells stand apart, left to right";
        lastRight = left + width;
        const RECT cell = e2e::BarCell(tavolin_.bar, description).Rect();
        EXPECT_EQ(cell.left, left);
        // A point of the cell is the cell; the first and last lead on.
        VARIANT hit;
        VariantInit(&hit);
        ASSERT_EQ(strip->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
        EXPECT_TRUE(hit.vt == VT_I4 && hit.lVal == id);
        VARIANT next;
        VariantInit(&next);
        const HRESULT moved = strip->accNavigate(NAVDIR_NEXT, Child(id), &next);
        if (id < count)
            EXPECT_TRUE(moved == S_OK && next.vt == VT_I4 && next.lVal == id + 1);
        else
            EXPECT_EQ(next.vt, VT_EMPTY) << "past the last cell";
    }
    VARIANT focus;
    VariantInit(&focus);
    EXPECT_EQ(strip->get_accFocus(&focus), S_OK);
    EXPECT_TRUE(focus.vt == VT_I4 && focus.lVal == CHILDID_SELF);

    // Pressing, as a screen reader does it: NotePad starts, the bulb opens
    // the help; the caller is never held.
    ASSERT_EQ(strip->accDoDefaultAction(Child(8)), S_OK);
    EXPECT_TRUE(e2e::EndNotepadWhenItAppears(L"")) << "pressing NotePad started nothing";
    ASSERT_EQ(strip->accDoDefaultAction(Child(15)), S_OK);
    EXPECT_NE(e2e::WaitForWindow(L"Help", pid()), nullptr) << "pressing the bulb opened no help";
    strip->Release();

    HWND question = nullptr;
    for (HWND child : e2e::Children(tavolin_.bar))
        if (IsClass(child, L"Button")) question = child;
    ASSERT_NE(question, nullptr);
    // Its own name, the description it shows in the title, not its caption;
    // a push button pressed by its default action, as the cells are.
    EXPECT_EQ(AccessibleName(question).value_or(L"(none)"), L"About?");
    IAccessible* button = nullptr;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(question, OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&button))));
    EXPECT_EQ(Number(button, &IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Text(button, &IAccessible::get_accDefaultAction, CHILDID_SELF), L"Press");
    ASSERT_EQ(button->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    button->Release();
    const auto about = e2e::WaitForMessageBox(L"About?", pid());
    ASSERT_TRUE(about.has_value()) << "pressing \"?\" showed no About box";
    e2e::PressButton(about->window, L"OK");
}

// Pressed by a screen reader while another program is in front, a cell's
// box or dialog still belongs to the bar, which takes nothing meanwhile.
TEST_F(Accessibility, WhatAPressOpensStandsOverTheBarWhicheverProgramIsInFront) {
    e2e::Process notepad = e2e::Start(L"notepad.exe");
    HWND front = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (front = e2e::NotepadWindow(L"")) != nullptr; },
                               e2e::kProgramStartMs))
        << "no Notepad to put in front";
    // Well away from the bar, where a click cannot reach the bar.
    SetWindowPos(front, nullptr, 500, 40, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    IAccessible* strip = StripObject(tavolin_.bar);
    ASSERT_NE(strip, nullptr);
    // Brought forward by a click, as a user does: the bar's program then
    // has no active window of its own.
    const auto pressedFromBehind = [&](LONG cell) {
        e2e::Click(front);
        ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == front; }));
        ASSERT_EQ(strip->accDoDefaultAction(Child(cell)), S_OK);
    };

    // "Exit Windows", with no "Program Manager" to close.
    ASSERT_NO_FATAL_FAILURE(pressedFromBehind(1));
    const auto error = e2e::WaitForMessageBox(L"Error", pid());
    ASSERT_TRUE(error.has_value()) << "no message for the missing Program Manager";
    EXPECT_EQ(GetWindow(error->window, GW_OWNER), tavolin_.bar);
    EXPECT_FALSE(IsWindowEnabled(tavolin_.bar)) << "the bar takes clicks under the box";
    // A press while the box stands performs nothing.
    ASSERT_EQ(strip->accDoDefaultAction(Child(8)), S_OK);
    Sleep(1500);  // time for a wrongly started NotePad to show
    // Answered where it stands, behind Notepad.
    PostMessageW(error->window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(e2e::WaitForWindowGone(L"Error", pid()));
    EXPECT_TRUE(e2e::Descendants(pid()).empty()) << "a press under the box started a program";
    EXPECT_TRUE(IsWindowEnabled(tavolin_.bar));

    // The Run icon: the dialog is the bar's.
    ASSERT_NO_FATAL_FAILURE(pressedFromBehind(3));
    const HWND run = e2e::WaitForWindow(kRunTitle, pid());
    ASSERT_NE(run, nullptr) << "pressing the Run icon opened no dialog";
    EXPECT_EQ(GetWindow(run, GW_OWNER), tavolin_.bar);
    EXPECT_FALSE(IsWindowEnabled(tavolin_.bar));
    PostMessageW(run, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitForWindowGone(kRunTitle, pid()));
    strip->Release();
}

TEST_F(Accessibility, DialogControlsAreNamed) {
    const HWND run = OpenRun();
    ASSERT_NE(run, nullptr);
    ExpectNamed(run, "Run Program:");
    e2e::Click(e2e::ChildByText(run, L"&Browse"));
    const HWND browser = e2e::WaitForWindow(kBrowserTitle, pid());
    ASSERT_NE(browser, nullptr);
    ExpectNamed(browser, "File Run and Delete Options:");
    // The lists and drop-downs come before their labels in tab order, so
    // they answer with the labels' names themselves.
    EXPECT_EQ(NamesByPlace(browser, L"ComboBox", &RECT::top),
              (std::vector<std::wstring>{L"Drives", L"File Pattern"}));
    EXPECT_EQ(NamesByPlace(browser, L"ListBox", &RECT::left),
              (std::vector<std::wstring>{L"Directories", L"Files"}));
}

// A label's key moves the focus to what it names; a letter that several
// controls share moves the focus to the next of them at each press and
// presses nothing; a letter of one button alone presses it. So Alt+C in the
// Run dialog, pressed to get back to the line, never cancels it, and the
// browser's D reaches its lists without asking to delete a file.
TEST_F(Accessibility, AccessKeysOfTheRunDialogAndTheBrowser) {
    const HWND run = OpenRun();
    ASSERT_NE(run, nullptr);
    const HWND line = e2e::ChildOfClass(run, L"Edit");
    ASSERT_EQ(FocusIn(run), line);
    e2e::TypeText(L"notepad.exe");
    auto focusIn = [](HWND form, HWND control) {
        return e2e::WaitUntil([&] { return FocusIn(form) == control; });
    };
    e2e::PressKey('C', true);
    EXPECT_TRUE(focusIn(run, e2e::ChildByText(run, L"&Cancel "))) << Describe(FocusIn(run));
    e2e::PressKey('C', true);
    EXPECT_TRUE(focusIn(run, line)) << "Alt+C left the focus on " << Describe(FocusIn(run));
    EXPECT_TRUE(IsWindowVisible(run)) << "Alt+C closed the Run dialog";
    EXPECT_EQ(e2e::Text(line), L"notepad.exe");

    e2e::PressKey('B', true);
    const HWND browser = e2e::WaitForWindow(kBrowserTitle, pid());
    ASSERT_NE(browser, nullptr) << "Alt+B opened no browser";
    e2e::BringToFront(browser);
    const std::vector<HWND> lists = e2e::ChildrenOfClass(browser, L"ListBox");
    const std::vector<HWND> boxes = e2e::ChildrenOfClass(browser, L"ComboBox");
    ASSERT_EQ(lists.size(), 2u);
    ASSERT_EQ(boxes.size(), 2u);
    const auto byPlace = [](HWND a, HWND b) {
        const RECT ra = e2e::WindowRectOnScreen(a), rb = e2e::WindowRectOnScreen(b);
        return ra.left + ra.top < rb.left + rb.top;
    };
    std::vector<HWND> sorted = lists;
    std::sort(sorted.begin(), sorted.end(), byPlace);
    const HWND directories = sorted[0], files = sorted[1];
    sorted = boxes;
    std::sort(sorted.begin(), sorted.end(), byPlace);
    const HWND drives = sorted[0], pattern = sorted[1];
    const HWND remove = e2e::ChildByText(browser, L"&Delete File");
    ASSERT_TRUE(focusIn(browser, e2e::ChildByText(browser, L"&Cancel ")));
    // A file chosen, so that a press of "&Delete File" would ask about it.
    ASSERT_GT(e2e::ListCount(files), 0);
    e2e::ClickEntryAt(files, 0);
    ASSERT_TRUE(focusIn(browser, files));
    const struct {
        WORD key;
        HWND reached;
        const char* name;
    } presses[] = {
        {'F', pattern, "the pattern box"},     {'F', files, "the file list"},
        {'D', directories, "the directories"}, {'D', drives, "the drives"},
        {'D', remove, "\"&Delete File\""},     {'D', directories, "the directories again"},
    };
    for (const auto& press : presses) {
        e2e::PressKey(press.key, true);
        EXPECT_TRUE(focusIn(browser, press.reached))
            << "Alt+" << char(press.key) << " did not reach " << press.name << " but "
            << Describe(FocusIn(browser));
    }
    EXPECT_FALSE(e2e::WaitForMessageBox(L"Warning!", pid(), 500).has_value())
        << "a shared D pressed \"&Delete File\"";

    // A letter of one button alone presses it.
    e2e::PressKey('C', true);
    EXPECT_TRUE(e2e::WaitForWindowGone(kBrowserTitle, pid())) << "Alt+C left the browser open";
    ASSERT_TRUE(e2e::WaitUntil([&] { return FocusIn(run) != nullptr && FocusIn(run) != run; }))
        << "no control of the Run dialog has the focus";
    e2e::PressKey('R', true);
    EXPECT_TRUE(e2e::WaitForWindowGone(kRunTitle, pid())) << "Alt+R left the Run dialog open";
    EXPECT_TRUE(e2e::EndNotepadWhenItAppears(L"")) << "Alt+R started no NotePad";
}

// A library of the system's name put beside Tavolin.exe, in a Downloads
// folder say, or in the folder it is started in, is never loaded: neither
// the accessibility library a screen reader's question loads nor the
// spooler that printing loads. Wine takes its own before one beside the
// program unless told otherwise, so it is told to look there first, as
// Windows does for every library that is not one of its known ones.
TEST(PlantedLibraries, NoneBesideTheProgramIsLoaded) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::wstring folder = L"T:\\planted " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring built = e2e::ProgramDirectory();
    ASSERT_TRUE(
        CopyFileW((built + L"\\Tavolin.exe").c_str(), (folder + L"\\Tavolin.exe").c_str(), FALSE));
    // Any library will do: one of the tests' own, under the system's names.
    for (const wchar_t* name : {L"oleacc.dll", L"winspool.drv"})
        ASSERT_TRUE(CopyFileW((built + L"\\control_probe.dll").c_str(),
                              (folder + L"\\" + name).c_str(), FALSE));
    wchar_t overrides[1024] = {};
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 1024);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES",
                            (std::wstring(overrides) + L";oleacc=n,b;winspool.drv=n,b").c_str());
    {
        e2e::Tavolin tavolin = e2e::StartTavolin(folder, e2e::kStartTimeoutMs, folder);
        SetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides);
        ASSERT_NE(tavolin.bar, nullptr) << "the bar did not come up";
        const HANDLE process = tavolin.process.handle();
        const auto loaded = [&](const std::wstring& name) {
            const std::vector<std::wstring> modules = Modules(process);
            return std::any_of(modules.begin(), modules.end(),
                               [&](const std::wstring& m) { return m.ends_with(L"\\" + name); });
        };

        // A screen reader's question is answered, by the system's library.
        IAccessible* strip = StripObject(tavolin.bar);
        ASSERT_NE(strip, nullptr) << "no object for the strip";
        EXPECT_EQ(Text(strip, &IAccessible::get_accName, 1), L"Exit Windows");
        strip->Release();

        // The help printed, whatever the printer makes of it.
        e2e::Click(e2e::BarCell(tavolin.bar, L"Tavolin Help"));
        const HWND help = e2e::WaitForWindow(L"Help", tavolin.process.pid());
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(e2e::BringToFront(help));
        e2e::PressKey('P', /*alt=*/true);
        EXPECT_TRUE(e2e::WaitUntil([&] { return loaded(L"winspool.drv"); }, 15000))
            << "printing loaded no spooler";
        EXPECT_TRUE(loaded(L"oleacc.dll"));
        const std::wstring planted = e2e::Lower(folder + L"\\");
        for (const std::wstring& module : Modules(process))
            EXPECT_TRUE(!module.starts_with(planted) || module == planted + L"tavolin.exe")
                << Narrow(module) << " was loaded";
    }
    e2e::RemoveTree(folder);
    CoUninitialize();
}

}  // namespace
