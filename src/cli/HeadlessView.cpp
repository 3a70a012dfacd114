#include "cli/HeadlessView.h"

#include "cli/TimerLoop.h"

namespace korvent::cli {

std::optional<std::vector<std::string>> HeadlessView::ExecuteOpenDialog(
    const app::OpenDialogModel&) {
    return std::nullopt;
}

std::optional<std::string> HeadlessView::ExecuteBrowseFolder(const std::string&) {
    return fChosenFolder;
}

int HeadlessView::TextWidth(const std::string&) {
    return 0;
}

void HeadlessView::ProcessMessages() {
    fLoop.ProcessDueTick();
}

}  // namespace korvent::cli
