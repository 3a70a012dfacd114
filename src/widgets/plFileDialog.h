#pragma once

#include "widgets/plBrowseFolderDialog.h"

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace korvent::widgets {

// Special folders a root or initial folder may be given as. sfNone means that the path is used,
// with the desktop as fallback.
enum class TplBFSpecialDir {
    sfNone,
    sfDesktop,
    sfProgrmas,
    sfControls,
    sfPritners,
    sfPersonal,
    sfFavorites,
    sfStartup,
    sfRecent,
    sfSendTo,
    sfBitBucket,
    sfStartMenu,
    sfDesktopDirectory,
    sfDrives,
    sfNetWork,
    sfNetHood,
    sfFonts,
    sfTemplates,
    sfAppData,
    sfPrintHood,
};

// Whether a folder is wanted as the top of the tree or as the folder selected at the start.
enum class TBrowseFolderRole { Root, Initial };

// The folder a special folder stands for on this system, or nothing where it has none.
//
// | value              | as root                     | as initial selection        |
// |--------------------|-----------------------------|-----------------------------|
// | sfNone, sfDesktop  | "/" (everything)            | desktop (XDG_DESKTOP_DIR)   |
// | sfDesktopDirectory | desktop                     | desktop                     |
// | sfDrives           | "/"                         | "/"                         |
// | sfPersonal         | documents (XDG_DOCUMENTS_DIR)                             |
// | sfTemplates        | templates (XDG_TEMPLATES_DIR)                             |
// | sfProgrmas         | menu entries, $XDG_DATA_HOME/applications                 |
// | sfStartMenu        | menu entries, $XDG_DATA_HOME/applications                 |
// | sfStartup          | autostart, $XDG_CONFIG_HOME/autostart                     |
// | sfFonts            | user fonts, $XDG_DATA_HOME/fonts                          |
// | sfAppData          | $XDG_CONFIG_HOME                                          |
// | sfBitBucket        | trash, $XDG_DATA_HOME/Trash/files                         |
// | sfControls, sfPritners, sfFavorites, sfRecent, sfSendTo, sfNetWork, sfNetHood,   |
// | sfPrintHood        | nothing: no folder here; the desktop is used              |
//
// The desktop is the top of everything as a root, but the user's desktop folder when it is to
// be selected, as the tree's top item would be there.
std::optional<std::filesystem::path> SpecialDirPath(TplBFSpecialDir dir, TBrowseFolderRole role);

// The folder a path or special folder gives: an existing folder path when `special` is sfNone,
// otherwise the special folder, falling back to the desktop (and to the home folder or "/" when
// even that is missing).
std::filesystem::path ResolveBrowseFolder(const QString& path, TplBFSpecialDir special,
                                          TBrowseFolderRole role);

// A folder chooser: root and initial folder as paths or special folders, title and caption, a
// position and size remembered between runs of the dialog during the program's run, and two
// events for the owner (the dialog has appeared; the selection changed, with the status text
// and OK button state to set).
class TplBrowseFolder : public QObject {
    Q_OBJECT

public:
    // The default classic dialog size, also the smallest size it is given.
    static constexpr int kDefaultWidth = 371;
    static constexpr int kDefaultHeight = 311;

    explicit TplBrowseFolder(QObject* parent = nullptr);

    QString RootDir() const { return FRootDir; }
    void SetRootDir(const QString& dir) { FRootDir = dir; }
    TplBFSpecialDir RootSpecialDir() const { return FRootSpecialDir; }
    void SetRootSpecialDir(TplBFSpecialDir dir) { FRootSpecialDir = dir; }
    QString InitDir() const { return FInitDir; }
    void SetInitDir(const QString& dir) { FInitDir = dir; }
    TplBFSpecialDir InitSpecialDir() const { return FInitSpecialDir; }
    void SetInitSpecialDir(TplBFSpecialDir dir) { FInitSpecialDir = dir; }
    TplBrowseOptions Options() const { return FOptions; }
    void SetOptions(TplBrowseOptions options) { FOptions = options; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption) { FCaption = caption; }

    // Size and position of the classic dialog. The size setters keep at least the minimum size
    // and do nothing while the dialog is open. Left and top both 0 centre it on the screen.
    int FormWidth() const { return FFormWidth; }
    void SetFormWidth(int width);
    int FormHeight() const { return FFormHeight; }
    void SetFormHeight(int height);
    int FormLeft() const { return FFormLeft; }
    void SetFormLeft(int left) { FFormLeft = left; }
    int FormTop() const { return FFormTop; }
    void SetFormTop(int top) { FFormTop = top; }
    int MinFormWidth() const { return FMinFormWidth; }
    int MinFormHeight() const { return FMinFormHeight; }

    // Shows the dialog modally over the owner's window (the parent, when it is a widget). True
    // when the user chose a folder; then `Directory` and `DisplayName` hold it.
    bool Execute();

    QString Directory() const { return FDirectory; }
    QString DisplayName() const { return FDisplayName; }
    // The open dialog; null outside `Execute`.
    TplBrowseFolderDialog* DialogHandle() const { return FDialogHandle; }

signals:
    // Once, when the dialog has been created and its initial folder selected.
    void OnShow();
    // On every selection change. `StatusText` starts empty and `OKBtnEnabled` with the OK
    // button's state; what the slot leaves in them is applied to the dialog. Connect directly.
    void OnSelectionChanged(QWidget* Wnd, const QString& Directory, QString& StatusText,
                            bool& OKBtnEnabled);

private:
    void SelectionChanged(TplBrowseFolderDialog& dialog, const QString& path);
    QWidget* Owner() const;

    QString FRootDir;
    TplBFSpecialDir FRootSpecialDir = TplBFSpecialDir::sfDesktop;
    QString FInitDir;
    TplBFSpecialDir FInitSpecialDir = TplBFSpecialDir::sfNone;
    TplBrowseOptions FOptions = bifReturnOnlyFSDirs;
    QString FTitle;
    QString FCaption;
    int FFormWidth = kDefaultWidth;
    int FFormHeight = kDefaultHeight;
    int FFormLeft = 0;
    int FFormTop = 0;
    int FMinFormWidth = kDefaultWidth;
    int FMinFormHeight = kDefaultHeight;
    QPointer<TplBrowseFolderDialog> FDialogHandle;
    QString FDirectory;
    QString FDisplayName;
};

}  // namespace korvent::widgets
