// The desktop operations on the real Windows system.
#pragma once

#include "desktop/desktop.h"
#include "desktop/win32/printer.h"

namespace tavolin {

class Win32Desktop : public Desktop {
public:
    Outcome RunCommand(const std::wstring& commandLine, int windowStyle) override;
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
    Outcome ChangeDrive(const std::wstring& path) override;
    std::wstring CurrentDrive() override;
    Outcome ChangeDirectory(const std::wstring& path) override;

    int WindowsDirectory(wchar_t* buffer, int size) override;

private:
    Win32Printer printer_;
};

}  // namespace tavolin
