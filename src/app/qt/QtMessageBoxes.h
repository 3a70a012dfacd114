#pragma once

#include "platform/MessageBoxes.h"

class QWidget;

namespace korvent::app {

// Message boxes as modal QMessageBox dialogs over the main window.
class QtMessageBoxes final : public platform::MessageBoxes {
public:
    void SetParent(QWidget* parent) { fParent = parent; }
    platform::MessageResult Show(const std::string& text, const std::string& caption,
                                 unsigned flags) override;

private:
    QWidget* fParent = nullptr;
};

}  // namespace korvent::app
