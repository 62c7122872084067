// What the dialogs do with a chosen file: run or open it, delete it, and
// the help message on the file types that can be run.
#pragma once

#include <string>

#include "desktop/desktop.h"
#include "dialogs/file_lists.h"
#include "launch/launcher.h"

namespace tavolin {

// Why the path, handed on as it stands, would reach another file (a name on
// it ends in a dot or a blank), or empty when it would not.
std::wstring WhyNotExact(const std::wstring& path);
// Tells the user, in one message, that the path is not run or opened, and why.
void RefuseToOpen(Desktop& desktop, const std::wstring& path, const std::wstring& why);

// The full path of the file list's selected file, exactly as listed.
std::wstring SelectedFilePath(const FileList& files);

// Runs the selected file, or opens it in the accessory for its type; refuses,
// saying why, a path that would reach another file.
void RunSelectedFile(Desktop& desktop, const LaunchContext& context, const FileList& files);

// Deletes the selected file after the user has confirmed, then re-reads the
// list with its own pattern.
void DeleteSelectedFile(Desktop& desktop, FileList& files);

enum class HelpCaller { RunDialog, Browser };
void ShowFileTypeHelp(Desktop& desktop, HelpCaller caller);

}  // namespace tavolin
