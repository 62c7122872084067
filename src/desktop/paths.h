// Rules about paths that hold whatever the system's plain path handling and
// the command interpreter would read differently from the name the user sees.
#pragma once

#include <string>

namespace tavolin {

// True when a name on the path ends in a dot or a blank. Windows drops such
// endings wherever a path is not given in its \\?\ form, so a program started
// or a document opened by this path would be another file: "sub.\a.txt"
// reaches "sub\a.txt".
bool HasNameEndingInDotOrBlank(const std::wstring& path);

// True for a batch file, which the system starts through the command
// interpreter, so that the interpreter reads its path as a command.
bool IsBatchFile(const std::wstring& path);

// True when the command interpreter would read a character of the path as
// its own (& ^ | < > ( ) and the like), or split it at a blank. Quotes keep
// such a path one word that the interpreter passes on unchanged.
bool NeedsQuotes(const std::wstring& path);

// True when the interpreter would expand part of the path as a variable
// (%NAME%, or !NAME! where delayed expansion is on), which quotes do not stop.
bool HasInterpreterVariables(const std::wstring& path);

}  // namespace tavolin
