// The desktop operations on the real Windows system.
#pragma once

#include <functional>
#include <utility>

#include "desktop/desktop.h"
#include "desktop/win32/printer.h"
#include "win32/windows_h.h"

namespace tavolin {

class Win32Desktop : public Desktop {
public:
    // Message boxes stand over the window boxOwner names, whichever program
    // is in front: only the toolkit knows which window a box belongs to.
    explicit Win32Desktop(std::function<HWND()> boxOwner = [] { return GetActiveWindow(); })
        : boxOwner_(std::move(boxOwner)) {}

    Outcome RunCommand(const std::wstring& commandLine, int windowStyle) override;
    Outcome RunCommandIn(const std::wstring& directory, const std::wstring& commandLine,
                         int windowStyle) override;
    Outcome ActivateWindow(const std::wstring& title) override;
    Outcome SendKeystrokes(const std::wstring& keys) override;
    int ShowMessage(const std::wstring& prompt, int flags, const std::wstring& title) override;

    Outcome PrintLine(const std::wstring& text) override { return printer_.PrintLine(text); }
    Outcome EndDocument() override { return printer_.EndDocument(); }
    void AbortDocument() override { printer_.AbortDocument(); }

    // Drives, directories and files: win32_files.cpp.
    std::vector<std::wstring> Drives() override;
    Result<std::wstring> DriveDirectory(const std::wstring& drive) override;
    Result<std::vector<std::wstring>> Subdirectories(const std::wstring& directory) override;
    Result<std::vector<std::wstring>> MatchingFiles(const std::wstring& directory,
                                                    const std::wstring& patterns) override;
    Outcome DeleteFile(const std::wstring& path) override;
    bool IsFolder(const std::wstring& path) override;
    bool IsFile(const std::wstring& path) override;
    Outcome ChangeDrive(const std::wstring& path) override;
    std::wstring CurrentDirectory() override;
    Outcome ChangeDirectory(const std::wstring& path) override;

    std::wstring EnvironmentValue(const std::wstring& name) override;
    bool DelayedExpansionOn() override;

    std::wstring WindowsDirectory() override;

private:
    std::function<HWND()> boxOwner_;
    Win32Printer printer_;
};

}  // namespace tavolin
