#include "app/qt/QtMessageBoxes.h"

#include <QMessageBox>

namespace korvent::app {

platform::MessageResult QtMessageBoxes::Show(const std::string& text, const std::string& caption,
                                             unsigned flags) {
    if (fBeforeShow) {
        fBeforeShow();
    }
    namespace mb = platform::mb;
    QMessageBox box(fParent);
    // Texts carry paths and file names: shown exactly as given, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption.empty() ? "KorventPDF" : caption));
    switch (flags & 0x70u) {
        case mb::IconError:
            box.setIcon(QMessageBox::Critical);
            break;
        case mb::IconQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case mb::IconWarning:
            box.setIcon(QMessageBox::Warning);
            break;
        case mb::IconInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    switch (flags & 0x0Fu) {
        case mb::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case mb::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    if (flags & mb::TopMost) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return platform::MessageResult::Yes;
        case QMessageBox::No:
            return platform::MessageResult::No;
        case QMessageBox::Cancel:
            return platform::MessageResult::Cancel;
        default:
            return platform::MessageResult::Ok;
    }
}

}  // namespace korvent::app
