// Internals shared by the Win32 toolkit backend's files.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ui/controls.h"

namespace ui {

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
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::map<const Picture*, int> offsets;  // left edge of each picture

    void Release();
};

struct NativeForm {
    HWND hwnd = nullptr;
    HWND owner = nullptr;  // the form a modal one was opened from
    HWND focus = nullptr;  // the control that had the focus when the form lost activation
    int dpi = 96;
    int nextId = 100;
    // Reactions to WM_COMMAND, by control or menu identifier.
    std::map<int, std::function<void(UINT code)>> commands;
    std::map<HWND, Paint> paints;
    std::map<HWND, ChildLayout> layouts;
    std::map<std::tuple<std::wstring, int, bool>, HFONT> fonts;
    std::map<COLORREF, HBRUSH> brushes;
    std::vector<HICON> icons;
    PictureStrip pictures;

    void ReleaseResources();
};

namespace win32 {

// Twips to pixels at the form's real resolution.
inline int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

COLORREF ToColorRef(Colour colour);
HBRUSH Brush(NativeForm& form, Colour colour);
HFONT FontFor(NativeForm& form, const Font& font);
HWND ParentWindow(Control& control);
NativeForm& FormOf(Control& control);
// Makes a child window for a control at its place, in the form's font unless
// another is given.
HWND CreateChild(Control& control, const wchar_t* className, const std::wstring& text,
                 DWORD style, DWORD exStyle = 0, const Font* font = nullptr, int heightFactor = 1);
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
// Paints a picture from its form's strip, drawing the strip on first use.
void PaintPicture(Picture& picture, HDC dc, const RECT& client);
HINSTANCE Instance();
// Registers the toolkit's own window classes once.
void RegisterClasses();

inline constexpr wchar_t kFormClass[] = L"TavolinForm";
inline constexpr wchar_t kFrameClass[] = L"TavolinFrame";
inline constexpr wchar_t kPictureClass[] = L"TavolinPicture";

}  // namespace win32
}  // namespace ui
