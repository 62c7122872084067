#include "desktop/patterns.h"

#include <gtest/gtest.h>

namespace tavolin {
namespace {

TEST(Patterns, WildcardsMatchWithoutRegardToCase) {
    EXPECT_TRUE(MatchesPattern(L"NOTEPAD.EXE", L"*.exe"));
    EXPECT_TRUE(MatchesPattern(L"notepad.exe", L"*.EXE"));
    EXPECT_TRUE(MatchesPattern(L"a.b.exe", L"*.exe"));
    EXPECT_FALSE(MatchesPattern(L"notepad.exe.txt", L"*.exe"));
    EXPECT_FALSE(MatchesPattern(L"notepad.ex", L"*.exe"));
    EXPECT_TRUE(MatchesPattern(L"README", L"*"));
    EXPECT_TRUE(MatchesPattern(L"abc", L"a?c"));
    EXPECT_FALSE(MatchesPattern(L"ac", L"a?c"));
    EXPECT_TRUE(MatchesPattern(L"aXbYbc", L"a*b*c"));
    EXPECT_FALSE(MatchesPattern(L"aXbYbd", L"a*b*c"));
    EXPECT_TRUE(MatchesPattern(L"Setup.exe", L"setup.exe"));
    EXPECT_FALSE(MatchesPattern(L"Setup.exe", L"setup"));
    // "*.*" is every file, those without an extension too.
    EXPECT_TRUE(MatchesPattern(L"README", L"*.*"));
}

TEST(Patterns, SeveralPatternsAreSeparatedBySemicolons) {
    EXPECT_EQ(SplitPatterns(L"*.exe;*.com;*.bat"),
              (std::vector<std::wstring>{L"*.exe", L"*.com", L"*.bat"}));
    EXPECT_EQ(SplitPatterns(L";*.exe;;"), (std::vector<std::wstring>{L"*.exe"}));
    EXPECT_TRUE(SplitPatterns(L"").empty());
    EXPECT_TRUE(MatchesAnyPattern(L"RUN.BAT", L"*.exe;*.com;*.bat"));
    EXPECT_TRUE(MatchesAnyPattern(L"Edit.Com", L"*.exe;*.com;*.bat"));
    EXPECT_FALSE(MatchesAnyPattern(L"notes.txt", L"*.exe;*.com;*.bat"));
    EXPECT_FALSE(MatchesAnyPattern(L"notes.txt", L""));
}

}  // namespace
}  // namespace tavolin
