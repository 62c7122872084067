// How readable one colour is on another, as the web's accessibility
// guidelines (WCAG 2) reckon it.
#pragma once

namespace ui {

struct Rgb {
    unsigned char red, green, blue;
};

// From 1 (the same brightness) to 21 (black on white), either way round.
double ContrastRatio(Rgb a, Rgb b);

// Below this, text is hard to read for many eyes.
inline constexpr double kReadableContrast = 4.5;

}  // namespace ui
