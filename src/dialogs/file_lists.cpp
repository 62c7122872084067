#include "dialogs/file_lists.h"

#include "desktop/paths.h"

#include <algorithm>
#include <cwctype>
#include <utility>

namespace tavolin {

namespace {

constexpr wchar_t kIndent[] = L"  ";

// A drive entry ("c:", "c: [DATA]") rather than a path ("C:\", "C:\WINDOWS").
bool IsDriveText(const std::wstring& text) {
    return text.size() >= 2 && text[1] == L':' && (text.size() == 2 || text[2] != L'\\');
}

std::wstring Indented(size_t level, const std::wstring& name) {
    std::wstring entry;
    for (size_t i = 0; i < level; ++i) entry += kIndent;
    return entry + name;
}

}  // namespace

DriveList::DriveList(ui::Container& parent, ui::Twips place, int tabIndex, Desktop& desktop,
                     const std::wstring& initialDirectory)
    : box(parent, place, desktop.Drives(), tabIndex) {
    // Before onClick is wired: showing the first drive is no change. A share
    // has no entry; the first drive stands for it.
    box.Select(std::max(IndexOf(initialDirectory), 0));
    box.onClick = [this] {
        if (onChange) onChange();
    };
}

std::wstring DriveList::Drive() const { return box.Entry(box.SelectedIndex()); }

const std::vector<std::wstring>& DriveList::Entries() const { return box.Entries(); }

bool DriveList::SetDrive(const std::wstring& drive) {
    const int index = IndexOf(drive);
    if (index < 0) return false;
    box.Select(index);
    return true;
}

int DriveList::IndexOf(const std::wstring& drive) const {
    for (int i = 0; i < box.Count(); ++i)
        if (DriveLetterOf(box.Entry(i)) && DriveLetterOf(box.Entry(i)) == DriveLetterOf(drive))
            return i;
    return -1;
}

DirectoryList::DirectoryList(ui::Container& parent, ui::Twips place, int tabIndex, Desktop& desktop)
    : box(parent, place, tabIndex), desktop_(desktop) {
    box.onDblClick = [this] {
        const int index = box.SelectedIndex();
        // A directory gone since it was listed cannot be entered: the list stays.
        if (index >= 0 && index < static_cast<int>(entryPaths_.size()))
            IgnoreFailure(SetPath(entryPaths_[index]));
    };
}

Outcome DirectoryList::SetPath(const std::wstring& pathOrDrive) {
    std::wstring path = pathOrDrive;
    if (IsDriveText(pathOrDrive)) {
        const Result<std::wstring> current = desktop_.DriveDirectory(pathOrDrive);
        if (current.failed()) return current.failure();
        path = current.value();
    }
    const Result<std::vector<std::wstring>> subdirectories = desktop_.Subdirectories(path);
    if (subdirectories.failed()) return subdirectories.failure();
    const bool moved = path != path_;
    path_ = path;
    Show(subdirectories.value());
    if (moved && onChange) onChange();
    return Outcome();
}

void DirectoryList::Show(const std::vector<std::wstring>& subdirectories) {
    std::vector<std::wstring> entries;
    entryPaths_.clear();
    std::wstring walked = RootOf(path_);
    entries.push_back(walked);
    entryPaths_.push_back(walked);
    size_t level = 0;
    // A drive's root ends in its backslash, a share's is followed by one.
    for (size_t start = walked.size() + (walked.ends_with(L'\\') ? 0 : 1); start < path_.size();) {
        const size_t end = std::min(path_.find(L'\\', start), path_.size());
        const std::wstring name = path_.substr(start, end - start);
        walked = JoinPath(walked, name);
        entries.push_back(Indented(++level, name));
        entryPaths_.push_back(walked);
        start = end + 1;
    }
    for (const std::wstring& name : subdirectories) {
        entries.push_back(Indented(level + 1, name));
        entryPaths_.push_back(JoinPath(path_, name));
    }
    box.SetEntries(std::move(entries));
    box.Select(static_cast<int>(level));
}

FileList::FileList(ui::Container& parent, ui::Twips place, int tabIndex, Desktop& desktop,
                   std::wstring pattern)
    : box(parent, place, tabIndex), desktop_(desktop), pattern_(std::move(pattern)) {}

Outcome FileList::SetPath(const std::wstring& directory) { return Read(directory, pattern_); }

Outcome FileList::SetPattern(const std::wstring& pattern) { return Read(path_, pattern); }

std::wstring FileList::FileName() const { return box.Entry(box.SelectedIndex()); }

Outcome FileList::Read(const std::wstring& directory, const std::wstring& pattern) {
    const Result<std::vector<std::wstring>> names = desktop_.MatchingFiles(directory, pattern);
    if (names.failed()) return names.failure();
    path_ = directory;
    pattern_ = pattern;
    box.SetEntries(names.value());
    return Outcome();
}

}  // namespace tavolin
