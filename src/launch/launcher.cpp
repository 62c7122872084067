#include "launch/launcher.h"

#include "desktop/paths.h"

#include <algorithm>
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
    {L"HLP", false, L"WINHELP.EXE "},
    {L"WRI", true, L"PROGRA~1\\ACCESS~1\\WORDPAD.EXE "},
    {L"DOC", true, L"PROGRA~1\\ACCESS~1\\WORDPAD.EXE "},
    {L"TXT", false, L"NOTEPAD.EXE "},
};

constexpr wchar_t kTooShortTitle[] = L"Program name too short";

// The name the extension test reads: the text without its leading blanks,
// and inside the double quotes that keep a path with blanks one word.
std::wstring NamePart(const std::wstring& program) {
    const std::wstring name = WithoutLeadingBlanks(program);
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
        return name.substr(1, name.size() - 2);
    return name;
}

// The accessory prefix for a document name, empty for anything else; none
// when the text is too short for an extension test. The length counts the
// text as given, quotes included, so that a typed "abc" is started as
// typed.
std::optional<std::wstring> AccessoryFor(const LaunchContext& context,
                                         const std::wstring& program) {
    if (WithoutLeadingBlanks(program).size() < 4) return std::nullopt;
    const std::wstring name = NamePart(program);
    const size_t length = name.size();
    if (length < 4 || name[length - 4] != L'.') return std::wstring();
    std::wstring extension = name.substr(length - 3);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towupper(c));
    for (const DocumentOpener& opener : kOpeners) {
        if (extension != opener.extension) continue;
        if (opener.fromRoot) return context.WindowsRoot + opener.accessory;
        // Without a known Windows directory the system's own search finds it.
        return JoinPath(context.WindowsDir, opener.accessory);
    }
    return std::wstring();
}

}  // namespace

std::wstring ReadWindowsDir(Desktop& desktop) {
    wchar_t buffer[kWindowsDirBufferSize] = {};
    const int count = desktop.WindowsDirectory(buffer, kWindowsDirBufferSize);
    if (count <= 0) return std::wstring();
    return std::wstring(buffer, std::min(count, kWindowsDirBufferSize));
}

LaunchContext InitLaunchContext(Desktop& desktop) {
    LaunchContext context;
    context.WindowsDir = ReadWindowsDir(desktop);
    context.WindowsRoot = context.WindowsDir.substr(0, 3);
    // A Windows directory that cannot be made current leaves the current one.
    IgnoreFailure(desktop.ChangeDirectory(context.WindowsDir));
    return context;
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
    Outcome launched = commandLine.empty() ? Outcome(Failure{kTooShortTitle})
                                           : desktop.RunCommand(commandLine, kNormalFocus);
    // A Windows directory too long to be read is no place to return to, and a
    // start that worked is no failure.
    if (launched.ok() && !context.WindowsDir.empty()) {
        launched = desktop.ChangeDrive(context.WindowsDir);
        if (launched.ok()) launched = desktop.ChangeDirectory(context.WindowsDir);
    }
    if (launched.failed())
        desktop.ShowMessage(commandLine + L" was not found", mb::kQuestion,
                            launched.failure().description);
}

}  // namespace tavolin
