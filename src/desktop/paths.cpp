#include "desktop/paths.h"

#include <algorithm>
#include <cwctype>

namespace tavolin {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end) {
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i)
        if (std::towlower(text[text.size() - end.size() + i]) != static_cast<wint_t>(end[i]))
            return false;
    return true;
}

}  // namespace

std::wstring JoinPath(const std::wstring& directory, const std::wstring& name) {
    if (directory.empty()) return name;
    if (directory.back() == L'\\') return directory + name;
    return directory + L"\\" + name;
}

wchar_t DriveLetterOf(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return 0;
    const auto letter = static_cast<wchar_t>(std::towupper(path[0]));
    return letter >= L'A' && letter <= L'Z' ? letter : 0;
}

std::wstring WithoutLeadingBlanks(const std::wstring& text) {
    return text.substr(std::min(text.find_first_not_of(L' '), text.size()));
}

bool HasNameEndingInDotOrBlank(const std::wstring& path) {
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) continue;
        const std::wstring name = path.substr(start, i - start);
        // "." and ".." are steps through the tree, not names.
        if (!name.empty() && name != L"." && name != L".." &&
            (name.back() == L'.' || name.back() == L' '))
            return true;
        start = i + 1;
    }
    return false;
}

bool IsBatchFile(const std::wstring& path) {
    return EndsWithNoCase(path, L".bat") || EndsWithNoCase(path, L".cmd");
}

bool NeedsQuotes(const std::wstring& path) {
    // The characters the interpreter's own help lists as needing quotes.
    return path.find_first_of(L" &()[]{}^=;!'+,`~|<>") != std::wstring::npos;
}

bool HasInterpreterVariables(const std::wstring& path) {
    return path.find_first_of(L"%!") != std::wstring::npos;
}

}  // namespace tavolin
