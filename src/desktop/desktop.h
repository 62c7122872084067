// The desktop operations the program needs: everything it does to the
// system outside its own windows goes through this interface, so the logic
// runs unchanged against the real system or against a recording stand-in.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tavolin {

// A failed desktop operation, with the system's short description of it.
struct Failure {
    std::wstring description;
};

// What an operation that gives nothing back came to: done, or a failure.
class [[nodiscard]] Outcome {
public:
    Outcome() = default;  // done
    Outcome(Failure failure) : failure_(std::move(failure)) {}
    bool ok() const { return !failure_; }
    bool failed() const { return failure_.has_value(); }
    const Failure& failure() const { return *failure_; }

private:
    std::optional<Failure> failure_;
};

// A value, or the failure that kept it from being had.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}
    bool ok() const { return state_.index() == 0; }
    bool failed() const { return !ok(); }
    const T& value() const { return std::get<0>(state_); }
    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

// Says where it is called that a failure makes no difference there, so that
// an outcome dropped on purpose reads as such.
inline void IgnoreFailure(const Outcome&) {}

// Message-box style flags and the one answer the program tests.
namespace mb {
constexpr int kOk = 0;
constexpr int kYesNo = 4;
constexpr int kStop = 16;
constexpr int kQuestion = 32;
constexpr int kExclamation = 48;
constexpr int kInformation = 64;
constexpr int kSecondButtonDefault = 256;
constexpr int kAnswerYes = 6;
}  // namespace mb

// Window styles for RunCommand.
constexpr int kNormalFocus = 1;
constexpr int kMaximizedFocus = 3;

class Desktop {
public:
    virtual ~Desktop() = default;

    // Starts a program and returns at once.
    virtual Outcome RunCommand(const std::wstring& commandLine, int windowStyle) = 0;
    // The same, with the directory the program starts in; the program's own
    // current directory stays.
    virtual Outcome RunCommandIn(const std::wstring& directory, const std::wstring& commandLine,
                                 int windowStyle) = 0;
    // Brings the window with exactly this title to the front with the focus.
    virtual Outcome ActivateWindow(const std::wstring& title) = 0;
    // Types keys in brace notation ("{TAB}", "%{F4}") into the focused window.
    virtual Outcome SendKeystrokes(const std::wstring& keys) = 0;
    // Modal message box; returns the button pressed.
    virtual int ShowMessage(const std::wstring& prompt, int flags, const std::wstring& title) = 0;

    // The printer job: each line goes on its own printed line; the first
    // starts the document, EndDocument sends it to the default printer.
    virtual Outcome PrintLine(const std::wstring& text) = 0;
    virtual Outcome EndDocument() = 0;
    // Throws away a document begun but not ended, so nothing half-printed
    // reaches the printer.
    virtual void AbortDocument() = 0;

    // Drive entries, each beginning with the drive letter and a colon.
    virtual std::vector<std::wstring> Drives() = 0;
    // The current directory in full: on a drive (C:\WINDOWS) or on a share
    // (\\server\share\sub), when started in one.
    virtual std::wstring CurrentDirectory() = 0;
    // The current directory of the drive named by a drive entry or path;
    // fails when the drive cannot be read.
    virtual Result<std::wstring> DriveDirectory(const std::wstring& drive) = 0;
    // Names of the subdirectories of a directory, sorted.
    virtual Result<std::vector<std::wstring>> Subdirectories(const std::wstring& directory) = 0;
    // Names of the files in a directory matching any of the ";"-separated
    // patterns, sorted.
    virtual Result<std::vector<std::wstring>> MatchingFiles(const std::wstring& directory,
                                                            const std::wstring& patterns) = 0;

    virtual Outcome DeleteFile(const std::wstring& path) = 0;
    // True when the full path names a directory that is there.
    virtual bool IsFolder(const std::wstring& path) = 0;
    // True when the full path names a file that is there.
    virtual bool IsFile(const std::wstring& path) = 0;
    // Makes the drive named by the path's first letter current.
    virtual Outcome ChangeDrive(const std::wstring& path) = 0;
    // Sets the current directory of the path's drive; the current drive stays.
    virtual Outcome ChangeDirectory(const std::wstring& path) = 0;
    // The environment's value for the name, which the programs started
    // inherit; empty where it is not defined, as the command interpreter
    // takes an empty value for none.
    virtual std::wstring EnvironmentValue(const std::wstring& name) = 0;
    // Whether delayed expansion (! as the mark of a variable) is on for the
    // user, in the command interpreter that runs a batch file.
    virtual bool DelayedExpansionOn() = 0;

    // The Windows directory, with a trailing backslash only for a root;
    // empty when the system cannot say.
    virtual std::wstring WindowsDirectory() = 0;
};

}  // namespace tavolin
