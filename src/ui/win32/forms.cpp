// Forms as top-level Win32 windows: creation at the stored place, the
// message loops, modal showing, timers and the busy pointer.
#include <algorithm>
#include <cstdlib>

#include "ui/backend.h"
#include "ui/win32/native.h"
#include "ui/win32/window_in_charge.h"

namespace ui {

using win32::FormFromWindow;
using win32::FormWindow;
using win32::Hwnd;
using win32::Px;
using win32::WindowOf;

namespace {

constexpr UINT_PTR kFirstTimerId = 1;

DWORD FormWindowStyle(const FormStyle& style) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
           (style.minimizeBox ? WS_MINIMIZEBOX : 0);
}

int ScreenDpi() {
    const owned::WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

owned::Icon LoadIconSized(int id, int size) {
    return owned::Icon(static_cast<HICON>(
        LoadImageW(win32::Instance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
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
        SetWindowPos(Hwnd(*control), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The first control in tab order that can take the focus: a strip of
// pictures, a stop without an index of its own, comes before the others.
HWND FirstTabStop(const std::vector<Control*>& controls) {
    Control* first = nullptr;
    for (Control* control : controls)
        if (control->handle && (GetWindowLongW(Hwnd(*control), GWL_STYLE) & WS_TABSTOP) &&
            (!first || control->tabIndex < first->tabIndex))
            first = control;
    return first ? Hwnd(*first) : nullptr;
}

// The message our loops are dispatching, innermost first, and the click a
// form was closed by: the second click of a double-click on a form's button
// would otherwise land on whatever stood under the form once it has gone.
const MSG* g_dispatching = nullptr;
bool g_closedByClick = false;
MSG g_closingClick{};

bool IsLeftClick(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK ||
           message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP ||
           message == WM_NCLBUTTONDBLCLK;
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

// An access key on the active form, done by the toolkit's own rule: the
// dialog manager takes the first control from the focus on whose letter
// matches, so that a shared letter can press a button, and a label's key
// goes to whatever follows the label in tab order. False where no control
// of the form carries the letter (a menu's may).
bool TakeAccessKey(const MSG& msg, HWND active) {
    if (msg.message != WM_SYSCHAR && msg.message != WM_CHAR) return false;
    const Form* form = active ? FormFromWindow(active) : nullptr;
    if (!form || !WindowOf(*form) || WindowOf(*form)->hwnd != active) return false;
    const HWND focus = GetFocus();
    // A letter typed into a box, or a list's search, is no access key.
    if (msg.message == WM_CHAR &&
        (!focus || (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)))
        return false;
    const auto& controls = form->Controls();
    const auto focused = std::find_if(controls.begin(), controls.end(),
                                      [focus](const Control* c) { return c->handle == focus; });
    const AccessKeyAction action = ActionOfAccessKey(
        *form, static_cast<wchar_t>(msg.wParam), focused != controls.end() ? *focused : nullptr);
    if (!action.control || !action.control->handle) return false;
    const HWND target = Hwnd(*action.control);
    if (action.press) {
        SendMessageW(target, BM_CLICK, 0, 0);
    } else {
        SetFocus(target);
        // As Tab does: the whole text chosen, ready to be typed over.
        if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
            SendMessageW(target, EM_SETSEL, 0, -1);
    }
    return true;
}

// One message of our loops to the access keys, the dialog manager (Tab) or
// its window.
void Dispatch(MSG& msg) {
    if (EndsAClosingDoubleClick(msg)) return;
    const MSG* outer = g_dispatching;
    g_dispatching = &msg;
    // Only keys are the dialog manager's; a timer's tick or a paint goes
    // straight to its window, without asking the system anything more.
    const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    HWND active = key ? GetActiveWindow() : nullptr;
    if (!key || (!TakeAccessKey(msg, active) && (!active || !IsDialogMessageW(active, &msg)))) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g_dispatching = outer;
}

// A named callback, not a lambda: only a function declared so carries the
// system's calling convention on 32-bit x86.
BOOL CALLBACK ForgetControl(HWND child, LPARAM) {
    SetWindowLongPtrW(child, GWLP_USERDATA, 0);
    return TRUE;
}

}  // namespace

namespace win32 {

FormWindow::~FormWindow() {
    NoteClosingClick();
    if (!hwnd) return;
    // The controls may be gone already: their windows must not reach them
    // while they are destroyed.
    EnumChildWindows(hwnd, ForgetControl, 0);
    RefuseDrops(*this);
    DestroyWindow(hwnd);
}

FormWindow* WindowOf(const Form& form) { return static_cast<FormWindow*>(form.native()); }

Form* FormFromWindow(HWND hwnd) {
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HWND WindowInCharge() {
    const Form* form = FormInCharge();
    const FormWindow* window = form ? WindowOf(*form) : nullptr;
    return window ? window->hwnd : nullptr;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Form* form = FormFromWindow(hwnd);
    FormWindow* window = form ? WindowOf(*form) : nullptr;
    // A form being closed has let go of its window already.
    if (!window || window->hwnd != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND: {
            const auto found = window->commands.find(LOWORD(wParam));
            if (found != window->commands.end()) {
                // The reaction may close the form: keep it alive for the call.
                const auto reaction = found->second;
                reaction(HIWORD(wParam));
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto found = window->paints.find(reinterpret_cast<HWND>(lParam));
            if (found == window->paints.end()) break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(found->second.text));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(Brush(*window, found->second.background));
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     Brush(*window, form->style.background));
            return 1;
        }
        case WM_SETCURSOR:
            if (form->Busy()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_TIMER: {
            if (wParam == kAcceptDropsTimer) {
                KillTimer(hwnd, kAcceptDropsTimer);
                AcceptDrops(*window);
                return 0;
            }
            const size_t index = wParam - kFirstTimerId;
            if (index < form->Timers().size()) form->Timers()[index]->Tick();
            return 0;
        }
        case WM_DPICHANGED: {
            window->dpi = HIWORD(wParam);
            for (Control* control : form->Controls())
                if (control->handle) control->LayOutNative();
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
                if (focus && IsChild(hwnd, focus)) window->focus = focus;
                return 0;
            }
            if (window->focus && IsChild(hwnd, window->focus) && !HIWORD(wParam)) {
                SetFocus(window->focus);
                return 0;
            }
            break;
        case WM_NEXTDLGCTL:
            // Sent by the dialog manager for a label's access key: the focus
            // goes to the label, then on to the next tab stop.
            if (LOWORD(lParam))
                SetFocus(reinterpret_cast<HWND>(wParam));
            else if (HWND next = GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0))
                SetFocus(next);
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // Another scheme: everything is painted again in its colours.
            RedrawWindow(hwnd, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            break;
        case kDropMessage:
            TakePendingDrop(*window);
            return 0;
        case WM_CLOSE:
            form->Close();
            return 0;
        case WM_NCDESTROY:
            // Destroyed with its owner (the bar closed under a modal dialog,
            // say): the form is closed as well, so that its modal wait ends.
            window->hwnd = nullptr;
            form->Close();
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Serve(Form& main) {
    MSG msg;
    while (main.IsOpen() && GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
}

void RegisterClasses() {
    static const bool registered = [] {
        WNDCLASSEXW form{};
        form.cbSize = sizeof(form);
        form.lpfnWndProc = FormProc;
        form.hInstance = Instance();
        form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        form.lpszClassName = kFormClass;
        RegisterClassExW(&form);

        WNDCLASSEXW strip = form;
        strip.lpfnWndProc = StripProc;
        strip.lpszClassName = kStripClass;
        strip.cbWndExtra = kStripExtraBytes;
        RegisterClassExW(&strip);
        return true;
    }();
    (void)registered;
}

}  // namespace win32

namespace backend {

std::unique_ptr<NativeForm> MakeNative(Form&) { return std::make_unique<FormWindow>(); }

void Open(Form& form) {
    win32::RegisterClasses();
    FormWindow& window = *WindowOf(form);
    window.dpi = ScreenDpi();
    BOOL cuesAlways = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cuesAlways, 0);
    window.keyboardCues = cuesAlways;
    // A modal form is owned by the window it was opened from, and stays above it.
    if (form.IsModal()) window.owner = win32::WindowInCharge();
    const DWORD windowStyle = FormWindowStyle(form.style);
    HMENU menu = nullptr;
    if (!form.Menu().empty()) {
        menu = CreateMenu();
        for (MenuCommand* command : form.Menu()) {
            const int id = window.nextId++;
            AppendMenuW(menu, MF_STRING, id, command->caption.c_str());
            window.commands[id] = [command](UINT) { command->Click(); };
        }
    }
    const Twips& place = form.style.place;
    RECT frame{Px(place.left, window.dpi), Px(place.top, window.dpi), 0, 0};
    frame.right = frame.left + Px(place.width, window.dpi);
    frame.bottom = frame.top + Px(place.height, window.dpi);
    AdjustWindowRectEx(&frame, windowStyle, menu != nullptr, 0);
    // The window owns the menu from here on.
    window.hwnd =
        CreateWindowExW(0, win32::kFormClass, form.Title().c_str(), windowStyle, frame.left,
                        frame.top, frame.right - frame.left, frame.bottom - frame.top, window.owner,
                        menu, win32::Instance(), &form);
    if (form.style.iconId) {
        window.icons.push_back(LoadIconSized(form.style.iconId, GetSystemMetrics(SM_CXICON)));
        window.icons.push_back(LoadIconSized(form.style.iconId, GetSystemMetrics(SM_CXSMICON)));
        SendMessageW(window.hwnd, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(window.icons[0].get()));
        SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(window.icons[1].get()));
    }
    for (Control* control : form.Controls()) control->CreateNative();
    ArrangeTabOrder(form.Controls());
    for (const Timer* timer : form.Timers()) backend::WriteInterval(*timer);
}

void Present(Form& form) {
    HWND hwnd = WindowOf(form)->hwnd;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    if (HWND first = FirstTabStop(form.Controls())) SetFocus(first);
    // A timer's tick comes after the first paint: nothing for drops is
    // loaded before the form is seen.
    if (win32::TakesDrops(form))
        SetTimer(hwnd, win32::kAcceptDropsTimer, USER_TIMER_MINIMUM, nullptr);
}

void BringToFront(Form& form) {
    HWND hwnd = WindowOf(form)->hwnd;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
}

void WaitWhileOpen(Form& form, const std::function<void()>& finish) {
    const FormWindow* window = WindowOf(form);
    HWND opener = window ? window->owner : nullptr;
    MSG msg;
    bool quit = false;
    while (form.IsOpen()) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        Dispatch(msg);
    }
    finish();
    if (opener && IsWindow(opener)) SetActiveWindow(opener);
    // The loop that runs the program must see the end too.
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
}

void Run(Form& main) {
    main.Show();
    win32::Serve(main);
}

void WriteTitle(const Form& form) {
    if (const FormWindow* window = WindowOf(form))
        SetWindowTextW(window->hwnd, form.Title().c_str());
}

void WriteEnabled(const Form& form) {
    if (const FormWindow* window = WindowOf(form)) EnableWindow(window->hwnd, form.Enabled());
}

void WriteBusy(const Form& form) {
    const FormWindow* window = WindowOf(form);
    if (!window) return;
    // Change the pointer now: no mouse move arrives while the work runs.
    POINT pointer;
    GetCursorPos(&pointer);
    RECT area;
    GetWindowRect(window->hwnd, &area);
    if (PtInRect(&area, pointer))
        SetCursor(LoadCursorW(nullptr, form.Busy() ? IDC_WAIT : IDC_ARROW));
}

void WriteInterval(const Timer& timer) {
    const Form& form = timer.OwnerForm();
    const FormWindow* window = WindowOf(form);
    const auto& timers = form.Timers();
    const auto found = std::find(timers.begin(), timers.end(), &timer);
    if (!window || found == timers.end()) return;
    const UINT_PTR id = kFirstTimerId + (found - timers.begin());
    if (timer.Interval() > 0)
        SetTimer(window->hwnd, id, timer.Interval(), nullptr);
    else
        KillTimer(window->hwnd, id);
}

}  // namespace backend
}  // namespace ui
