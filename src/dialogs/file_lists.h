// The browser's drive, directory and file lists: toolkit list controls that
// fill themselves from the desktop and keep their own drive, path, pattern
// and selection.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "desktop/desktop.h"
#include "ui/controls.h"

namespace tavolin {

// A drop-down of the desktop's drive entries ("c:", "d: [DATA]").
class DriveList {
public:
    // Shows the drive of the directory, or the first drive for a share.
    DriveList(ui::Container& parent, ui::Twips place, int tabIndex, Desktop& desktop,
              const std::wstring& initialDirectory);

    ui::ComboBox box;

    // The entry shown, empty when none.
    std::wstring Drive() const;
    const std::vector<std::wstring>& Entries() const;
    // Shows the entry of the drive's letter and raises onChange, as the
    // user's choice does; false, with nothing raised, when no entry has it.
    bool SetDrive(const std::wstring& drive);

    std::function<void()> onChange;

private:
    int IndexOf(const std::wstring& drive) const;
};

// The current directory as a tree: the drive's root or the share, each directory on the
// path indented one step more, then the subdirectories of the current one.
// A double-click on an entry moves there.
class DirectoryList {
public:
    DirectoryList(ui::Container& parent, ui::Twips place, int tabIndex, Desktop& desktop);

    ui::ListBox box;

    // Full path, no trailing backslash except for a root; empty at first.
    const std::wstring& Path() const { return path_; }
    // A path, or a drive entry for that drive's current directory. On
    // success the list shows it, raising onChange when the path differs
    // from before; a failure changes nothing.
    Outcome SetPath(const std::wstring& pathOrDrive);

    std::function<void()> onChange;

private:
    void Show(const std::vector<std::wstring>& subdirectories);

    Desktop& desktop_;
    std::wstring path_;
    std::vector<std::wstring> entryPaths_;  // the full path of each entry
};

// The names of the files in one directory that match a pattern text.
class FileList {
public:
    FileList(ui::Container& parent, ui::Twips place, int tabIndex, Desktop& desktop,
             std::wstring pattern);

    ui::ListBox box;

    const std::wstring& Path() const { return path_; }
    const std::wstring& Pattern() const { return pattern_; }
    // Each re-reads the directory, even when nothing changed; a failed read
    // leaves path, pattern and names as they were.
    Outcome SetPath(const std::wstring& directory);
    Outcome SetPattern(const std::wstring& pattern);
    // The selected name, empty when none is selected.
    std::wstring FileName() const;

private:
    Outcome Read(const std::wstring& directory, const std::wstring& pattern);

    Desktop& desktop_;
    std::wstring path_;
    std::wstring pattern_;
};

}  // namespace tavolin
