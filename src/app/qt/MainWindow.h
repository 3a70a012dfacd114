#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/FormServices.h"
#include "app/FormView.h"
#include "app/MainForm.h"
#include "app/qt/QtMessageBoxes.h"
#include "app/qt/QtRunTimer.h"

class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QListWidget;
class QMenu;
class QTabWidget;

namespace korvent::widgets {
class TplBrowseFolder;
}

namespace korvent::app {

// The real main window: builds a widget per control of the model (objectName = control
// name), shows the model, turns user events into model changes and handler calls, and
// serves the logic as its view (dialogs, text measurement) and its timer.
class TMainWindow final : public QMainWindow, public FormView {
    Q_OBJECT
public:
    // `messages`: none, the window shows real message boxes.
    explicit TMainWindow(FormServices services, platform::MessageBoxes* messages = nullptr,
                         QWidget* parent = nullptr);
    ~TMainWindow() override;

    TMainForm& Form() { return *fForm; }
    QTabWidget* Pages() const { return fPages; }
    QMenu* PopupMenu() const { return fPopup; }
    // Shows the model's current state in the widgets.
    void Refresh();

    // FormView.
    std::optional<std::vector<std::string>> ExecuteOpenDialog(
        const OpenDialogModel& dialog) override;
    std::optional<std::string> ExecuteBrowseFolder(const std::string& initialDir) override;
    int TextWidth(const std::string& text) override;
    void ShowAboutBox() override;
    void HideWindow() override;
    void CloseWindow() override;
    void ProcessMessages() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Handler = void (TMainForm::*)();
    enum class Kind {
        Button,
        Label,
        CheckBox,
        Radio,
        Edit,
        Number,
        RadioGroup,
        Combo,
        Group,
        List,
        ScrollBar,
        Progress,
    };
    struct Binding {
        Control* control;
        QWidget* widget;
        Kind kind;
        QButtonGroup* buttons = nullptr;  // radio groups
    };

    // Runs a handler of the logic on the current widget state and shows the result.
    void Invoke(Handler handler);
    void Invoke(const std::function<void()>& action);
    void Apply(const Binding& binding);
    void ApplyJobList();
    QWidget* Bind(Control& control, QWidget* widget, Kind kind, QButtonGroup* buttons = nullptr);

    // The page control with its three pages, as the central widget, and the pop-up menu.
    void MakePages();
    // Works out every layout now, also while the window is not shown yet.
    void ActivateLayouts();
    QWidget* MakeRunPage();
    QWidget* MakeImagePage();
    QWidget* MakeSettingsPage();
    QWidget* MakeButton(Control& control, Handler handler);
    QWidget* MakeLabel(Control& control);
    QWidget* MakeProgress(Control& control);
    QWidget* MakeCheckBox(Control& control, Handler handler);
    QWidget* MakeRadio(Control& control, Control& partner, Handler handler);
    QWidget* MakeEdit(Control& control, Handler handler);
    // A numeric field of up to `digits` digits, with up-down buttons when `spin`.
    QWidget* MakeNumber(Control& control, Handler handler, int digits, bool spin = true);
    QGroupBox* MakeGroup(Control& control);
    // A group of radio buttons, one per item, each in column 0 of its row of `grid`.
    QGroupBox* MakeRadioGroup(Control& control, Handler handler, QGridLayout** grid = nullptr,
                              bool horizontal = false);
    QWidget* MakeCombo(Control& control, Handler handler);
    QWidget* MakeJobList();
    void MakePopupMenu();

    // Longest sleep of one ProcessMessages call while no event is pending.
    static constexpr int kWakeUpMilliseconds = 20;

    QtMessageBoxes fQtMessages;
    platform::MessageBoxes* fMessages = nullptr;  // fQtMessages unless the caller gave others
    QTimer fTimer;
    QTimer fWakeUp;
    QtRunTimer fRunTimer{fTimer};
    std::unique_ptr<TMainForm> fForm;
    std::vector<Binding> fBindings;
    QTabWidget* fPages = nullptr;
    QListWidget* fJobList = nullptr;
    QListWidget* fPluginList = nullptr;
    QMenu* fPopup = nullptr;
    widgets::TplBrowseFolder* fBrowseFolder = nullptr;
    bool fRefreshing = false;
    bool fClosed = false;
};

}  // namespace korvent::app
