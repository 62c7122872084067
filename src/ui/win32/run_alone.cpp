// The first start holds a mutex, named in the sign-in session's own
// namespace, for as long as its main form runs, and leaves the form's window
// where a later start finds it.
#include "ui/win32/run_alone.h"

#include "ui/win32/native.h"

namespace ui {

namespace {

// How long a later start waits for the running program's form to show: that
// program may have been started a moment before, and still be on its way.
constexpr ULONGLONG kShowTimeoutMs = 30000;
constexpr DWORD kPollMs = 20;
// How long a later start watches the running form before it brings it
// forward: a close asked for a moment before (its close box) may still be on
// its way to that program, or under way there, and then this start's own
// form is the one that must stay.
constexpr DWORD kGoingTimeoutMs = 1000;

// The running program's form window, kept as 32 bits, which 32-bit and
// 64-bit programs read alike.
class FormAddress {
public:
    explicit FormAddress(const std::wstring& name)
        : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(LONG), name.c_str())),
          view_(mapping_ ? MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG))
                         : nullptr) {}
    explicit operator bool() const { return view_ != nullptr; }
    void Publish(HWND window) { InterlockedExchange(Value(), HandleToLong(window)); }
    HWND Read() const { return static_cast<HWND>(LongToHandle(*Value())); }

private:
    volatile LONG* Value() const { return static_cast<volatile LONG*>(view_.get()); }

    owned::KernelHandle mapping_;
    owned::MappedView view_;
};

// As the user would find it: restored if it was minimised, and in front the
// window over it that waits for an answer (a modal form, a message box), or
// else the form itself. That window is asked for first: restoring activates
// the form itself.
void BringForward(HWND form) {
    const HWND front = GetLastActivePopup(form);
    if (IsIconic(form)) ShowWindow(form, SW_RESTORE);
    SetForegroundWindow(front);
}

}  // namespace

void RunAlone(Form& main, const std::wstring& name) {
    // Local\: every sign-in session has its own names, so another user's
    // program is never reached.
    const owned::KernelHandle claim(CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str()));
    FormAddress address(L"Local\\" + name + L".Form");
    // Names another user's program holds in this session (one started as
    // that user) cannot be opened: the form runs on its own.
    if (!claim || !address) return Run(main);
    const ULONGLONG deadline = GetTickCount64() + kShowTimeoutMs;
    // The running form seen at the last look: it may be going, and is
    // watched for a moment before it is taken to stay.
    bool seen = false;
    do {
        // Abandoned: the program that held it has ended without letting go.
        const DWORD taken = WaitForSingleObject(claim.get(), seen ? kGoingTimeoutMs : 0);
        if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) {
            main.Show();
            if (const win32::FormWindow* window = win32::WindowOf(main))
                address.Publish(window->hwnd);
            win32::Serve(main);
            address.Publish(nullptr);
            ReleaseMutex(claim.get());
            return;
        }
        const HWND running = address.Read();
        const bool there = IsWindow(running) && IsWindowVisible(running);
        if (there && seen) {
            BringForward(running);
            return;
        }
        seen = there;
        if (!there) Sleep(kPollMs);
    } while (GetTickCount64() < deadline);
}

}  // namespace ui
