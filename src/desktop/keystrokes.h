// The brace notation of keystroke texts ("{TAB}{ENTER}{S}", "%{F4}"), turned
// into the key presses and releases that type it.
#pragma once

#include <string>
#include <vector>

#include "desktop/desktop.h"

namespace tavolin {

// Virtual-key codes of the keys the notation names.
namespace vk {
constexpr unsigned short kBackspace = 0x08;
constexpr unsigned short kTab = 0x09;
constexpr unsigned short kEnter = 0x0D;
constexpr unsigned short kShift = 0x10;
constexpr unsigned short kControl = 0x11;
constexpr unsigned short kAlt = 0x12;
constexpr unsigned short kEscape = 0x1B;
constexpr unsigned short kPageUp = 0x21;
constexpr unsigned short kPageDown = 0x22;
constexpr unsigned short kEnd = 0x23;
constexpr unsigned short kHome = 0x24;
constexpr unsigned short kLeft = 0x25;
constexpr unsigned short kUp = 0x26;
constexpr unsigned short kRight = 0x27;
constexpr unsigned short kDown = 0x28;
constexpr unsigned short kInsert = 0x2D;
constexpr unsigned short kDelete = 0x2E;
constexpr unsigned short kF1 = 0x70;
}  // namespace vk

struct KeyEvent {
    // A key is a virtual-key code (letters and digits are their upper-case
    // character); a character is typed as itself, whatever the keyboard layout.
    enum class Kind : unsigned char { Key, Character };
    Kind kind = Kind::Key;
    unsigned short code = 0;
    bool up = false;

    bool operator==(const KeyEvent&) const = default;
};

// Every press and release, in order. "%", "+" and "^" hold Alt, Shift and
// Ctrl for the next key or for a parenthesised group; "~" is Enter; a capital
// letter is typed with Shift. A text that cannot be read gives a failure and
// no events at all.
Result<std::vector<KeyEvent>> ParseKeystrokes(const std::wstring& keys);

}  // namespace tavolin
