// An in-memory desktop for the unit tests: records every action as a line
// of text and answers from a script and a small tree of drives and files.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "desktop/desktop.h"

namespace tavolin::testing {

// UTF-8 for readable test output.
std::string Narrow(const std::wstring& text);

class RecordingDesktop : public Desktop {
public:
    RecordingDesktop();

    // Every action, in order, such as RunCommand(" NOTEPAD.EXE ", 1).
    std::vector<std::string> calls;
    // Drops the calls recorded so far.
    void Forget() { calls.clear(); }

    // --- the script ---
    std::wstring windowsDir = L"C:\\WINDOWS";
    // Command lines RunCommand cannot start.
    std::set<std::wstring> missingPrograms;
    // Titles of the windows present on the desktop.
    std::set<std::wstring> windows{L"Program Manager"};
    bool keystrokesFail = false;
    // Answers of the message boxes, in order; OK (1) once they run out.
    std::deque<int> answers;
    // Called when a message box is shown, before it is answered.
    std::function<void()> onMessage;
    // The prompts of the message boxes shown, exactly as passed.
    std::vector<std::wstring> prompts;
    // Called when RunCommand is asked to start a program, after recording it.
    std::function<void()> onRunCommand;
    // PrintLine fails from this line on (counted from 0 within a job); -1: never.
    int printerFailsAtLine = -1;
    bool endDocumentFails = false;

    // Drives, by upper-case letter.
    struct Drive {
        bool readable = true;
        std::wstring currentDirectory;  // empty: the root
    };
    std::map<wchar_t, Drive> drives;
    wchar_t currentDrive = L'C';
    // Full paths; directories end without a backslash except roots ("C:\").
    std::set<std::wstring> directories;
    std::set<std::wstring> files;
    std::set<std::wstring> undeletable;
    // How often IsFolder has been asked.
    int folderQuestions = 0;

    void AddDirectory(const std::wstring& path);  // with its parents
    void AddFile(const std::wstring& path);       // with its directory
    // Where the program was started when not on a drive (\\server\share);
    // empty: the current drive's current directory.
    std::wstring shareDirectory;
    // The environment, as the programs started inherit it; names in any case.
    std::map<std::wstring, std::wstring> environment{{L"PATH", L"C:\\WINDOWS"},
                                                     {L"TEMP", L"C:\\WINDOWS\\TEMP"}};
    bool delayedExpansion = false;

    // --- Desktop ---
    Outcome RunCommand(const std::wstring& commandLine, int windowStyle) override;
    Outcome RunCommandIn(const std::wstring& directory, const std::wstring& commandLine,
                         int windowStyle) override;
    Outcome ActivateWindow(const std::wstring& title) override;
    Outcome SendKeystrokes(const std::wstring& keys) override;
    int ShowMessage(const std::wstring& prompt, int flags, const std::wstring& title) override;
    Outcome PrintLine(const std::wstring& text) override;
    Outcome EndDocument() override;
    void AbortDocument() override;
    std::vector<std::wstring> Drives() override;
    // The share, or the current directory of the current drive.
    std::wstring CurrentDirectory() override;
    Result<std::wstring> DriveDirectory(const std::wstring& drive) override;
    Result<std::vector<std::wstring>> Subdirectories(const std::wstring& directory) override;
    Result<std::vector<std::wstring>> MatchingFiles(const std::wstring& directory,
                                                    const std::wstring& patterns) override;
    Outcome DeleteFile(const std::wstring& path) override;
    bool IsFolder(const std::wstring& path) override;
    bool IsFile(const std::wstring& path) override;
    Outcome ChangeDrive(const std::wstring& path) override;
    Outcome ChangeDirectory(const std::wstring& path) override;
    std::wstring EnvironmentValue(const std::wstring& name) override;
    bool DelayedExpansionOn() override { return delayedExpansion; }
    std::wstring WindowsDirectory() override;

private:
    void Record(const std::string& line) { calls.push_back(line); }
    int linesInJob_ = 0;
};

// The system texts the recording desktop reports.
inline constexpr wchar_t kFileNotFound[] = L"The system cannot find the file specified.";
inline constexpr wchar_t kPathNotFound[] = L"The system cannot find the path specified.";
inline constexpr wchar_t kNotReady[] = L"The device is not ready.";
inline constexpr wchar_t kAccessDenied[] = L"Access is denied.";
inline constexpr wchar_t kNoWindow[] = L"No window has that title.";
inline constexpr wchar_t kPrinterError[] = L"The printer is out of paper.";

}  // namespace tavolin::testing
