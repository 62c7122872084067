#include "recording_desktop.h"

#include <algorithm>
#include <cwctype>

#include "desktop/paths.h"
#include "desktop/patterns.h"

namespace tavolin::testing {

namespace {

std::string Quoted(const std::wstring& text) { return "\"" + Narrow(text) + "\""; }

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// The entries directly inside a directory, in sorted order.
std::vector<std::wstring> Children(const std::set<std::wstring>& paths,
                                   const std::wstring& directory) {
    std::vector<std::wstring> names;
    for (const std::wstring& path : paths)
        if (!ParentOf(path).empty() && Upper(ParentOf(path)) == Upper(directory))
            names.push_back(NameOf(path));
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return Upper(a) < Upper(b); });
    return names;
}

bool Contains(const std::set<std::wstring>& paths, const std::wstring& path) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::wstring& p) { return Upper(p) == Upper(path); });
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        const auto c = static_cast<char32_t>(wc);
        if (c == U'\r') {
            out += "\\r";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

RecordingDesktop::RecordingDesktop() {
    drives[L'C'] = {};
    AddDirectory(windowsDir);
}

void RecordingDesktop::AddDirectory(const std::wstring& path) {
    if (const wchar_t letter = DriveLetterOf(path); letter && drives.find(letter) == drives.end())
        drives[letter] = {};
    for (std::wstring p = path; !p.empty(); p = ParentOf(p)) directories.insert(p);
}

void RecordingDesktop::AddFile(const std::wstring& path) {
    AddDirectory(ParentOf(path));
    files.insert(path);
}

std::wstring RecordingDesktop::CurrentDirectory() {
    if (!shareDirectory.empty()) return shareDirectory;
    const Drive& drive = drives.at(currentDrive);
    return drive.currentDirectory.empty() ? std::wstring{currentDrive, L':', L'\\'}
                                          : drive.currentDirectory;
}

Outcome RecordingDesktop::RunCommand(const std::wstring& commandLine, int windowStyle) {
    Record("RunCommand(" + Quoted(commandLine) + ", " + std::to_string(windowStyle) + ")");
    if (onRunCommand) onRunCommand();
    if (missingPrograms.count(commandLine)) return Failure{kFileNotFound};
    return Outcome();
}

Outcome RecordingDesktop::RunCommandIn(const std::wstring& directory,
                                       const std::wstring& commandLine, int windowStyle) {
    Record("RunCommandIn(" + Quoted(directory) + ", " + Quoted(commandLine) + ", " +
           std::to_string(windowStyle) + ")");
    if (missingPrograms.count(commandLine)) return Failure{kFileNotFound};
    return Outcome();
}

Outcome RecordingDesktop::ActivateWindow(const std::wstring& title) {
    Record("ActivateWindow(" + Quoted(title) + ")");
    if (!windows.count(title)) return Failure{kNoWindow};
    return Outcome();
}

Outcome RecordingDesktop::SendKeystrokes(const std::wstring& keys) {
    Record("SendKeystrokes(" + Quoted(keys) + ")");
    if (keystrokesFail) return Failure{L"The keys could not be sent."};
    return Outcome();
}

int RecordingDesktop::ShowMessage(const std::wstring& prompt, int flags,
                                  const std::wstring& title) {
    Record("ShowMessage(" + Quoted(prompt) + ", " + std::to_string(flags) + ", " + Quoted(title) +
           ")");
    prompts.push_back(prompt);
    if (onMessage) onMessage();
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

Outcome RecordingDesktop::PrintLine(const std::wstring& text) {
    Record("PrintLine(" + Quoted(text) + ")");
    if (printerFailsAtLine >= 0 && linesInJob_ >= printerFailsAtLine) return Failure{kPrinterError};
    ++linesInJob_;
    return Outcome();
}

Outcome RecordingDesktop::EndDocument() {
    Record("EndDocument()");
    linesInJob_ = 0;
    if (endDocumentFails) return Failure{kPrinterError};
    return Outcome();
}

void RecordingDesktop::AbortDocument() {
    Record("AbortDocument()");
    linesInJob_ = 0;
}

std::vector<std::wstring> RecordingDesktop::Drives() {
    std::vector<std::wstring> entries;
    for (const auto& [letter, drive] : drives)
        entries.push_back(std::wstring{static_cast<wchar_t>(std::towlower(letter)), L':'});
    return entries;
}

Result<std::wstring> RecordingDesktop::DriveDirectory(const std::wstring& drive) {
    if (drive.empty()) return Failure{kPathNotFound};
    const auto found = drives.find(static_cast<wchar_t>(std::towupper(drive[0])));
    if (found == drives.end()) return Failure{kPathNotFound};
    if (!found->second.readable) return Failure{kNotReady};
    if (!found->second.currentDirectory.empty()) return found->second.currentDirectory;
    return std::wstring{found->first, L':', L'\\'};
}

Result<std::vector<std::wstring>> RecordingDesktop::Subdirectories(const std::wstring& directory) {
    if (!Contains(directories, directory)) return Failure{kPathNotFound};
    return Children(directories, directory);
}

Result<std::vector<std::wstring>> RecordingDesktop::MatchingFiles(const std::wstring& directory,
                                                                  const std::wstring& patterns) {
    if (!Contains(directories, directory)) return Failure{kPathNotFound};
    std::vector<std::wstring> names;
    for (const std::wstring& name : Children(files, directory))
        if (MatchesAnyPattern(name, patterns)) names.push_back(name);
    return names;
}

Outcome RecordingDesktop::DeleteFile(const std::wstring& path) {
    Record("DeleteFile(" + Quoted(path) + ")");
    if (Contains(undeletable, path)) return Failure{kAccessDenied};
    const auto found = std::find_if(files.begin(), files.end(),
                                    [&](const std::wstring& p) { return Upper(p) == Upper(path); });
    if (found == files.end()) return Failure{kFileNotFound};
    files.erase(found);
    return Outcome();
}

bool RecordingDesktop::IsFolder(const std::wstring& path) {
    ++folderQuestions;
    return Contains(directories, path);
}

bool RecordingDesktop::IsFile(const std::wstring& path) { return Contains(files, path); }

Outcome RecordingDesktop::ChangeDrive(const std::wstring& path) {
    Record("ChangeDrive(" + Quoted(path) + ")");
    if (path.empty()) return Failure{kPathNotFound};
    const wchar_t letter = static_cast<wchar_t>(std::towupper(path[0]));
    const auto found = drives.find(letter);
    if (found == drives.end()) return Failure{kPathNotFound};
    if (!found->second.readable) return Failure{kNotReady};
    currentDrive = letter;
    shareDirectory.clear();
    return Outcome();
}

Outcome RecordingDesktop::ChangeDirectory(const std::wstring& path) {
    Record("ChangeDirectory(" + Quoted(path) + ")");
    // As on the system, a share has no current directory of its own.
    const wchar_t letter = DriveLetterOf(path);
    if (!letter || !Contains(directories, path)) return Failure{kPathNotFound};
    if (!drives[letter].readable) return Failure{kNotReady};
    drives[letter].currentDirectory = path;
    return Outcome();
}

std::wstring RecordingDesktop::EnvironmentValue(const std::wstring& name) {
    for (const auto& [defined, value] : environment)
        if (Upper(defined) == Upper(name)) return value;
    return std::wstring();
}

std::wstring RecordingDesktop::WindowsDirectory() {
    Record("WindowsDirectory()");
    return windowsDir;
}

}  // namespace tavolin::testing
