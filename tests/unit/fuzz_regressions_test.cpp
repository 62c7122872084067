// Inputs the fuzzers found to break an invariant, kept so the fault stays fixed.
#include <gtest/gtest.h>

#include "desktop/patterns.h"

namespace tavolin {
namespace {

TEST(FuzzRegressions, StarInPatternIsAWildcardAgainstAStarInTheName) {
    // The * of the pattern was taken as the name's literal * and stopped
    // matching the rest.
    EXPECT_TRUE(MatchesPattern(L"*Doc", L"*"));
    EXPECT_TRUE(MatchesPattern(L"a*b.txt", L"a*.txt"));
    EXPECT_TRUE(MatchesAnyPattern(L"*Doc", L"*.exe;*"));
    EXPECT_FALSE(MatchesPattern(L"*Doc", L"*.doc"));
}

}  // namespace
}  // namespace tavolin
