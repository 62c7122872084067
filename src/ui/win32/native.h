// Internals shared by the Win32 toolkit backend's files.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ui/controls.h"
#include "win32/handles.h"
#include "win32/windows_h.h"

namespace ui::win32 {

// A control's colours where it paints text on a background of its own.
struct Paint {
    COLORREF text;
    HBRUSH background;
};

// What a child needs to be laid out again at another DPI.
struct ChildLayout {
    Font font;
    int heightFactor = 1;  // a drop-down list is given the height of its open list
};

// Every picture of a form drawn once on its background into one bitmap, so
// the pictures hold no icons of their own and paint by a copy.
struct PictureStrip {
    owned::MadeDc dc;
    owned::GdiObject<HBITMAP> bitmap;
    std::optional<owned::Selection> selection;  // the bitmap in the DC while the strip lives
    std::map<const Picture*, int> offsets;      // left edge of each picture
};

// What the keyboard and the pointer are doing in a strip of pictures.
struct StripState {
    int focused = 0;   // the keyboard's cell
    int pressed = -1;  // the cell the left button went down on, if any
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
    std::optional<PictureStrip> pictures;  // drawn at the first paint
    std::map<const Frame*, StripState> strips;
    // Focus cues show once the keyboard is used, as the system's rule has
    // it, or always where the user asked for that.
    bool keyboardCues = false;
};

// One cell of a frame's strip: a place, and the pictures standing there, of
// which one shows at a time.
struct Cell {
    RECT rect;  // in the frame, in pixels
    std::vector<Picture*> pictures;
    Picture* Shown() const;
};
// The cells of a frame, left to right; none for a frame without pictures.
std::vector<Cell> CellsOf(const Frame& frame);
// Clicks the picture the cell shows, as the pointer or a key does.
void PressCell(const Frame& frame, int index);
// Redraws the cell a picture stands in.
void InvalidatePicture(const Picture& picture);
// Posted to a strip with a cell's index: press it (a screen reader's default
// action, which must not wait for what the press opens).
inline constexpr UINT kPressCellMessage = WM_USER + 1;
// A strip's object for screen readers: a tool bar of push buttons, one a
// cell, as WM_GETOBJECT returns it; 0 where the system cannot make one.
LRESULT StripObject(HWND strip, WPARAM flags);

// The window of an open form; null while the form is closed.
FormWindow* WindowOf(const Form& form);
// The window of the form a control is on; its form is open.
FormWindow& FormOf(const Control& control);

// Twips to pixels at the form's real resolution.
inline int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

inline HWND Hwnd(const Control& control) { return static_cast<HWND>(control.handle); }

COLORREF ToColorRef(Colour colour);
HBRUSH Brush(FormWindow& form, Colour colour);
HFONT FontFor(FormWindow& form, const Font& font);
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
// Routes mouse moves (and the busy pointer) of a standard control through
// the toolkit.
void WatchMouse(Control& control);
// The client object of a standard control named by its accessibleName,
// as WM_GETOBJECT returns it; 0 where the system cannot make one.
LRESULT NamedClientObject(HWND control, WPARAM flags, const std::wstring& name);
HINSTANCE Instance();
// Registers the toolkit's own window classes once.
void RegisterClasses();
// Dispatches the program's messages until the main form, shown already, is
// closed.
void Serve(Form& main);
LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

inline constexpr wchar_t kFormClass[] = L"TavolinForm";
inline constexpr wchar_t kFrameClass[] = L"TavolinFrame";

}  // namespace ui::win32
