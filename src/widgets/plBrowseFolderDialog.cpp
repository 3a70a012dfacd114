#include "widgets/plBrowseFolderDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace korvent::widgets {
namespace {

namespace fs = std::filesystem;

constexpr int kPathRole = Qt::UserRole;
constexpr int kPopulatedRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole + 2;

fs::path ToPath(const QString& text) {
    return fs::path(text.toStdString());
}
QString ToText(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// A folder path without "." and ".." steps and without a trailing separator.
fs::path NormalFolder(const fs::path& path) {
    fs::path normal = path.lexically_normal();
    if (!normal.has_filename() && normal != normal.root_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

QString ItemPath(const QTreeWidgetItem* item) {
    return item->data(0, kPathRole).toString();
}

}  // namespace

TplBrowseFolderDialog::TplBrowseFolderDialog(const QString& rootPath, TplBrowseOptions options,
                                             const QString& title, QWidget* parent)
    : QDialog(parent),
      FRootPath(ToText(NormalFolder(ToPath(rootPath.isEmpty() ? QStringLiteral("/") : rootPath)))),
      FOptions(options),
      FTitle(new QLabel(title, this)),
      FTree(new QTreeWidget(this)),
      FStatus(new QLabel(this)),
      FOK(new QPushButton(QStringLiteral("OK"), this)),
      FCancel(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setWindowTitle(QStringLiteral("フォルダーの参照"));
    FTitle->setObjectName(QStringLiteral("Title"));
    // Title and status are shown as they are, also when they hold a path with "<" in it.
    FTitle->setTextFormat(Qt::PlainText);
    FTitle->setWordWrap(true);
    FTitle->setVisible(!title.isEmpty());
    FTree->setObjectName(QStringLiteral("FolderTree"));
    FTree->setHeaderHidden(true);
    FTree->setColumnCount(1);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FStatus->setObjectName(QStringLiteral("StatusText"));
    FStatus->setTextFormat(Qt::PlainText);
    FStatus->setVisible(options.testFlag(bifStatusText));
    FOK->setObjectName(QStringLiteral("OKButton"));
    FOK->setDefault(true);
    FCancel->setObjectName(QStringLiteral("CancelButton"));

    auto* buttons = new QHBoxLayout;
    if (options.testFlag(bifNewDialogStyle) && !options.testFlag(bifNonNewFolderButton)) {
        FNewFolder = new QPushButton(QStringLiteral("新しいフォルダーの作成(&M)"), this);
        FNewFolder->setObjectName(QStringLiteral("NewFolderButton"));
        FNewFolder->setAutoDefault(false);
        buttons->addWidget(FNewFolder);
        connect(FNewFolder, &QPushButton::clicked, this, [this] { MakeNewFolder(); });
    }
    buttons->addStretch(1);
    buttons->addWidget(FOK);
    buttons->addWidget(FCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FTitle);
    layout->addWidget(FTree, 1);
    layout->addWidget(FStatus);
    layout->addLayout(buttons);

    connect(FOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FTree, &QTreeWidget::itemExpanded, this, &TplBrowseFolderDialog::Populate);
    connect(FTree, &QTreeWidget::itemChanged, this, &TplBrowseFolderDialog::ItemRenamed);
    connect(FTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        emit SelectionChanged(current ? ItemPath(current) : QString());
    });

    const fs::path root = ToPath(FRootPath);
    const QString rootName = root.has_filename() ? ToText(root.filename()) : FRootPath;
    QTreeWidgetItem* top = MakeItem(nullptr, FRootPath, rootName);
    FTree->addTopLevelItem(top);
    Populate(top);
    top->setExpanded(true);
    FTree->setCurrentItem(top);
    resize(QSize(371, 311).expandedTo(minimumSizeHint()));
}

QTreeWidgetItem* TplBrowseFolderDialog::MakeItem(QTreeWidgetItem* parent, const QString& path,
                                                 const QString& name) {
    std::error_code error;
    const bool folder = fs::is_directory(ToPath(path), error);
    auto* item = new QTreeWidgetItem;
    item->setText(0, name);
    item->setData(0, kPathRole, path);
    item->setData(0, kFolderRole, folder);
    item->setIcon(0, style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
    item->setChildIndicatorPolicy(folder ? QTreeWidgetItem::ShowIndicator
                                         : QTreeWidgetItem::DontShowIndicator);
    if (parent) {
        parent->addChild(item);
    }
    return item;
}

void TplBrowseFolderDialog::Populate(QTreeWidgetItem* item) {
    if (item->data(0, kPopulatedRole).toBool() || !item->data(0, kFolderRole).toBool()) {
        return;
    }
    item->setData(0, kPopulatedRole, true);
    struct Entry {
        QString name;
        QString path;
    };
    std::vector<Entry> entries;
    std::error_code error;
    const bool withFiles = FOptions.testFlag(bifBrowseIncludeFiles);
    for (fs::directory_iterator
             it(ToPath(ItemPath(item)), fs::directory_options::skip_permission_denied, error),
         end;
         !error && it != end; it.increment(error)) {
        const QString name = ToText(it->path().filename());
        if (name.startsWith(u'.')) {
            continue;
        }
        std::error_code kindError;
        if (it->is_directory(kindError) || (withFiles && !kindError)) {
            entries.push_back({name, ToText(it->path())});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    for (const Entry& entry : entries) {
        MakeItem(item, entry.path, entry.name);
    }
    if (item->childCount() == 0) {
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    }
}

QTreeWidgetItem* TplBrowseFolderDialog::ChildNamed(QTreeWidgetItem* item, const QString& name) {
    Populate(item);
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (ToText(ToPath(ItemPath(child)).filename()) == name) {
            return child;
        }
    }
    // Hidden or new folders are listed when they are asked for by name.
    const fs::path path = ToPath(ItemPath(item)) / ToPath(name);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        return nullptr;
    }
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return MakeItem(item, ToText(path), name);
}

bool TplBrowseFolderDialog::SelectPath(const QString& path) {
    QTreeWidgetItem* item = FTree->topLevelItem(0);
    bool found = false;
    if (!path.isEmpty()) {
        const fs::path relative = NormalFolder(ToPath(path)).lexically_relative(ToPath(FRootPath));
        const bool inside = !relative.empty() && *relative.begin() != "..";
        found = inside;
        if (inside && relative != ".") {
            for (const fs::path& part : relative) {
                QTreeWidgetItem* child = ChildNamed(item, ToText(part));
                if (!child) {
                    found = false;
                    break;
                }
                item->setExpanded(true);
                item = child;
            }
        }
    }
    FTree->setCurrentItem(item);
    FTree->scrollToItem(item);
    return found;
}

QString TplBrowseFolderDialog::SelectedPath() const {
    const QTreeWidgetItem* item = FTree->currentItem();
    return item ? ItemPath(item) : QString();
}

QString TplBrowseFolderDialog::SelectedDisplayName() const {
    const QTreeWidgetItem* item = FTree->currentItem();
    return item ? item->text(0) : QString();
}

QString TplBrowseFolderDialog::StatusText() const {
    return FStatus->text();
}

void TplBrowseFolderDialog::SetStatusText(const QString& text) {
    FStatus->setText(text);
}

bool TplBrowseFolderDialog::OKEnabled() const {
    return FOK->isEnabled();
}

void TplBrowseFolderDialog::SetOKEnabled(bool enabled) {
    FOK->setEnabled(enabled);
}

bool TplBrowseFolderDialog::MakeNewFolder() {
    QTreeWidgetItem* parent = FTree->currentItem();
    if (!parent || !parent->data(0, kFolderRole).toBool()) {
        return false;
    }
    const fs::path folder = ToPath(ItemPath(parent));
    const QString base = QStringLiteral("新しいフォルダー");
    QString name = base;
    std::error_code error;
    for (int n = 2; fs::exists(folder / ToPath(name), error); ++n) {
        name = base + QStringLiteral(" (%1)").arg(n);
    }
    if (!fs::create_directory(folder / ToPath(name), error) || error) {
        return false;
    }
    QTreeWidgetItem* item = ChildNamed(parent, name);
    if (!item) {
        return false;
    }
    parent->setExpanded(true);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    FTree->setCurrentItem(item);
    FTree->editItem(item);
    return true;
}

void TplBrowseFolderDialog::ItemRenamed(QTreeWidgetItem* item) {
    if (FRenaming || !(item->flags() & Qt::ItemIsEditable) || !item->parent()) {
        return;
    }
    FRenaming = true;
    const fs::path oldPath = ToPath(ItemPath(item));
    const QString oldName = ToText(oldPath.filename());
    const QString newName = item->text(0).trimmed();
    const fs::path newPath = oldPath.parent_path() / ToPath(newName);
    std::error_code error;
    const bool valid = !newName.isEmpty() && newName != u"." && newName != u".." &&
                       !newName.contains(u'/') && newName != oldName && !fs::exists(newPath, error);
    if (valid) {
        fs::rename(oldPath, newPath, error);
    }
    if (!valid || error) {
        item->setText(0, oldName);  // the folder keeps its name
    } else {
        item->setText(0, newName);
        item->setData(0, kPathRole, ToText(newPath));
        if (FTree->currentItem() == item) {
            emit SelectionChanged(ToText(newPath));
        }
    }
    FRenaming = false;
}

}  // namespace korvent::widgets
