// Internals shared by the Win32 toolkit backend's files.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ui/controls.h"
#include "win32/handles.h"
#include "win32/windows_h.h"

namespace ui::win32 {

// A control's colours where it paints text on a background of its own,
// made into the system's when they are asked for, after any change of scheme.
struct Paint {
    Colour text;
    Colour background;
};

// What a child needs to be laid out again at another DPI.
struct ChildLayout {
    Font font;
    int heightFactor = 1;  // a drop-down list is given the height of its open list
};

// A drop taken by a control, waiting for the drop to end.
struct PendingDrop {
    Control* control = nullptr;
    std::vector<std::wstring> paths;
};

// An open form's window and everything made for it, released when the form
// closes: the window first, then what it drew with.
struct FormWindow : NativeForm {
    ~FormWindow() override;

    HWND hwnd = nullptr;
    HWND owner = nullptr;  // the window a modal form was opened from
    HWND focus = nullptr;  // the control that had the focus when the form lost activation
    int dpi = 96;
    int nextId = 100;
    // Reactions to WM_COMMAND, by control or menu identifier.
    std::map<int, std::function<void(UINT code)>> commands;
    std::map<HWND, Paint> paints;
    std::map<HWND, ChildLayout> layouts;
    std::map<std::tuple<std::wstring, int, bool>, owned::GdiObject<HFONT>> fonts;
    std::map<COLORREF, owned::GdiObject<HBRUSH>> brushes;
    std::vector<owned::Icon> icons;
    // Focus cues show once the keyboard is used, as the system's rule has
    // it, or always where the user asked for that.
    bool keyboardCues = false;
    bool acceptingDrops = false;
    PendingDrop pendingDrop;
};

// The window of an open form; null while the form is closed.
FormWindow* WindowOf(const Form& form);
// The form of a form's window.
Form* FormFromWindow(HWND hwnd);
// The window of the form a control is on; its form is open.
FormWindow& FormOf(const Control& control);

// Twips to pixels at the form's real resolution.
inline int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
// A place in twips as a rectangle in pixels.
RECT PixelRect(const Twips& place, int dpi);

inline HWND Hwnd(const Control& control) { return static_cast<HWND>(control.handle); }

// Whether the windows paint in the system's colours rather than their own
// light grey: in a high-contrast scheme, or wherever the system's text
// would be hard to read on the grey.
bool FollowSystemColours();
COLORREF ToColorRef(Colour colour);
HBRUSH Brush(FormWindow& form, Colour colour);
HFONT FontFor(FormWindow& form, const Font& font);
HINSTANCE Instance();

// Makes a child window for a control at its place, in the form's font unless
// another is given.
HWND CreateChild(Control& control, const wchar_t* className, const std::wstring& text, DWORD style,
                 DWORD exStyle = 0, const Font* font = nullptr, int heightFactor = 1);
// Sets a child's position, size and font for the form's current DPI.
void Place(Control& control);
// Widens a label to its caption's one line where the system's font needs
// more room than the stored width, which was chosen for a narrower one.
void FitCaption(HWND label);
// Makes a drop-down list as high as its place says where its font alone
// would leave it lower, never lower than the font needs.
void FitDropDownHeight(HWND comboBox, int height);

// Fills a list box with the entries in one go, wide enough to scroll
// sideways to the widest.
void FillList(HWND list, const std::vector<std::wstring>& entries);
// Widens a list's sideways scrolling to the widest of the entries added.
void WidenScrolling(HWND list, const std::vector<std::wstring>& entries);

// Brings a standard control's window (button, label, box, list) into the
// toolkit: its mouse moves, typed characters and Enter, a screen reader's
// questions and presses reach the control.
void SubclassStandardControl(Control& control);
// Posted to a control to press it, as a screen reader's default action
// does: posted, so that the reader does not wait for what the press opens
// (the Run dialog waits for its close). A strip is given the cell's index.
inline constexpr UINT kPressMessage = WM_USER + 1;
// Whether the control's window and the form it is on take input now: a
// press that comes while a box or a modal form stands over it does nothing.
bool TakesInput(HWND control);

// The cell the keyboard has chosen in a strip's window, -1 for none.
int ChosenCell(HWND strip);
// The picture at a point of a strip's window, or null.
Picture* PictureAt(HWND strip, POINT point);

// Whether a control of the form takes drops of files.
bool TakesDrops(const Form& form);
// Sets the form's window up to take drops, loading what that needs, and
// undoes it before the window goes.
void AcceptDrops(FormWindow& window);
void RefuseDrops(FormWindow& window);
// Hands a drop that has ended to the control that took it.
void TakePendingDrop(FormWindow& window);
// Posted to a form when a drop on it has ended.
inline constexpr UINT kDropMessage = WM_USER + 2;
// A form that takes drops sets itself up once it is first painted, by this
// timer of its window.
inline constexpr UINT_PTR kAcceptDropsTimer = 0xD0D0;

// A strip's object for screen readers: a tool bar of push buttons, one a
// picture, as WM_GETOBJECT returns it; 0 where the system cannot make one.
LRESULT StripObject(HWND strip, WPARAM flags);
// The client object of a standard control named by its accessibleName, a
// push button where the control is pressable, as WM_GETOBJECT returns it;
// 0 where the system cannot make one.
LRESULT StandardControlObject(HWND window, WPARAM flags, const Control& control);

// Registers the toolkit's own window classes once.
void RegisterClasses();
// Dispatches the program's messages until the main form, shown already, is
// closed.
void Serve(Form& main);
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Bytes a strip's window keeps beside it: its own state.
inline constexpr int kStripExtraBytes = sizeof(void*);

inline constexpr wchar_t kFormClass[] = L"TavolinForm";
inline constexpr wchar_t kStripClass[] = L"TavolinFrame";

}  // namespace ui::win32
