// Shared helpers of the Win32Desktop tests: fresh directories of their own,
// the system's texts, small file operations, and polling with a deadline.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "win32/windows_h.h"

namespace tavolin::win32test {

// UTF-8 for readable test output.
std::string Narrow(const std::wstring& text);

// What FormatMessageW says for an error, without its line end.
std::wstring ExpectedText(DWORD error);

// A uniquely named directory below a base directory, removed with everything
// in it at the end.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::wstring& base);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// The test directory on drive T:, and one on drive C: (below the temp directory).
std::wstring DriveTBase();
std::wstring DriveCBase();

// Absolute paths of any length, taken exactly as written.
void MakeDirectory(const std::wstring& path);
void MakeFile(const std::wstring& path, const std::string& content = "x");
bool Exists(const std::wstring& path);
std::wstring ReadUtf16File(const std::wstring& path);

std::wstring CurrentDirectory();
// The directory of this test program.
std::wstring ProgramDirectory();

// Calls the condition, pumping this thread's messages, until it holds or the
// timeout passes; returns its last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

}  // namespace tavolin::win32test
