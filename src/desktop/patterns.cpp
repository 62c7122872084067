#include "desktop/patterns.h"

#include <algorithm>
#include <cwctype>

namespace tavolin {

namespace {
bool SameLetter(wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); }
}  // namespace

bool MatchesPattern(const std::wstring& name, const std::wstring& pattern) {
    // "*.*" means every file, those without a dot included.
    if (pattern == L"*.*") return true;
    // Iterative wildcard match: on a mismatch, let the last * absorb one more
    // character and retry from there.
    size_t n = 0, p = 0, starP = std::wstring::npos, starN = 0;
    while (n < name.size()) {
        // A * is a wildcard even where the name holds a * of its own.
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || SameLetter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

std::vector<std::wstring> SplitPatterns(const std::wstring& patterns) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= patterns.size()) {
        const size_t end = std::min(patterns.find(L';', start), patterns.size());
        if (end > start) parts.push_back(patterns.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool MatchesAnyPattern(const std::wstring& name, const std::wstring& patterns) {
    for (const std::wstring& pattern : SplitPatterns(patterns))
        if (MatchesPattern(name, pattern)) return true;
    return false;
}

}  // namespace tavolin
