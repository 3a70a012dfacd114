#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QByteArray>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "app/qt/AboutBox.h"
#include "app/qt/ProgramIcon.h"
#include "app/qt/WidgetHelpers.h"
#include "widgets/plFileDialog.h"

namespace korvent::app {
namespace {

// The dropped file's name as the file system spells it. QUrl reads the path as UTF-8, which
// would change a name made of other bytes; the encoded path keeps them.
std::string LocalFileName(const QUrl& url) {
    if (!url.host().isEmpty()) {
        return url.toLocalFile().toStdString();
    }
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

}  // namespace

TMainWindow::TMainWindow(FormServices services, platform::MessageBoxes* messages, QWidget* parent)
    : QMainWindow(parent) {
    fQtMessages.SetParent(this);
    fQtMessages.SetBeforeShow([this] { Refresh(); });
    fMessages = messages ? messages : &fQtMessages;
    fForm = std::make_unique<TMainForm>(FormEnvironment{
        .services = std::move(services),
        .messages = *fMessages,
        .view = *this,
        .timer = fRunTimer,
    });
    FormModel& m = fForm->Model();

    setObjectName("MainForm");
    setWindowIcon(ProgramIcon());
    // The window's font: a Japanese UI face at 12 pixels; list texts are measured in it.
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    setFont(font);
    setAcceptDrops(true);

    fBrowseFolder = new widgets::TplBrowseFolder(this);
    fBrowseFolder->setObjectName("plBrowseFolder1");
    fBrowseFolder->SetRootSpecialDir(widgets::TplBFSpecialDir::sfDesktop);
    fBrowseFolder->SetInitSpecialDir(widgets::TplBFSpecialDir::sfNone);
    fBrowseFolder->SetOptions(widgets::TplBrowseOptions(widgets::bifReturnOnlyFSDirs) |
                              widgets::bifNewDialogStyle);

    MakePages();

    setWindowTitle(Q(m.Caption));
    setMinimumSize(m.MinWidth, m.MinHeight);
    resize(560, 540);

    // A tick runs from a queued call, not inside the timer's own event: Qt never delivers a
    // timer's event again while that event is handled, and a tick that waits for the printing
    // program needs the next ticks to fill the writer's dialog. A tick queued before the timer
    // was stopped is dropped.
    connect(
        &fTimer, &QTimer::timeout, this,
        [this] {
            if (fTimer.isActive()) {
                Invoke(&TMainForm::Timer1Timer);
            }
        },
        Qt::QueuedConnection);
    fWakeUp.setSingleShot(true);
    fWakeUp.setInterval(kWakeUpMilliseconds);

    // The list needs its real width before command-line paths are shortened, so the
    // layouts are worked out now, from the window down, although nothing is shown yet.
    ActivateLayouts();
    Invoke(&TMainForm::FormCreate);
}

TMainWindow::~TMainWindow() {
    fTimer.stop();
}

// --- events and the view ---

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (fPluginList && watched == fPluginList->viewport() && event->type() == QEvent::Resize) {
        const int width = std::max(1, fPluginList->viewport()->width() / 4);
        fPluginList->setGridSize(QSize(width, fPluginList->fontMetrics().height() + 4));
    }
    // Keys typed into EdtXeroTime pass only when the handler accepts them.
    if (event->type() == QEvent::KeyPress && watched->objectName() == "EdtXeroTime") {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && !fForm->EdtXeroTimeKeyPress(text.toUcs4().value(0))) {
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        Invoke(&TMainForm::FormShow);
    }
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!fClosed) {
        fClosed = true;
        fTimer.stop();
        Invoke(&TMainForm::FormClose);
    }
    event->accept();
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TMainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(LocalFileName(url));
        }
    }
    event->acceptProposedAction();
    if (!paths.empty()) {
        Invoke([this, &paths] { fForm->FormDropFiles(paths); });
    }
}

std::optional<std::vector<std::string>> TMainWindow::ExecuteOpenDialog(
    const OpenDialogModel& dialog) {
    QFileDialog files(this);
    files.setFileMode(dialog.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    files.setDirectory(Q(dialog.InitialDir));
    // The descriptions carry their own pattern text; the pattern Qt filters with follows in a
    // hidden group, so that "*.*" also lists files without a dot.
    files.setOption(QFileDialog::HideNameFilterDetails);
    files.setOption(QFileDialog::ReadOnly, false);
    QStringList filters;
    for (const auto& [description, pattern] : dialog.Filter) {
        filters << Q(description) + " (" + (pattern == "*.*" ? QString("*") : Q(pattern)) + ")";
    }
    files.setNameFilters(filters);
    if (dialog.FilterIndex >= 1 && dialog.FilterIndex <= filters.size()) {
        files.selectNameFilter(filters[dialog.FilterIndex - 1]);
    }
    if (files.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    std::vector<std::string> paths;
    for (const QString& path : files.selectedFiles()) {
        paths.push_back(path.toStdString());
    }
    return paths;
}

std::optional<std::string> TMainWindow::ExecuteBrowseFolder(const std::string& initialDir) {
    fBrowseFolder->SetInitDir(Q(initialDir));
    if (!fBrowseFolder->Execute()) {
        return std::nullopt;
    }
    fBrowseFolder->SetInitDir(fBrowseFolder->Directory());
    return fBrowseFolder->Directory().toStdString();
}

int TMainWindow::TextWidth(const std::string& text) {
    return QFontMetrics(font()).horizontalAdvance(Q(text));
}

void TMainWindow::ShowAboutBox() {
    TAboutBox about(this);
    about.exec();
}

void TMainWindow::HideWindow() {
    hide();
}

void TMainWindow::CloseWindow() {
    close();
}

void TMainWindow::ProcessMessages() {
    // The handler that waits here shows its changes only when it returns; show them now.
    Refresh();
    // Sleep until an event comes, at most until the wake-up timer fires, so that the caller's
    // wait loop neither spins a core nor keeps the window from answering.
    fWakeUp.start();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace korvent::app
