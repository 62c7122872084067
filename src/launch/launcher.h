// Starting programs and opening documents in the accessory that suits them.
#pragma once

#include <string>

#include "desktop/desktop.h"

namespace tavolin {

// Read once at start-up, read-only afterwards.
struct LaunchContext {
    std::wstring WindowsDir;   // no trailing backslash unless a drive root
    std::wstring WindowsRoot;  // the drive root of WindowsDir, such as C:\.
    // WordPad's program text where it is not below WindowsRoot, at its short
    // path, but where current Windows keeps it; empty otherwise.
    std::wstring WordPadElsewhere = {};
};

// Reads the launch context and makes WindowsDir the current directory of its
// drive (a failure to do so is ignored).
LaunchContext InitLaunchContext(Desktop& desktop);

// WordPad's program text, given its path below WindowsRoot in short names:
// that path, unless WordPad is found only where current Windows keeps it.
// Where it is in neither place, the short path names it in the message.
std::wstring WordPadProgram(const LaunchContext& context, const std::wstring& belowRoot);

// The command line LaunchProgram gives the desktop for a program text, or
// empty when the text is too short to carry a name.
std::wstring BuildCommandLine(const LaunchContext& context, const std::wstring& program,
                              const std::wstring& arguments);

// Starts the program, or opens the document in its accessory; reports any
// failure itself, in one message box, and never passes it on.
void LaunchProgram(Desktop& desktop, const LaunchContext& context, const std::wstring& program,
                   const std::wstring& arguments);

}  // namespace tavolin
