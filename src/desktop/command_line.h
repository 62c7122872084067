// How the system reads a command line, in one place for the launcher and the
// desktop: the blanks it skips, and the program it starts.
#pragma once

#include <string>

namespace tavolin {

struct CommandLine {
    std::wstring text;     // the line without the blanks it begins with
    std::wstring program;  // within the quotes the text begins with, or its first word
    bool programIsAll;     // nothing follows the program (and its quotes)
};

CommandLine ReadCommandLine(const std::wstring& line);

}  // namespace tavolin
