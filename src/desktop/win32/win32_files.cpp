// Drives, directories and files of Win32Desktop. The current directory of
// each drive that is not current is kept where the command shell keeps it, in
// the hidden environment entry "=X:", which the system's own relative-path
// resolution reads too.
#include <algorithm>
#include <cwctype>
#include <functional>

#include "desktop/paths.h"
#include "desktop/patterns.h"
#include "desktop/win32/system_text.h"
#include "desktop/win32/win32_desktop.h"
#include "win32/handles.h"

namespace tavolin {

namespace {

std::wstring RootOf(wchar_t drive) { return {drive, L':', L'\\'}; }

std::wstring DriveKey(wchar_t drive) { return {L'=', drive, L':'}; }

Failure NoSuchDrive() { return Failure{SystemText(ERROR_INVALID_DRIVE)}; }

std::wstring WorkingDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(size, L'\0');
    directory.resize(GetCurrentDirectoryW(size, directory.data()));
    return directory;
}

bool IsCurrentDrive(wchar_t drive) {
    const std::wstring current = WorkingDirectory();
    return DriveLetterOf(current) == drive;
}

// The remembered directory of a drive that is not current, or its root.
std::wstring RememberedDirectory(wchar_t drive) {
    const std::wstring key = DriveKey(drive);
    const DWORD size = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (size == 0) return RootOf(drive);
    std::wstring directory(size, L'\0');
    directory.resize(GetEnvironmentVariableW(key.c_str(), directory.data(), size));
    return DriveLetterOf(directory) == drive ? directory : RootOf(drive);
}

std::wstring DirectoryOfDrive(wchar_t drive) {
    return IsCurrentDrive(drive) ? WorkingDirectory() : RememberedDirectory(drive);
}

// The absolute path, relative paths taken from the current directory of
// their drive; without a trailing backslash unless a root.
Result<std::wstring> FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return LastFailure();
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    if (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full;
}

// The path in its \\?\ form, which the file system takes exactly as
// written: the plain form drops a trailing dot or blank from each name (so
// "sub.\a.txt" would reach "sub\a.txt") and stops at MAX_PATH characters.
// An absolute path is prefixed as it stands, since its names are what the
// user sees; a relative one, or one with "." and ".." steps, is made full
// first, by the system's own rules.
std::wstring ExactPath(const std::wstring& path) {
    const auto isDevicePath = [](const std::wstring& p) {
        return p.starts_with(L"\\\\?\\") || p.starts_with(L"\\\\.\\");
    };
    if (isDevicePath(path)) return path;
    const bool plainAbsolute = DriveLetterOf(path) && path.size() >= 3 && path[2] == L'\\' &&
                               path.find(L'/') == std::wstring::npos &&
                               path.find(L"\\.\\") == std::wstring::npos &&
                               path.find(L"\\..\\") == std::wstring::npos &&
                               !path.ends_with(L"\\.") && !path.ends_with(L"\\..");
    std::wstring full = path;
    if (!plainAbsolute) {
        const Result<std::wstring> made = FullPath(path);
        if (!made.ok()) return path;
        full = made.value();
        if (isDevicePath(full)) return full;
    }
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    if (!DriveLetterOf(full)) return full;
    full[0] = DriveLetterOf(full);
    return L"\\\\?\\" + full;
}

// Calls back for every visible entry of a directory except "." and "..".
Outcome ListDirectory(const std::wstring& directory,
                      const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW entry;
    const owned::FindHandle find(FindFirstFileExW(ExactPath(JoinPath(directory, L"*")).c_str(),
                                                  FindExInfoBasic, &entry, FindExSearchNameMatch,
                                                  nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid()) {
        // An empty root has no entries at all, yet it can be read.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return Outcome();
        return LastFailure();
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        visit(entry);
    } while (FindNextFileW(find.get(), &entry));
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) return Failure{SystemText(error)};
    return Outcome();
}

Result<std::vector<std::wstring>> SortedEntries(
    const std::wstring& directory, const std::function<bool(const WIN32_FIND_DATAW&)>& keep) {
    std::vector<std::wstring> names;
    const Outcome listed = ListDirectory(directory, [&](const WIN32_FIND_DATAW& entry) {
        if (keep(entry)) names.emplace_back(entry.cFileName);
    });
    if (listed.failed()) return listed.failure();
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return names;
}

bool IsDirectory(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::vector<std::wstring> Win32Desktop::Drives() {
    std::vector<std::wstring> entries;
    const DWORD present = GetLogicalDrives();
    for (wchar_t drive = L'A'; drive <= L'Z'; ++drive) {
        if (!(present & (1u << (drive - L'A')))) continue;
        std::wstring entry{static_cast<wchar_t>(std::towlower(drive)), L':'};
        const std::wstring root = RootOf(drive);
        const UINT type = GetDriveTypeW(root.c_str());
        // A removable drive is not asked for its label: that would wait for
        // its medium.
        wchar_t label[MAX_PATH + 1] = {};
        if (type != DRIVE_REMOVABLE && type != DRIVE_NO_ROOT_DIR && type != DRIVE_UNKNOWN &&
            GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                                  nullptr, 0) &&
            label[0])
            entry += std::wstring(L" [") + label + L"]";
        entries.push_back(entry);
    }
    return entries;
}

Result<std::wstring> Win32Desktop::DriveDirectory(const std::wstring& drive) {
    if (!DriveLetterOf(drive)) return NoSuchDrive();
    const auto readable = [](const std::wstring& directory) {
        return ListDirectory(directory, [](const WIN32_FIND_DATAW&) {});
    };
    const std::wstring directory = DirectoryOfDrive(DriveLetterOf(drive));
    const Outcome read = readable(directory);
    if (read.ok()) return directory;
    // A directory removed since it was left leaves its drive's root, as
    // ChangeDrive does; only a drive that cannot be read at all fails.
    const std::wstring root = RootOf(DriveLetterOf(drive));
    if (directory == root || readable(root).failed()) return read.failure();
    return root;
}

Result<std::vector<std::wstring>> Win32Desktop::Subdirectories(const std::wstring& directory) {
    return SortedEntries(directory, IsDirectory);
}

Result<std::vector<std::wstring>> Win32Desktop::MatchingFiles(const std::wstring& directory,
                                                              const std::wstring& patterns) {
    return SortedEntries(directory, [&](const WIN32_FIND_DATAW& entry) {
        return !IsDirectory(entry) && MatchesAnyPattern(entry.cFileName, patterns);
    });
}

Outcome Win32Desktop::DeleteFile(const std::wstring& path) {
    if (!DeleteFileW(ExactPath(path).c_str())) return LastFailure();
    return Outcome();
}

bool Win32Desktop::IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ExactPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Desktop::IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(ExactPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Win32Desktop::CurrentDirectory() {
    // A share's root comes with a backslash; the lists keep one on a drive's root only.
    std::wstring directory = WorkingDirectory();
    if (directory.size() > 3 && directory.back() == L'\\') directory.pop_back();
    return directory;
}

Outcome Win32Desktop::ChangeDrive(const std::wstring& path) {
    const wchar_t drive = DriveLetterOf(path);
    if (!drive) return NoSuchDrive();
    if (IsCurrentDrive(drive)) return Outcome();
    const std::wstring current = WorkingDirectory();
    if (DriveLetterOf(current))
        SetEnvironmentVariableW(DriveKey(DriveLetterOf(current)).c_str(), current.c_str());
    const std::wstring target = RememberedDirectory(drive);
    if (SetCurrentDirectoryW(target.c_str())) return Outcome();
    const Failure failure = LastFailure();
    // A remembered directory that has gone since leaves the drive's root.
    if (target != RootOf(drive) && SetCurrentDirectoryW(RootOf(drive).c_str())) return Outcome();
    return failure;
}

Outcome Win32Desktop::ChangeDirectory(const std::wstring& path) {
    const Result<std::wstring> full = FullPath(path);
    if (!full.ok()) return full.failure();
    const std::wstring& directory = full.value();
    const wchar_t drive = DriveLetterOf(directory);
    if (!drive) return NoSuchDrive();
    if (IsCurrentDrive(drive)) {
        if (!SetCurrentDirectoryW(directory.c_str())) return LastFailure();
        return Outcome();
    }
    const DWORD attributes = GetFileAttributesW(ExactPath(directory).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastFailure();
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Failure{SystemText(ERROR_DIRECTORY)};
    SetEnvironmentVariableW(DriveKey(drive).c_str(), directory.c_str());
    return Outcome();
}

}  // namespace tavolin
