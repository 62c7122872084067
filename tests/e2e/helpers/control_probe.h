// What the end-to-end tests ask control_probe.dll inside Tavolin's process,
// and the window properties its answers are left in. A question is the
// registered message kMessage posted to a window, with the question in its
// wParam; each answer is stored plus one, so that a missing one reads as 0.
#pragma once

namespace probe {

inline constexpr wchar_t kMessage[] = L"TavolinControlProbe";

enum Question {
    kCaptionExtent,  // the caption's size with the control's own font
    kFont,           // the control's font
    kColours,        // the text colour and brush the parent gives a label
    kBigIcon,        // the window's icons against the resource numbered in lParam
    kSmallIcon,
    kGdiObjects,  // the GDI objects the process holds
    // Makes the directory named by the global atom in lParam the process's
    // current one, as a start in that directory would: Wine cannot start a
    // process in a share.
    kCurrentDirectory,
    // Sets the system's colours, for the process as a whole, from the global
    // atom in lParam: "ELEMENT=RRGGBB" pairs, blank-separated (Wine keeps
    // them per process, so another process's SetSysColors does not reach it).
    kSystemColours,
    // Holds the thread for lParam milliseconds, as a busy machine may hold a
    // program; no answer.
    kHold,
};

// The answers, the last of each question written last.
inline constexpr wchar_t kCaptionWidth[] = L"TavolinCaptionWidth";
inline constexpr wchar_t kCaptionHeight[] = L"TavolinCaptionHeight";
inline constexpr wchar_t kFontFace[] = L"TavolinFontFace";  // a global atom
inline constexpr wchar_t kFontWeight[] = L"TavolinFontWeight";
inline constexpr wchar_t kFontHeight[] = L"TavolinFontHeight";  // in pixels
inline constexpr wchar_t kTextColour[] = L"TavolinTextColour";
inline constexpr wchar_t kBackgroundColour[] = L"TavolinBackgroundColour";
// 0: no icon of that kind; 1: another picture; 2: the resource's.
inline constexpr wchar_t kIcon[] = L"TavolinIcon";
inline constexpr wchar_t kGdiObjectCount[] = L"TavolinGdiObjects";
inline constexpr wchar_t kDirectoryMade[] = L"TavolinDirectoryMade";  // 1: made current
inline constexpr wchar_t kColoursSet[] = L"TavolinColoursSet";        // 1: set

}  // namespace probe
