// Forms as top-level Win32 windows: creation at the stored place, the
// message loops, modal showing, timers and the busy pointer.
#include <algorithm>
#include <cstdlib>

#include "ui/win32/native.h"

namespace ui {

using win32::Px;

namespace {

// Forms that are open, so a modal one can disable the others.
std::vector<Form*> g_openForms;

constexpr UINT_PTR kFirstTimerId = 1;

Form* FormFromWindow(HWND hwnd) {
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

DWORD FormWindowStyle(const FormStyle& style) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (style.minimizeBox ? WS_MINIMIZEBOX : 0);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HICON LoadIconSized(int id, int size) {
    return static_cast<HICON>(
        LoadImageW(win32::Instance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

// Puts the focusable controls in tab order: the dialog manager walks
// siblings in z-order.
void ArrangeTabOrder(const std::vector<Control*>& controls) {
    std::vector<Control*> stops;
    for (Control* control : controls)
        if (control->tabIndex >= 0 && control->handle) stops.push_back(control);
    std::stable_sort(stops.begin(), stops.end(),
                     [](Control* a, Control* b) { return a->tabIndex < b->tabIndex; });
    for (Control* control : stops)
        SetWindowPos(static_cast<HWND>(control->handle), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The first control in tab order that can take the focus.
HWND FirstTabStop(const std::vector<Control*>& controls) {
    Control* first = nullptr;
    for (Control* control : controls)
        if (control->tabIndex >= 0 && control->handle && control->Visible() &&
            (GetWindowLongW(static_cast<HWND>(control->handle), GWL_STYLE) & WS_TABSTOP) &&
            (!first || control->tabIndex < first->tabIndex))
            first = control;
    return first ? static_cast<HWND>(first->handle) : nullptr;
}

// The message our loops are dispatching, innermost first, and the click a
// form was closed by: the second click of a double-click on a form's button
// would otherwise land on whatever stood under the form once it has gone.
const MSG* g_dispatching = nullptr;
bool g_closedByClick = false;
MSG g_closingClick{};

bool IsLeftClick(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK ||
           message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP || message == WM_NCLBUTTONDBLCLK;
}

// Whether the press belongs to a double-click whose first click closed a form.
bool EndsAClosingDoubleClick(const MSG& msg) {
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_LBUTTONDBLCLK) return false;
    if (!g_closedByClick) return false;
    g_closedByClick = false;
    return msg.time - g_closingClick.time <= GetDoubleClickTime() &&
           std::abs(msg.pt.x - g_closingClick.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(msg.pt.y - g_closingClick.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

// Notes the click a form is being closed by, if it is one.
void NoteClosingClick() {
    if (!g_dispatching || !IsLeftClick(g_dispatching->message)) return;
    g_closedByClick = true;
    g_closingClick = *g_dispatching;
}

// One message of our loops to the dialog manager (Tab and access keys) or to
// its window.
void Dispatch(MSG& msg) {
    if (EndsAClosingDoubleClick(msg)) return;
    const MSG* outer = g_dispatching;
    g_dispatching = &msg;
    HWND active = GetActiveWindow();
    if (!active || !IsDialogMessageW(active, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g_dispatching = outer;
}

}  // namespace

void PictureStrip::Release() {
    if (!dc) return;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    *this = {};
}

void NativeForm::ReleaseResources() {
    for (auto& [key, font] : fonts) DeleteObject(font);
    for (auto& [key, brush] : brushes) DeleteObject(brush);
    for (HICON icon : icons) DestroyIcon(icon);
    fonts.clear();
    brushes.clear();
    icons.clear();
    pictures.Release();
    paints.clear();
    commands.clear();
    nextId = 100;
}

namespace win32 {

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Form* form = FormFromWindow(hwnd);
    if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
    NativeForm& native = *form->native();
    switch (message) {
        case WM_COMMAND: {
            const auto found = native.commands.find(LOWORD(wParam));
            if (found != native.commands.end()) {
                // The reaction may close the form: keep it alive for the call.
                const auto reaction = found->second;
                reaction(HIWORD(wParam));
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto found = native.paints.find(reinterpret_cast<HWND>(lParam));
            if (found == native.paints.end()) break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, found->second.text);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(found->second.background);
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(native, form->style.background));
            return 1;
        }
        case WM_SETCURSOR:
            if (form->Busy()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_TIMER: {
            const size_t index = wParam - kFirstTimerId;
            if (index < form->Timers().size()) form->Timers()[index]->Tick();
            return 0;
        }
        case WM_DPICHANGED: {
            native.dpi = HIWORD(wParam);
            native.pictures.Release();  // drawn again at the new size
            for (Control* control : form->Controls())
                if (control->handle) win32::Place(*control);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_ACTIVATE:
            // As a dialog does: the keyboard comes back to the control that
            // had it, also after a modal form or a message box over this one.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd, focus)) native.focus = focus;
                return 0;
            }
            if (native.focus && IsChild(hwnd, native.focus) && !HIWORD(wParam)) {
                SetFocus(native.focus);
                return 0;
            }
            break;
        case WM_NEXTDLGCTL:
            // Sent by the dialog manager for a label's access key: the focus
            // goes to the label, then on to the next tab stop.
            if (LOWORD(lParam)) SetFocus(reinterpret_cast<HWND>(wParam));
            else if (HWND next = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0)) SetFocus(next);
            return 0;
        case WM_CLOSE:
            form->Close();
            return 0;
        case WM_NCDESTROY:
            // Destroyed with its owner (the bar closed under a modal dialog,
            // say): the form is closed as well, so that its modal wait ends.
            native.hwnd = nullptr;
            form->Close();
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32

Form::Form(FormStyle formStyle) : style(std::move(formStyle)), native_(new NativeForm) {}

Form::~Form() {
    // The members of the derived form are gone: nothing may reach them now.
    open_ = false;
    if (native_->hwnd) DestroyWindow(native_->hwnd);
    native_->ReleaseResources();
    g_openForms.erase(std::remove(g_openForms.begin(), g_openForms.end(), this), g_openForms.end());
}

std::wstring Form::Title() const {
    if (!native_->hwnd) return title_;
    std::wstring text(GetWindowTextLengthW(native_->hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(native_->hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

void Form::SetTitle(const std::wstring& title) {
    title_ = title;
    if (native_->hwnd) SetWindowTextW(native_->hwnd, title.c_str());
}

void Form::Show() {
    if (!open_) {
        win32::RegisterClasses();
        NativeForm& native = *native_;
        native.dpi = ScreenDpi();
        title_ = style.title;
        const DWORD windowStyle = FormWindowStyle(style);
        HMENU menu = nullptr;
        if (!menu_.empty()) {
            menu = CreateMenu();
            for (MenuCommand* command : menu_) {
                const int id = native.nextId++;
                AppendMenuW(menu, MF_STRING, id, command->caption.c_str());
                native.commands[id] = [command](UINT) { command->Click(); };
            }
        }
        RECT frame{Px(style.place.left, native.dpi), Px(style.place.top, native.dpi), 0, 0};
        frame.right = frame.left + Px(style.place.width, native.dpi);
        frame.bottom = frame.top + Px(style.place.height, native.dpi);
        AdjustWindowRectEx(&frame, windowStyle, menu != nullptr, 0);
        native.hwnd = CreateWindowExW(0, win32::kFormClass, title_.c_str(), windowStyle, frame.left,
                                      frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                      native.owner, menu, win32::Instance(), this);
        if (style.iconId) {
            HICON big = LoadIconSized(style.iconId, GetSystemMetrics(SM_CXICON));
            HICON small = LoadIconSized(style.iconId, GetSystemMetrics(SM_CXSMICON));
            native.icons.insert(native.icons.end(), {big, small});
            SendMessageW(native.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
            SendMessageW(native.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        }
        open_ = true;
        g_openForms.push_back(this);
        for (Control* control : controls_) control->CreateNative();
        ArrangeTabOrder(controls_);
        for (size_t i = 0; i < timers_.size(); ++i)
            SetTimer(native.hwnd, kFirstTimerId + i, timers_[i]->Interval(), nullptr);
        if (onLoad) onLoad();
        if (!open_) return;  // Load closed the form
        ShowWindow(native.hwnd, SW_SHOWNORMAL);
        if (HWND first = FirstTabStop(controls_)) SetFocus(first);
    }
    if (IsIconic(native_->hwnd)) ShowWindow(native_->hwnd, SW_RESTORE);
    SetForegroundWindow(native_->hwnd);
    BringWindowToTop(native_->hwnd);
}

void Form::ShowModal() {
    HWND opener = GetActiveWindow();
    std::vector<Form*> others;
    for (Form* form : g_openForms)
        if (form != this && form->Enabled()) others.push_back(form);
    for (Form* form : others) form->SetEnabled(false);
    native_->owner = opener;
    Show();
    MSG msg;
    bool quit = false;
    while (open_) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        Dispatch(msg);
    }
    // Enable the others before this one goes, so the activation returns to
    // the opener rather than to another program.
    for (Form* form : others) form->SetEnabled(true);
    if (open_) Close();
    if (opener && IsWindow(opener)) SetActiveWindow(opener);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
}

void Form::Close() {
    if (!open_) return;
    NoteClosingClick();
    if (onUnload) onUnload();
    open_ = false;
    g_openForms.erase(std::remove(g_openForms.begin(), g_openForms.end(), this), g_openForms.end());
    for (Control* control : controls_) control->handle = nullptr;
    if (native_->hwnd) DestroyWindow(native_->hwnd);
    native_->hwnd = nullptr;
    native_->owner = nullptr;
    native_->focus = nullptr;
    native_->ReleaseResources();
}

bool Form::IsOpen() const { return open_; }

void Form::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (native_->hwnd) EnableWindow(native_->hwnd, enabled);
}

void Form::SetBusy(bool busy) {
    busy_ = busy;
    if (!native_->hwnd) return;
    // Change the pointer now: no mouse move arrives while the work runs.
    POINT pointer;
    GetCursorPos(&pointer);
    RECT area;
    GetWindowRect(native_->hwnd, &area);
    if (PtInRect(&area, pointer)) SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Timer::SetInterval(int intervalMs) {
    interval_ = intervalMs;
    const auto& timers = form_.Timers();
    const auto found = std::find(timers.begin(), timers.end(), this);
    if (form_.native()->hwnd && found != timers.end())
        SetTimer(form_.native()->hwnd, kFirstTimerId + (found - timers.begin()), intervalMs, nullptr);
}

void Run(Form& main) {
    main.Show();
    MSG msg;
    while (main.IsOpen() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        Dispatch(msg);
    }
}

}  // namespace ui
