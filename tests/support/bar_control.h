// The bar's controls as the tests reach them: by the description of their
// row, the name a screen reader hears.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "recording_desktop.h"
#include "ui/controls.h"

namespace tavolin::testing {

inline ui::Control& BarControl(ui::Form& bar, std::wstring_view description) {
    for (ui::Control* control : bar.Controls())
        if (control->accessibleName == description) return *control;
    ADD_FAILURE() << "no control named " << Narrow(std::wstring(description));
    return *bar.Controls().front();
}

// The telephone's cell, whose two pictures take turns.
inline ui::Picture& Telephone(ui::PictureStrip& strip) {
    for (ui::Picture* picture : strip.Pictures())
        if (picture->accessibleName == L"Phone Dialer") return *picture;
    ADD_FAILURE() << "no telephone";
    return *strip.Pictures().front();
}

}  // namespace tavolin::testing
