// The bar's controls: where each stands, what it shows, and the description
// its mouse-move handler puts in the title. What each click does is its
// handler's (frm_main.cpp).
#pragma once

#include "resource.h"
#include "ui/controls.h"

namespace tavolin {

// The controls of the bar, left to right; the named members of FrmMain.
enum class BarControl {
    Image3,
    Image1,
    Image7,
    Image2,
    Image10,
    Image9,
    Image5,
    Image4,
    PicFace2,
    PicFace1,
    Image12,
    Image8,
    Image6,
    Image13,
    Image11,
    Image14,
    Command1,
};

struct BarRow {
    BarControl control;
    int iconId;       // 0 for the "?" button
    ui::Twips place;  // inside Frame1
    const wchar_t* description;
};

inline constexpr wchar_t kPhoneDialer[] = L"Phone Dialer";

inline constexpr BarRow kBarTable[] = {
    {BarControl::Image3, IDI_LOCK, {60, 120, 480, 510}, L"Exit Windows"},
    {BarControl::Image1, IDI_DOS_KEY, {600, 135, 480, 510}, L"DOS Prompt"},
    {BarControl::Image7, IDI_FINGER_KEY, {1170, 135, 480, 510}, L"Run and File Load Functions"},
    {BarControl::Image2, IDI_EYE, {1695, 150, 480, 510}, L"Explorer"},
    {BarControl::Image10, IDI_MAGNIFIER, {2235, 150, 480, 510}, L"Find Files"},
    {BarControl::Image9, IDI_CLOCK_COMPUTER, {2775, 135, 480, 510}, L"Control Panel"},
    {BarControl::Image5, IDI_PEN, {3315, 135, 480, 510}, L"WordPad"},
    {BarControl::Image4, IDI_NOTEPAD, {3855, 135, 480, 510}, L"NotePad"},
    {BarControl::PicFace2, IDI_PHONE_1, {4395, 135, 480, 510}, kPhoneDialer},
    {BarControl::PicFace1, IDI_PHONE_2, {4395, 135, 480, 510}, kPhoneDialer},
    {BarControl::Image12, IDI_DOCUMENTS, {4935, 135, 480, 510}, L"TaskBar"},
    {BarControl::Image8, IDI_TOOLS, {5475, 135, 480, 510}, L"Utilities"},
    {BarControl::Image6, IDI_CARDS, {6030, 135, 480, 510}, L"Games"},
    {BarControl::Image13, IDI_DISC, {6585, 135, 480, 510}, L"Multimedia"},
    {BarControl::Image11, IDI_HANDSHAKE, {7125, 135, 480, 510}, L"Windows Help"},
    {BarControl::Image14, IDI_BULB, {7680, 135, 480, 510}, L"Tavolin Help"},
    {BarControl::Command1, 0, {8730, 150, 285, 510}, L"About?"},
};

// The row of a control; the table is in the order of BarControl.
constexpr const BarRow& Row(BarControl control) { return kBarTable[static_cast<int>(control)]; }

static_assert(sizeof(kBarTable) / sizeof(kBarTable[0]) ==
              static_cast<int>(BarControl::Command1) + 1);

}  // namespace tavolin
