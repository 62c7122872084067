// Counts the title writes that mouse moves over the bar's cells cause.
#include <cstdio>

#include "bar/frm_main.h"
#include "recording_desktop.h"
#include "ui/headless/headless.h"

int main() {
    tavolin::testing::RecordingDesktop desktop;
    tavolin::FrmMain bar(desktop);
    bar.Show();
    const int before = ui::headless::TitleWrites(bar);
    // NotePad's cell, the eighth control after the strip.
    ui::Control& cell = *bar.Controls()[8];
    for (int i = 0; i < 1000; ++i) cell.MouseMove();
    std::printf("title writes per 1000 mouse moves on one cell: %d\n",
                ui::headless::TitleWrites(bar) - before);
    return 0;
}
