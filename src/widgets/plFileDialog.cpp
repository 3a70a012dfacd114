#include "widgets/plFileDialog.h"

#include "platform/KnownFolders.h"

#include <QGuiApplication>
#include <QMetaMethod>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <exception>
#include <system_error>

namespace korvent::widgets {
namespace {

namespace fs = std::filesystem;
using platform::SpecialFolder;

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

}  // namespace

std::optional<fs::path> SpecialDirPath(TplBFSpecialDir dir, TBrowseFolderRole role) {
    switch (dir) {
        case TplBFSpecialDir::sfNone:
        case TplBFSpecialDir::sfDesktop:
            return role == TBrowseFolderRole::Root
                       ? platform::SpecialFolderPath(SpecialFolder::Root)
                       : platform::SpecialFolderPath(SpecialFolder::Desktop);
        case TplBFSpecialDir::sfDesktopDirectory:
            return platform::SpecialFolderPath(SpecialFolder::Desktop);
        case TplBFSpecialDir::sfDrives:
            return platform::SpecialFolderPath(SpecialFolder::Root);
        case TplBFSpecialDir::sfPersonal:
            return platform::SpecialFolderPath(SpecialFolder::Documents);
        case TplBFSpecialDir::sfTemplates:
            return platform::SpecialFolderPath(SpecialFolder::Templates);
        case TplBFSpecialDir::sfProgrmas:
        case TplBFSpecialDir::sfStartMenu:
            return platform::SpecialFolderPath(SpecialFolder::Applications);
        case TplBFSpecialDir::sfStartup:
            return platform::SpecialFolderPath(SpecialFolder::Autostart);
        case TplBFSpecialDir::sfFonts:
            return platform::SpecialFolderPath(SpecialFolder::Fonts);
        case TplBFSpecialDir::sfAppData:
            return platform::SpecialFolderPath(SpecialFolder::Config);
        case TplBFSpecialDir::sfBitBucket:
            return platform::SpecialFolderPath(SpecialFolder::Trash);
        case TplBFSpecialDir::sfControls:
        case TplBFSpecialDir::sfPritners:
        case TplBFSpecialDir::sfFavorites:
        case TplBFSpecialDir::sfRecent:
        case TplBFSpecialDir::sfSendTo:
        case TplBFSpecialDir::sfNetWork:
        case TplBFSpecialDir::sfNetHood:
        case TplBFSpecialDir::sfPrintHood:
            break;
    }
    return std::nullopt;
}

fs::path ResolveBrowseFolder(const QString& path, TplBFSpecialDir special, TBrowseFolderRole role) {
    if (special == TplBFSpecialDir::sfNone && !path.isEmpty()) {
        const fs::path given(path.toStdString());
        if (IsFolder(given)) {
            return given;
        }
    }
    if (const auto folder = SpecialDirPath(special, role); folder && IsFolder(*folder)) {
        return *folder;
    }
    if (const auto desktop = SpecialDirPath(TplBFSpecialDir::sfDesktop, role);
        desktop && IsFolder(*desktop)) {
        return *desktop;
    }
    const fs::path home = platform::SpecialFolderPath(SpecialFolder::Home);
    return IsFolder(home) ? home : fs::path("/");
}

TplBrowseFolder::TplBrowseFolder(QObject* parent) : QObject(parent) {}

void TplBrowseFolder::SetFormWidth(int width) {
    if (!FDialogHandle) {
        FFormWidth = std::max(width, FMinFormWidth);
    }
}

void TplBrowseFolder::SetFormHeight(int height) {
    if (!FDialogHandle) {
        FFormHeight = std::max(height, FMinFormHeight);
    }
}

QWidget* TplBrowseFolder::Owner() const {
    auto* widget = qobject_cast<QWidget*>(parent());
    return widget ? widget->window() : nullptr;
}

bool TplBrowseFolder::Execute() {
    FDirectory.clear();
    FDisplayName.clear();
    try {
        const fs::path root =
            ResolveBrowseFolder(FRootDir, FRootSpecialDir, TBrowseFolderRole::Root);
        const fs::path initial =
            ResolveBrowseFolder(FInitDir, FInitSpecialDir, TBrowseFolderRole::Initial);
        bool selectionReported = false;
        TplBrowseFolderDialog dialog(QString::fromStdString(root.string()), FOptions, FTitle,
                                     Owner());
        FDialogHandle = &dialog;
        connect(&dialog, &TplBrowseFolderDialog::SelectionChanged, this,
                [this, &dialog, &selectionReported](const QString& path) {
                    selectionReported = true;
                    SelectionChanged(dialog, path);
                });
        dialog.SelectPath(QString::fromStdString(initial.string()));
        // The owner hears of the first selection also when it is the root, which the tree
        // already had, so that its status text and OK state apply from the start.
        if (!selectionReported) {
            SelectionChanged(dialog, dialog.SelectedPath());
        }
        FMinFormWidth = dialog.width();
        FMinFormHeight = dialog.height();
        emit OnShow();
        if (!FCaption.isEmpty()) {
            dialog.setWindowTitle(FCaption);
        }
        if (!FOptions.testFlag(bifNewDialogStyle)) {
            // The classic dialog opens at its remembered size and place, or centred.
            FFormWidth = std::max(FFormWidth, FMinFormWidth);
            FFormHeight = std::max(FFormHeight, FMinFormHeight);
            QPoint at(FFormLeft, FFormTop);
            if (FFormLeft == 0 && FFormTop == 0) {
                const QScreen* screen =
                    Owner() ? Owner()->screen() : QGuiApplication::primaryScreen();
                const QRect area = screen ? screen->geometry() : QRect(0, 0, 0, 0);
                at = QPoint(area.x() + (area.width() - FFormWidth) / 2,
                            area.y() + (area.height() - FFormHeight) / 2);
            }
            dialog.resize(FFormWidth, FFormHeight);
            dialog.move(at);
        }
        const int result = dialog.exec();
        // Remembered for the next time as they are, without the minimum rule.
        FFormLeft = dialog.x();
        FFormTop = dialog.y();
        FFormWidth = dialog.width();
        FFormHeight = dialog.height();
        FDialogHandle = nullptr;
        if (result != QDialog::Accepted) {
            return false;
        }
        FDirectory = dialog.SelectedPath();
        FDisplayName = dialog.SelectedDisplayName();
        return true;
    } catch (const std::exception&) {
        FDialogHandle = nullptr;
        return false;
    }
}

void TplBrowseFolder::SelectionChanged(TplBrowseFolderDialog& dialog, const QString& path) {
    if (!isSignalConnected(QMetaMethod::fromSignal(&TplBrowseFolder::OnSelectionChanged))) {
        return;
    }
    QString status;
    bool okEnabled = dialog.OKEnabled();
    emit OnSelectionChanged(&dialog, path, status, okEnabled);
    dialog.SetOKEnabled(okEnabled);
    dialog.SetStatusText(status);
}

}  // namespace korvent::widgets
