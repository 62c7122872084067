#include "ui/contrast.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// The share of light a colour sends, its sRGB channels made linear.
double Luminance(Rgb colour) {
    const auto linear = [](unsigned char channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

}  // namespace

double ContrastRatio(Rgb a, Rgb b) {
    const double first = Luminance(a), second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

}  // namespace ui
