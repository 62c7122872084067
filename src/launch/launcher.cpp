#include "launch/launcher.h"

#include "desktop/command_line.h"
#include "desktop/paths.h"

#include <cwctype>
#include <optional>

namespace tavolin {

namespace {

// Accessories that open documents, by upper-cased three-letter extension.
struct DocumentOpener {
    const wchar_t* extension;
    bool fromRoot;  // path below WindowsRoot rather than WindowsDir
    const wchar_t* accessory;
};
constexpr DocumentOpener kOpeners[] = {
    {L"HLP", false, L"WINHELP.EXE"},
    {L"WRI", true, L"PROGRA~1\\ACCESS~1\\WORDPAD.EXE"},
    {L"DOC", true, L"PROGRA~1\\ACCESS~1\\WORDPAD.EXE"},
    {L"TXT", false, L"NOTEPAD.EXE"},
};

// WordPad below the Windows drive's root, as the bar's icon names it, and
// where Windows 7 and later keep it, inside the Program Files folder, whose
// short names may be switched off.
constexpr wchar_t kWordPadBelowRoot[] = L"progra~1\\access~1\\WORDPAD.EXE";
constexpr wchar_t kWordPadInProgramFiles[] = L"Windows NT\\Accessories\\wordpad.exe";

constexpr wchar_t kTooShortTitle[] = L"Program name too short";

// The 145 characters of the buffer the Windows directory was read into, the
// last kept for a terminating zero.
constexpr size_t kWindowsDirLimit = 145;

// The accessory prefix for a document name, empty for anything else; none
// when the text is too short for an extension test. Both read the text
// without its leading blanks; the length counts it as given, quotes
// included, so that a typed "abc" is started as typed, and the extension is
// read inside the quotes that keep a path with blanks one word.
std::optional<std::wstring> AccessoryFor(const LaunchContext& context,
                                         const std::wstring& program) {
    const CommandLine read = ReadCommandLine(program);
    if (read.text.size() < 4) return std::nullopt;
    const std::wstring& name = read.programIsAll ? read.program : read.text;
    const size_t length = name.size();
    if (length < 4 || name[length - 4] != L'.') return std::wstring();
    std::wstring extension = name.substr(length - 3);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towupper(c));
    // The accessory's name ends in a blank, which parts it from the document's.
    for (const DocumentOpener& opener : kOpeners) {
        if (extension != opener.extension) continue;
        if (opener.fromRoot) return WordPadProgram(context, opener.accessory) + L" ";
        // Without a known Windows directory the system's own search finds it.
        return JoinPath(context.WindowsDir, opener.accessory) + L" ";
    }
    return std::wstring();
}

// The Windows directory as the launch context keeps it. One too long for
// the buffer is taken as unknown rather than cut short, which would name
// another directory.
std::wstring ReadWindowsDir(Desktop& desktop) {
    std::wstring directory = desktop.WindowsDirectory();
    return directory.size() < kWindowsDirLimit ? directory : std::wstring();
}

std::wstring FindWordPadElsewhere(Desktop& desktop, const std::wstring& windowsRoot) {
    if (!windowsRoot.empty() && desktop.IsFile(windowsRoot + kWordPadBelowRoot))
        return std::wstring();
    const std::wstring programFiles = desktop.EnvironmentValue(L"ProgramFiles");
    if (programFiles.empty()) return std::wstring();
    const std::wstring current = JoinPath(programFiles, kWordPadInProgramFiles);
    return desktop.IsFile(current) ? ProgramTextFor(current) : std::wstring();
}

}  // namespace

LaunchContext InitLaunchContext(Desktop& desktop) {
    LaunchContext context;
    context.WindowsDir = ReadWindowsDir(desktop);
    context.WindowsRoot = context.WindowsDir.substr(0, 3);
    context.WordPadElsewhere = FindWordPadElsewhere(desktop, context.WindowsRoot);
    // A Windows directory that cannot be made current leaves the current one.
    IgnoreFailure(desktop.ChangeDirectory(context.WindowsDir));
    return context;
}

std::wstring WordPadProgram(const LaunchContext& context, const std::wstring& belowRoot) {
    return context.WordPadElsewhere.empty() ? context.WindowsRoot + belowRoot
                                            : context.WordPadElsewhere;
}

std::wstring BuildCommandLine(const LaunchContext& context, const std::wstring& program,
                              const std::wstring& arguments) {
    const std::optional<std::wstring> accessory = AccessoryFor(context, program);
    if (!accessory) return std::wstring();
    return *accessory + program + L" " + arguments;
}

void LaunchProgram(Desktop& desktop, const LaunchContext& context, const std::wstring& program,
                   const std::wstring& arguments) {
    const std::wstring commandLine = BuildCommandLine(context, program, arguments);
    // One failure path from the start to the change of directory.
    Outcome outcome = commandLine.empty() ? Outcome(Failure{kTooShortTitle})
                                          : desktop.RunCommand(commandLine, kNormalFocus);
    // A Windows directory too long to be read is no place to return to, and a
    // start that worked is no failure.
    if (outcome.ok() && !context.WindowsDir.empty()) {
        outcome = desktop.ChangeDrive(context.WindowsDir);
        if (outcome.ok()) outcome = desktop.ChangeDirectory(context.WindowsDir);
    }
    if (outcome.failed())
        desktop.ShowMessage(commandLine + L" was not found", mb::kQuestion,
                            outcome.failure().description);
}

}  // namespace tavolin
