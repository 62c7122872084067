// The bar: a strip of icons whose title shows what the pointer rests on.
#pragma once

#include <memory>
#include <string>

#include "bar/icon_table.h"
#include "desktop/desktop.h"
#include "launch/launcher.h"
#include "ui/controls.h"

namespace tavolin {

class FrmHelp;

// One picture cell of the bar, from its row of the table.
class BarPicture : public ui::Picture {
public:
    BarPicture(ui::Container& frame, BarControl control)
        : ui::Picture(frame, Row(control).place, Row(control).iconId) {}
};

class FrmMain : public ui::Form {
public:
    explicit FrmMain(Desktop& desktop);
    ~FrmMain() override;

    ui::Timer Timer2;
    ui::Frame Frame1;
    ui::Button Command1;
    BarPicture Image3{Frame1, BarControl::Image3};
    BarPicture Image1{Frame1, BarControl::Image1};
    BarPicture Image7{Frame1, BarControl::Image7};
    BarPicture Image2{Frame1, BarControl::Image2};
    BarPicture Image10{Frame1, BarControl::Image10};
    BarPicture Image9{Frame1, BarControl::Image9};
    BarPicture Image5{Frame1, BarControl::Image5};
    BarPicture Image4{Frame1, BarControl::Image4};
    BarPicture PicFace2{Frame1, BarControl::PicFace2};
    BarPicture PicFace1{Frame1, BarControl::PicFace1};
    BarPicture Image12{Frame1, BarControl::Image12};
    BarPicture Image8{Frame1, BarControl::Image8};
    BarPicture Image6{Frame1, BarControl::Image6};
    BarPicture Image13{Frame1, BarControl::Image13};
    BarPicture Image11{Frame1, BarControl::Image11};
    BarPicture Image14{Frame1, BarControl::Image14};

    // The start of every description shown in the title.
    std::wstring CaptionPrefix;
    void ShowDescription(const std::wstring& text);

    void FrmMain_Load();
    void Timer2_Timer();

    void Image3_MouseMove();
    void Image3_Click();
    void Image1_MouseMove();
    void Image1_Click();
    void Image7_MouseMove();
    void Image7_Click();
    void Image2_MouseMove();
    void Image2_Click();
    void Image10_MouseMove();
    void Image10_Click();
    void Image9_MouseMove();
    void Image9_Click();
    void Image5_MouseMove();
    void Image5_Click();
    void Image4_MouseMove();
    void Image4_Click();
    void PicFace2_MouseMove();
    void PicFace2_Click();
    void PicFace1_MouseMove();
    void PicFace1_Click();
    void Image12_MouseMove();
    void Image12_Click();
    void Image8_MouseMove();
    void Image8_Click();
    void Image6_MouseMove();
    void Image6_Click();
    void Image13_MouseMove();
    void Image13_Click();
    void Image11_MouseMove();
    void Image11_Click();
    void Image14_MouseMove();
    void Image14_Click();
    void Command1_MouseMove();
    void Command1_Click();

    const LaunchContext& Context() const { return context_; }

private:
    // Shows the description of the control's row.
    void Describe(BarControl control);
    void Launch(const std::wstring& program);

    Desktop& desktop_;
    LaunchContext context_;
    // Modeless and at most one; kept after its close until the next opening.
    std::unique_ptr<FrmHelp> help_;
};

}  // namespace tavolin
