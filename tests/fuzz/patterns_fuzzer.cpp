// MatchesPattern and MatchesAnyPattern over arbitrary names and patterns,
// checked against a plain table-driven matcher. Input: the name, a line
// break, the pattern text.
#include <cstdlib>

#include "desktop/patterns.h"
#include "fuzz_text.h"

namespace {

using tavolin::fuzz::AsciiCase;

void Check(bool condition) {
    if (!condition) std::abort();
}

// matches[i][j]: the first i characters of the name match the first j of
// the pattern.
bool Reference(const std::wstring& name, const std::wstring& pattern) {
    if (pattern == L"*.*") return true;
    const std::wstring n = AsciiCase(name, true), p = AsciiCase(pattern, true);
    std::vector<std::vector<bool>> matches(n.size() + 1, std::vector<bool>(p.size() + 1));
    matches[0][0] = true;
    for (size_t j = 1; j <= p.size(); ++j) matches[0][j] = matches[0][j - 1] && p[j - 1] == L'*';
    for (size_t i = 1; i <= n.size(); ++i) {
        for (size_t j = 1; j <= p.size(); ++j) {
            if (p[j - 1] == L'*')
                matches[i][j] = matches[i][j - 1] || matches[i - 1][j];
            else
                matches[i][j] = matches[i - 1][j - 1] && (p[j - 1] == L'?' || p[j - 1] == n[i - 1]);
        }
    }
    return matches[n.size()][p.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tavolin::MatchesAnyPattern;
    using tavolin::MatchesPattern;
    const std::vector<std::wstring> fields = tavolin::fuzz::Fields(data, size, 2);
    const std::wstring& name = fields[0];
    const std::wstring& patterns = fields[1];

    Check(MatchesPattern(name, L"*"));
    Check(MatchesAnyPattern(name, patterns + L";*"));
    // A name is its own pattern: its wildcards, if any, match themselves.
    Check(MatchesPattern(name, name));

    // The table costs name length times pattern length; long inputs are
    // checked for crashes only.
    const bool matches = MatchesPattern(name, patterns);
    if (name.size() * patterns.size() <= 1 << 16) Check(matches == Reference(name, patterns));
    Check(matches == MatchesPattern(AsciiCase(name, true), AsciiCase(patterns, false)));
    Check(matches == MatchesPattern(AsciiCase(name, false), AsciiCase(patterns, true)));

    bool any = false;
    for (const std::wstring& part : tavolin::SplitPatterns(patterns)) {
        Check(!part.empty() && part.find(L';') == std::wstring::npos);
        any = any || MatchesPattern(name, part);
    }
    Check(any == MatchesAnyPattern(name, patterns));
    return 0;
}
