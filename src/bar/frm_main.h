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

class FrmMain : public ui::Form {
public:
    explicit FrmMain(Desktop& desktop);
    ~FrmMain() override;

    ui::Timer Timer2;
    ui::Frame Frame1;
    ui::Button Command1;
#define TAVOLIN_PICTURE_MEMBER(name) \
    ui::Picture name{Frame1, Row(BarControl::name).place, Row(BarControl::name).iconId};
    TAVOLIN_BAR_PICTURES(TAVOLIN_PICTURE_MEMBER)
#undef TAVOLIN_PICTURE_MEMBER

    // The start of every description shown in the title.
    std::wstring CaptionPrefix;
    void ShowDescription(const std::wstring& text);

    void FrmMain_Load();
    void Timer2_Timer();
#define TAVOLIN_HANDLER_DECLARATIONS(name) \
    void name##_MouseMove();               \
    void name##_Click();
    TAVOLIN_BAR_CONTROLS(TAVOLIN_HANDLER_DECLARATIONS)
#undef TAVOLIN_HANDLER_DECLARATIONS

    const LaunchContext& Context() const { return context_; }

private:
    void Perform(BarControl control);
    void OpenDosPrompt();

    Desktop& desktop_;
    LaunchContext context_;
    // Modeless and at most one; kept after its close until the next opening.
    std::unique_ptr<FrmHelp> help_;
};

}  // namespace tavolin
