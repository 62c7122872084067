// The help window's text, a constant of the program.
#pragma once

#include <array>
#include <string_view>

namespace tavolin {

inline constexpr int kHelpLineCount = 43;

// The help lines in the order the list shows them. Blanks are part of the
// text; a spacer line is a single blank, never empty.
extern const std::array<std::wstring_view, kHelpLineCount> kHelpText;

}  // namespace tavolin
