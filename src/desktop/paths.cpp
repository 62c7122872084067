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

// Names the interpreter answers itself, defined or not.
bool IsInterpretersOwnVariable(const std::wstring& name) {
    for (const std::wstring own :
         {L"cd", L"date", L"time", L"random", L"errorlevel", L"cmdextversion", L"cmdcmdline",
          L"highestnumanodenumber", L"__cd__", L"__appdir__"})
        if (name.size() == own.size() && EndsWithNoCase(name, own)) return true;
    return false;
}

}  // namespace

std::wstring JoinPath(const std::wstring& directory, const std::wstring& name) {
    if (directory.empty()) return name;
    if (directory.back() == L'\\') return directory + name;
    return directory + L"\\" + name;
}

std::wstring RootOf(const std::wstring& path) {
    if (DriveLetterOf(path) && path.size() >= 3 && path[2] == L'\\') return path.substr(0, 3);
    if (!path.starts_with(L"\\\\")) return std::wstring();
    const size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos || server == 2 || server + 1 == path.size())
        return std::wstring();
    return path.substr(0, path.find(L'\\', server + 1));
}

std::wstring ParentOf(const std::wstring& path) {
    const std::wstring root = RootOf(path);
    if (root.empty() || path.size() <= root.size()) return std::wstring();
    const size_t slash = path.find_last_of(L'\\');
    return slash < root.size() ? root : path.substr(0, slash);
}

wchar_t DriveLetterOf(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return 0;
    const auto letter = static_cast<wchar_t>(std::towupper(path[0]));
    return letter >= L'A' && letter <= L'Z' ? letter : 0;
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

std::wstring ProgramTextFor(const std::wstring& path) {
    if (!NeedsQuotes(path)) return path;
    return L"\"" + path + L"\"";
}

bool InterpreterWouldChange(const std::wstring& path, const Interpreter& interpreter) {
    if (interpreter.delayedExpansion && path.find(L'!') != std::wstring::npos) return true;
    // The closing % of a name that stays may open the next one, so every %
    // is tried as an opening one.
    for (size_t open = path.find(L'%'); open != std::wstring::npos;) {
        const size_t close = path.find(L'%', open + 1);
        if (close == std::wstring::npos) break;
        const std::wstring inside = path.substr(open + 1, close - open - 1);
        // %NAME:~1,2% and %NAME:a=b% expand NAME.
        const std::wstring name = inside.substr(0, inside.find(L':'));
        if (!name.empty() && (IsInterpretersOwnVariable(name) || interpreter.defines(name)))
            return true;
        open = close;
    }
    return false;
}

}  // namespace tavolin
