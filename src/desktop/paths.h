// The program's rules about paths, in one place: joining a directory and a
// name, a path's drive, the blanks a command line may begin with, and the
// names the system's plain path handling and the command interpreter would
// read differently from what the user sees.
#pragma once

#include <functional>
#include <string>

namespace tavolin {

// A name inside a directory, with one backslash between them: a drive root
// (C:\) ends in its own already. An empty directory gives the name alone, for
// the system's search to find. The lists keep a trailing backslash only on a
// root, so this is also "no backslash after a directory of 3 characters".
std::wstring JoinPath(const std::wstring& directory, const std::wstring& name);

// The root a full path stands on: a drive's root (C:\) or a share
// (\\server\share, without a backslash after it); empty for any other path.
std::wstring RootOf(const std::wstring& path);

// The folder that holds a full path: a drive's root keeps its backslash
// (C:\), a share's root has none (\\server\share); empty for a root itself
// and for a path that stands on none.
std::wstring ParentOf(const std::wstring& path);

// The upper-case letter of the drive a path or a drive entry begins with
// ("c:", "d: [DATA]", "C:\WINDOWS"), or 0 when it names none.
wchar_t DriveLetterOf(const std::wstring& path);

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

// The program text for a path: in double quotes when it needs them, so that
// neither the system nor the interpreter takes part of it for another
// program.
std::wstring ProgramTextFor(const std::wstring& path);

// What the command interpreter that runs a batch file makes of % and ! in
// the path it is started with.
struct Interpreter {
    // Whether the environment the interpreter inherits defines the name.
    std::function<bool(const std::wstring&)> defines;
    // Whether ! starts a variable (and a lone ! is dropped).
    bool delayedExpansion = false;
};

// True when the interpreter would read part of the path as a variable and
// so start another file, which quotes do not stop: a %NAME% (or %NAME:...%)
// whose name is defined or one of the interpreter's own (CD, DATE, RANDOM
// and the like), or any ! while delayed expansion is on. A lone % and an
// undefined name are left as they stand.
bool InterpreterWouldChange(const std::wstring& path, const Interpreter& interpreter);

}  // namespace tavolin
