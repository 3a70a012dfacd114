#pragma once

#include <QDialog>

namespace korvent::app {

// The version box: program icon, name and version, and an OK button.
class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace korvent::app
