#pragma once

#include <functional>

#include "platform/MessageBoxes.h"

class QWidget;

namespace korvent::app {

// Message boxes as modal QMessageBox dialogs over the main window.
class QtMessageBoxes final : public platform::MessageBoxes {
public:
    void SetParent(QWidget* parent) { fParent = parent; }
    // Runs before each box is shown, so the window behind it shows what its handler has set
    // so far (a box's own event loop would otherwise show the state before the handler).
    void SetBeforeShow(std::function<void()> beforeShow) { fBeforeShow = std::move(beforeShow); }
    platform::MessageResult Show(const std::string& text, const std::string& caption,
                                 unsigned flags) override;

private:
    QWidget* fParent = nullptr;
    std::function<void()> fBeforeShow;
};

}  // namespace korvent::app
