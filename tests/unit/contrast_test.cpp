#include <gtest/gtest.h>

#include "ui/contrast.h"

namespace ui {
namespace {

// The windows' light grey, and the text colours it must give way to.
TEST(Contrast, TellsTheSchemesWhoseTextTheLightGreyWouldHide) {
    const Rgb grey{192, 192, 192};
    const struct {
        Rgb text;
        double ratio;
        bool readable;
    } cases[] = {
        {{0, 0, 0}, 11.5, true},         // the classic scheme's black
        {{255, 255, 255}, 1.82, false},  // a black scheme's white
        {{255, 255, 0}, 1.7, false},     // a scheme's yellow
        {{0, 0, 128}, 8.8, true},        // navy
        {{128, 128, 128}, 2.17, false},  // grey on grey
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.text.red) << "," << int(c.text.green) << "," << int(c.text.blue));
        EXPECT_NEAR(ContrastRatio(c.text, grey), c.ratio, 0.05);
        EXPECT_EQ(ContrastRatio(grey, c.text), ContrastRatio(c.text, grey));
        EXPECT_EQ(ContrastRatio(c.text, grey) >= kReadableContrast, c.readable);
    }
    EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
}

}  // namespace
}  // namespace ui
