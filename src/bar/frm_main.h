// The bar: a strip of icons whose title shows what the pointer rests on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bar/bar_table.h"
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
    ui::PictureStrip Frame1;

    // The start of every description shown in the title.
    std::wstring CaptionPrefix;
    void ShowDescription(const std::wstring& text);

    void FrmMain_Load();
    void Timer2_Timer();
    // The handlers of every control of the bar, each given its row.
    void Control_MouseMove(const BarRow& row);
    void Control_Click(const BarRow& row);
    // Whether files and folders dragged over the control would be taken.
    bool Control_DragOver(const BarRow& row, const std::vector<std::wstring>& paths);
    void Control_Drop(const BarRow& row, const std::vector<std::wstring>& paths);

    const LaunchContext& Context() const { return context_; }

private:
    void Do(const StartProgram& start);
    void Do(const WalkStartMenu& walk);
    void Do(BarCommand command);
    void OpenDosPrompt(const std::wstring& directory = L"");
    Outcome StartPrompt(const std::wstring& directory, const std::wstring& commandLine);
    // Whether the user wants so many files opened at one go.
    bool ConfirmOpening(const BarRow& row, size_t files);
    // Whether a path dragged is a folder, asked once a drag of cells that
    // open files, however often the pointer passes over them.
    bool HoldsAFolder(const std::vector<std::wstring>& paths);
    void ShowRunDialog(const std::wstring& line = L"");
    void ShowHelp();
    // The program text the launcher is given.
    std::wstring ProgramText(const StartProgram& start) const;
    // The folder a dropped path stands for: itself, or a file's folder.
    std::wstring FolderOf(const std::wstring& path);

    Desktop& desktop_;
    LaunchContext context_;
    // One for each row of the table, in its order.
    std::vector<std::unique_ptr<ui::Control>> controls_;
    struct Dragged {
        std::vector<std::wstring> paths;
        bool holdsAFolder = false;
    } dragged_;
    // Modeless and at most one; kept after its close until the next opening.
    std::unique_ptr<FrmHelp> help_;
};

}  // namespace tavolin
