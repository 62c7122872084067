#include "desktop/command_line.h"

#include <algorithm>

namespace tavolin {

CommandLine ReadCommandLine(const std::wstring& line) {
    CommandLine read;
    read.text = line.substr(std::min(line.find_first_not_of(L' '), line.size()));
    // A quote left open runs to the end.
    const bool quoted = read.text.starts_with(L'"');
    const size_t end = quoted ? read.text.find(L'"', 1) : read.text.find(L' ');
    read.program = read.text.substr(
        quoted ? 1 : 0, end == std::wstring::npos ? std::wstring::npos : end - (quoted ? 1 : 0));
    read.programIsAll = end == std::wstring::npos || end + (quoted ? 1 : 0) == read.text.size();
    return read;
}

}  // namespace tavolin
