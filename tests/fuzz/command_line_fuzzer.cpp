// BuildCommandLine over arbitrary Windows directories, program and argument
// texts. Input: the Windows directory, a line break, the program text, a
// line break, the argument text.
#include <cstdlib>
#include <optional>

#include "fuzz_text.h"
#include "launch/launcher.h"

namespace {

using tavolin::fuzz::AsciiCase;

void Check(bool condition) {
    if (!condition) std::abort();
}

// The accessory prefix for a document of this extension, or none.
std::optional<std::wstring> Accessory(const tavolin::LaunchContext& context,
                                      const std::wstring& extension) {
    // An unknown Windows directory leaves the accessory to the system's search.
    const std::wstring& windows = context.WindowsDir;
    const std::wstring dir = windows.empty() || windows.back() == L'\\' ? windows : windows + L"\\";
    if (extension == L"HLP") return dir + L"WINHELP.EXE ";
    if (extension == L"WRI" || extension == L"DOC")
        return context.WindowsRoot + L"PROGRA~1\\ACCESS~1\\WORDPAD.EXE ";
    if (extension == L"TXT") return dir + L"NOTEPAD.EXE ";
    return std::nullopt;
}

// The text without its leading blanks, whose length decides.
std::wstring Unblanked(const std::wstring& program) {
    const size_t first = program.find_first_not_of(L' ');
    return first == std::wstring::npos ? std::wstring() : program.substr(first);
}

// The name whose extension decides: that text, or the part within the
// double quotes it begins with when nothing follows them (a quote left open
// runs to the end).
std::wstring DocumentName(const std::wstring& program) {
    const std::wstring text = Unblanked(program);
    if (text.empty() || text.front() != L'"') return text;
    const size_t close = text.find(L'"', 1);
    if (close == std::wstring::npos) return text.substr(1);
    return close + 1 == text.size() ? text.substr(1, close - 1) : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::wstring> fields = tavolin::fuzz::Fields(data, size, 3);
    tavolin::LaunchContext context;
    context.WindowsDir = fields[0];
    context.WindowsRoot = fields[0].substr(0, 3);
    const std::wstring& program = fields[1];
    const std::wstring& arguments = fields[2];

    const std::wstring line = tavolin::BuildCommandLine(context, program, arguments);
    const std::wstring name = DocumentName(program);
    // Too short as given, quotes counted: nothing to start.
    Check(line.empty() == (Unblanked(program).size() < 4));
    if (line.empty()) return 0;

    // The program text comes unchanged, then one blank and the arguments.
    const std::wstring tail = program + L" " + arguments;
    Check(line.size() >= tail.size());
    Check(line.compare(line.size() - tail.size(), tail.size(), tail) == 0);
    const std::wstring prefix = line.substr(0, line.size() - tail.size());

    // An accessory only for the four document extensions, below the Windows
    // directory or, for WordPad, below the drive root.
    const bool dotted = name.size() >= 4 && name[name.size() - 4] == L'.';
    const std::optional<std::wstring> accessory =
        dotted ? Accessory(context, AsciiCase(name.substr(name.size() - 3), true)) : std::nullopt;
    Check(prefix == accessory.value_or(std::wstring()));
    return 0;
}
