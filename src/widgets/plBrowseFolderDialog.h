#pragma once

#include <QDialog>
#include <QFlags>
#include <QString>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace korvent::widgets {

// Flags of the folder chooser (values as the classic shell dialog numbers them).
enum TplBrowseOption {
    bifReturnOnlyFSDirs = 0x0001,
    bifDontGoBelowDomain = 0x0002,
    bifReturnFSAncestors = 0x0008,
    bifBrowseForComputer = 0x1000,
    bifBrowseForPrinter = 0x2000,
    bifBrowseIncludeFiles = 0x4000,
    bifStatusText = 0x0004,
    bifNewDialogStyle = 0x0040,
    bifNonNewFolderButton = 0x0200,
};
Q_DECLARE_FLAGS(TplBrowseOptions, TplBrowseOption)

// The window of the folder chooser: a tree of the file system below one root folder, loaded
// folder by folder as it is opened, with an optional title above, a status line, OK and Cancel,
// and (new style) a button that makes a new folder. Hidden folders are listed only on the way
// to a folder that is selected by path.
class TplBrowseFolderDialog : public QDialog {
    Q_OBJECT

public:
    TplBrowseFolderDialog(const QString& rootPath, TplBrowseOptions options, const QString& title,
                          QWidget* parent = nullptr);

    QString RootPath() const { return FRootPath; }

    // Opens the tree down to `path` and selects it. When the path is outside the root or does
    // not exist, the deepest existing folder on the way (at least the root) is selected and the
    // result is false.
    bool SelectPath(const QString& path);
    QString SelectedPath() const;
    QString SelectedDisplayName() const;

    QString StatusText() const;
    void SetStatusText(const QString& text);
    bool OKEnabled() const;
    void SetOKEnabled(bool enabled);

    // Makes a new folder in the selected one, named "新しいフォルダー" (with a number when taken),
    // and selects it for renaming. Nothing when the folder cannot be made.
    bool MakeNewFolder();

    QTreeWidget* Tree() const { return FTree; }
    QPushButton* OKButton() const { return FOK; }
    QPushButton* CancelButton() const { return FCancel; }
    QPushButton* NewFolderButton() const { return FNewFolder; }

signals:
    void SelectionChanged(const QString& path);

private:
    QTreeWidgetItem* MakeItem(QTreeWidgetItem* parent, const QString& path, const QString& name);
    void Populate(QTreeWidgetItem* item);
    QTreeWidgetItem* ChildNamed(QTreeWidgetItem* item, const QString& name);
    void ItemRenamed(QTreeWidgetItem* item);

    QString FRootPath;
    TplBrowseOptions FOptions;
    QLabel* FTitle;
    QTreeWidget* FTree;
    QLabel* FStatus;
    QPushButton* FNewFolder = nullptr;
    QPushButton* FOK;
    QPushButton* FCancel;
    bool FRenaming = false;
};

}  // namespace korvent::widgets

Q_DECLARE_OPERATORS_FOR_FLAGS(korvent::widgets::TplBrowseOptions)
