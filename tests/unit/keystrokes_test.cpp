#include "desktop/keystrokes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace tavolin {
namespace {

// One line per event, such as "v12 down" (Alt) or "c'%' up", so a whole
// sequence compares at once and a difference reads plainly.
std::string Describe(const std::vector<KeyEvent>& events) {
    std::string text;
    for (const KeyEvent& event : events) {
        if (event.kind == KeyEvent::Kind::Key) {
            char code[8];
            std::snprintf(code, sizeof code, "v%02X", event.code);
            text += code;
        } else {
            text += "c'" + std::string(1, static_cast<char>(event.code)) + "'";
        }
        text += event.up ? " up\n" : " down\n";
    }
    return text;
}

std::string Parsed(const std::wstring& keys) {
    const Result<std::vector<KeyEvent>> result = ParseKeystrokes(keys);
    if (!result.ok()) return "failure";
    return Describe(result.value());
}

TEST(Keystrokes, StartMenuSequencesTapEachKeyInOrder) {
    EXPECT_EQ(Parsed(L"{TAB}{ENTER}{s}{t}"),
              "v09 down\nv09 up\nv0D down\nv0D up\nv53 down\nv53 up\nv54 down\nv54 up\n");
    // A capital letter arrives as written, so Shift is held around it.
    EXPECT_EQ(Parsed(L"{H}"), "v10 down\nv48 down\nv48 up\nv10 up\n");
    EXPECT_EQ(Parsed(L"a7"), "v41 down\nv41 up\nv37 down\nv37 up\n");
}

TEST(Keystrokes, NamedKeysAreCaseInsensitiveAndCoverFunctionKeys) {
    EXPECT_EQ(Parsed(L"{F1}"), "v70 down\nv70 up\n");
    EXPECT_EQ(Parsed(L"{f12}"), "v7B down\nv7B up\n");
    EXPECT_EQ(Parsed(L"{Esc}{BACKSPACE}{DELETE}{HOME}{END}"),
              "v1B down\nv1B up\nv08 down\nv08 up\nv2E down\nv2E up\nv24 down\nv24 up\n"
              "v23 down\nv23 up\n");
    EXPECT_EQ(Parsed(L"{LEFT}{RIGHT}{UP}{DOWN}"),
              "v25 down\nv25 up\nv27 down\nv27 up\nv26 down\nv26 up\nv28 down\nv28 up\n");
    EXPECT_EQ(Parsed(L"~"), "v0D down\nv0D up\n");
}

TEST(Keystrokes, ModifiersHoldForTheNextKeyOrGroup) {
    EXPECT_EQ(Parsed(L"%{F4}"), "v12 down\nv73 down\nv73 up\nv12 up\n");
    EXPECT_EQ(Parsed(L"%fx"), "v12 down\nv46 down\nv46 up\nv12 up\nv58 down\nv58 up\n");
    EXPECT_EQ(Parsed(L"%(ab)"), "v12 down\nv41 down\nv41 up\nv42 down\nv42 up\nv12 up\n");
    // Released in the reverse order of pressing.
    EXPECT_EQ(Parsed(L"^+{END}"), "v11 down\nv10 down\nv23 down\nv23 up\nv10 up\nv11 up\n");
    // Shift already held: a capital needs no second Shift.
    EXPECT_EQ(Parsed(L"+(aB)"), "v10 down\nv41 down\nv41 up\nv42 down\nv42 up\nv10 up\n");
}

TEST(Keystrokes, BracedSpecialsAreTypedAsCharacters) {
    EXPECT_EQ(Parsed(L"{%}{+}{^}"), "c'%' down\nc'%' up\nc'+' down\nc'+' up\nc'^' down\nc'^' up\n");
    EXPECT_EQ(Parsed(L"{{}{}}{~}"), "c'{' down\nc'{' up\nc'}' down\nc'}' up\nc'~' down\nc'~' up\n");
    EXPECT_EQ(Parsed(L"{(}{)}"), "c'(' down\nc'(' up\nc')' down\nc')' up\n");
    EXPECT_EQ(Parsed(L"a."), "v41 down\nv41 up\nc'.' down\nc'.' up\n");
    EXPECT_EQ(Parsed(L""), "");
}

TEST(Keystrokes, UnreadableTextGivesAFailureAndNoEvents) {
    for (const wchar_t* keys : {L"{TAB", L"{}", L"{NOPE}", L"{F13}", L"{F0}", L"a}", L"%", L"^+",
                                L"%(ab", L"ab)", L"(a)", L"{TAB}{ENTER}{XX}", L"++a"}) {
        const Result<std::vector<KeyEvent>> result = ParseKeystrokes(keys);
        EXPECT_FALSE(result.ok()) << "accepted: " << std::string(keys, keys + std::wcslen(keys));
        if (!result.ok()) {
            EXPECT_NE(result.failure().description.find(keys), std::wstring::npos);
        }
    }
}

}  // namespace
}  // namespace tavolin
