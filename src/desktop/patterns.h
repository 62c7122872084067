// File-name patterns with * and ?, matched the way Windows lists files:
// without regard to case, several patterns separated by ";".
#pragma once

#include <string>
#include <vector>

namespace tavolin {

bool MatchesPattern(const std::wstring& name, const std::wstring& pattern);
// True when the name matches any of the ";"-separated patterns.
bool MatchesAnyPattern(const std::wstring& name, const std::wstring& patterns);
std::vector<std::wstring> SplitPatterns(const std::wstring& patterns);

}  // namespace tavolin
