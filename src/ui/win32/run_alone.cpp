// The first start holds a mutex, named in the sign-in session's own
// namespace, for as long as its main form runs, and leaves the form's window
// where a later start finds it. A later start asks that window whether its
// form is still open: one that has begun to close says no, or is too busy
// going to answer, and the later start waits for it to end and shows its
// own.
#include "ui/win32/run_alone.h"

#include "ui/win32/native.h"

namespace ui {

namespace {

// How long a later start waits for the running program's form to show: that
// program may have been started a moment before, and still be on its way.
constexpr ULONGLONG kShowTimeoutMs = 30000;
constexpr DWORD kPollMs = 20;
// A form that does not answer in this time is taken for one on its way out;
// it is asked again until it has gone or answers.
constexpr UINT kAnswerTimeoutMs = 1000;

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
bool StaysOpen(HWND form) {
    DWORD_PTR open = 0;
    return IsWindow(form) && IsWindowVisible(form) &&
           SendMessageTimeoutW(form, win32::StillOpenMessage(), 0, 0, SMTO_ABORTIFHUNG,
                               kAnswerTimeoutMs, &open) &&
           open == 1;
}

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
    do {
        // Abandoned: the program that held it has ended without letting go.
        const DWORD taken = WaitForSingleObject(claim.get(), 0);
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
        if (StaysOpen(running)) {
            BringForward(running);
            return;
        }
        Sleep(kPollMs);
    } while (GetTickCount64() < deadline);
}

}  // namespace ui
