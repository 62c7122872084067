#include "help/help_text.h"

#include <algorithm>

namespace tavolin {

constexpr std::array<std::wstring_view, kHelpLineCount> kHelpText = {
    L" ",
    L"Tavolin gives you FAST ACCESS to common Windows 95 programs. ",
    L" ",
    L"Tavolin also takes very little system resources.  If you check",
    L"the amount of resources used before and after running Tavolin ",
    L"you should notice no percentage change since the only parts of  ",
    L"Tavolin that are loaded are what is needed to execute your  ",
    L"Tavolin commands. ",
    L" ",
    L"====================== ",
    L" Program Use",
    L"====================== ",
    L"Just pass your mouse over the icons and you will see the  ",
    L"description of what each icon does. ",
    L" ",
    L"To execute any of the programs on the icons click the icon ONCE to ",
    L"run the program. ",
    L" ",
    L"There is also a RUN icon, which appears as a finger pressing a ",
    L"computer key.  This icon will run any file or program you select ",
    L"if you load a file then Windows WordPad or NotePad will  ",
    L"automatically start and load the appropriate file. ",
    L" ",
    L"====================================== ",
    L" Start Up Tavolin Automatically ",
    L"====================================== ",
    L"To start Tavolin each time Windows starts:",
    L" ",
    L"1   Click the Start button, and then point to Settings.",
    L" ",
    L"2   Click Taskbar, and then click the Start Menu Programs tab.",
    L" ",
    L"3   Click Add, and then click Browse.",
    L" ",
    L"4   Locate the program you want to start, and then double-click it.",
    L" ",
    L"5   Click Next, and then double-click the StartUp folder.",
    L" ",
    L"6   Type the name that you want to see on the StartUp menu, and then click Finish.",
    L" ",
    L"    If Windows prompts you to choose an icon, click one, and then click Finish.",
    L" ",
    L" ",
};

// A missing line would silently become an empty one at the end.
static_assert(std::ranges::none_of(kHelpText, &std::wstring_view::empty));

}  // namespace tavolin
