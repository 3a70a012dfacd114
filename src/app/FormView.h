#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/OpenDialogModel.h"

namespace korvent::app {

// What the main window's logic asks of the real window beyond its controls: dialogs, text
// measurement, hiding and closing. The Qt window implements it; tests record the calls.
class FormView {
public:
    virtual ~FormView() = default;

    // The file-open dialog; the chosen paths in the dialog's order, or nothing when cancelled.
    virtual std::optional<std::vector<std::string>> ExecuteOpenDialog(
        const OpenDialogModel& dialog) = 0;
    // The folder dialog opened on `initialDir`; the chosen folder, or nothing when cancelled.
    virtual std::optional<std::string> ExecuteBrowseFolder(const std::string& initialDir) = 0;
    // Width in pixels of `text` in the window's font.
    virtual int TextWidth(const std::string& text) = 0;
    virtual void ShowAboutBox() = 0;
    virtual void HideWindow() = 0;
    virtual void CloseWindow() = 0;
    // Handles pending window events (timer ticks included) and returns.
    virtual void ProcessMessages() = 0;
};

}  // namespace korvent::app
