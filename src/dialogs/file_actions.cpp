#include "dialogs/file_actions.h"

#include "desktop/paths.h"

namespace tavolin {

namespace {

constexpr wchar_t kError[] = L"Error";

// A lone carriage return breaks a line of a message box's prompt.
const std::wstring kCr = L"\r";

// Why a chosen file cannot be run or opened exactly as the user sees it, or
// empty when it can.
std::wstring WhyNotRunnable(Desktop& desktop, const std::wstring& path) {
    if (std::wstring why = WhyNotExact(path); !why.empty()) return why;
    const auto defined = [&desktop](const std::wstring& name) {
        return !desktop.EnvironmentValue(name).empty();
    };
    if (IsBatchFile(path) && InterpreterWouldChange(path, {defined, desktop.DelayedExpansionOn()}))
        return L"The command interpreter that runs a batch file reads % and ! in its path as "
               L"the start of a variable, so another file would be run. Rename it first.";
    return std::wstring();
}

// Setting the list's own pattern again reads its directory afresh.
Outcome Refresh(FileList& files) { return files.SetPattern(files.Pattern()); }

}  // namespace

std::wstring WhyNotExact(const std::wstring& path) {
    if (!HasNameEndingInDotOrBlank(path)) return std::wstring();
    return L"A name on its path ends in a dot or a blank, which Windows drops when it starts a "
           L"program, so another file would be run or opened. Rename it first.";
}

void RefuseToOpen(Desktop& desktop, const std::wstring& path, const std::wstring& why) {
    desktop.ShowMessage(L"Cannot run or open: " + path + kCr + kCr + why, mb::kExclamation, kError);
}

std::wstring SelectedFilePath(const FileList& files) {
    return JoinPath(files.Path(), files.FileName());
}

void RunSelectedFile(Desktop& desktop, const LaunchContext& context, const FileList& files) {
    if (files.FileName().empty()) {
        desktop.ShowMessage(L"Please select the program you want to run", mb::kExclamation, kError);
        return;
    }
    const std::wstring path = SelectedFilePath(files);
    if (const std::wstring why = WhyNotRunnable(desktop, path); !why.empty())
        return RefuseToOpen(desktop, path, why);
    LaunchProgram(desktop, context, ProgramTextFor(path), L"");
}

void DeleteSelectedFile(Desktop& desktop, FileList& files) {
    if (files.FileName().empty()) {
        desktop.ShowMessage(L"Please select the file you want to delete", mb::kExclamation, kError);
        return;
    }
    const std::wstring path = SelectedFilePath(files);
    const int answer = desktop.ShowMessage(L"Delete: " + path + L"   Are you Sure ?",
                                           mb::kYesNo + mb::kExclamation, L"Warning!");
    if (answer != mb::kAnswerYes) return;
    Outcome deleted = desktop.DeleteFile(path);
    if (deleted.ok()) deleted = Refresh(files);
    if (deleted.failed())
        desktop.ShowMessage(L"Cannot delete: " + path, mb::kInformation,
                            deleted.failure().description);
}

void ShowFileTypeHelp(Desktop& desktop, HelpCaller caller) {
    // The Run dialog's variant sets its last sentence off by one blank more.
    const std::wstring lead = caller == HelpCaller::RunDialog ? L"  " : L" ";
    desktop.ShowMessage(L"Valid items you can RUN are:" + kCr + kCr +
                            L"1: Any program (.EXE, .BAT, .COM)" + kCr +
                            L"2: Files that end in (.WRI, .HLP, .TXT, .DOC,)." + kCr + kCr +
                            L"If you select any of the above listed file types, (#2)," + lead +
                            L"WordPad will automatically start and load .WRI and .DOC files, "
                            L"Notepad will load .TXT files.",
                        mb::kOk, L"Help on File Types");
}

}  // namespace tavolin
