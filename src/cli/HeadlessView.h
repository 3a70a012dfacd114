#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FormView.h"

namespace korvent::cli {

class TimerLoop;

// The form's view without a window: no dialogs open, the folder dialog "chooses" the output
// folder given on the command line, and waiting for events delivers the run timer's ticks.
class HeadlessView final : public app::FormView {
public:
    explicit HeadlessView(TimerLoop& loop) : fLoop(loop) {}

    void SetChosenFolder(std::string folder) { fChosenFolder = std::move(folder); }

    std::optional<std::vector<std::string>> ExecuteOpenDialog(
        const app::OpenDialogModel& dialog) override;
    std::optional<std::string> ExecuteBrowseFolder(const std::string& initialDir) override;
    // Nothing has a width: list texts are never shortened, since nobody sees them.
    int TextWidth(const std::string& text) override;
    void ShowAboutBox() override {}
    void HideWindow() override {}
    void CloseWindow() override {}
    void ProcessMessages() override;

private:
    TimerLoop& fLoop;
    std::optional<std::string> fChosenFolder;
};

}  // namespace korvent::cli
