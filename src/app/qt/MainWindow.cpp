#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QByteArray>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/AboutBox.h"
#include "app/qt/ProgramIcon.h"
#include "widgets/ChoiLabels.h"
#include "widgets/NumberEdit.h"
#include "widgets/UpdownNumberEdit.h"
#include "widgets/plFileDialog.h"

namespace korvent::app {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The dropped file's name as the file system spells it. QUrl reads the path as UTF-8, which
// would change a name made of other bytes; the encoded path keeps them.
std::string LocalFileName(const QUrl& url) {
    if (!url.host().isEmpty()) {
        return url.toLocalFile().toStdString();
    }
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// Tight margins and spacing inside groups, so that all pages fit the minimum window size.
template <typename Layout>
Layout* Compact(Layout* layout) {
    layout->setContentsMargins(8, 2, 8, 4);
    layout->setSpacing(2);
    return layout;
}

// A page control that can place its pages before it is first shown (Qt's own waits for the
// show), so that the job list knows its width while the window is being created.
class PageControl final : public QTabWidget {
public:
    void PlacePages() {
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        const QRect pages = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
        if (auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            stack->setGeometry(pages);
        }
    }
};

void ActivateLayouts(QWidget* widget) {
    widget->ensurePolished();
    // Widgets that place their children in resizeEvent (the page control) do so only when
    // told their size; a hidden window has not told them yet.
    if (widget->testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(widget->size(), QSize());
        QCoreApplication::sendEvent(widget, &resize);
    }
    if (QLayout* layout = widget->layout()) {
        layout->activate();
    }
    if (auto* pages = dynamic_cast<PageControl*>(widget)) {
        pages->PlacePages();
    }
    for (QObject* child : widget->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) {
            ActivateLayouts(w);
        }
    }
}

// The colour a control asks for, in terms of the widget's palette.
void SetColor(QWidget* widget, QPalette::ColorRole role, const Color& color,
              QPalette::ColorRole systemRole) {
    QPalette palette = widget->palette();
    const QPalette standard = QApplication::palette(widget);
    switch (color.kind) {
        case Color::Kind::Default:
            palette.setColor(role, standard.color(role));
            break;
        case Color::Kind::ButtonFace:
            palette.setColor(role, standard.color(systemRole));
            break;
        case Color::Kind::Rgb:
            palette.setColor(role, QColor(color.r, color.g, color.b));
            break;
    }
    widget->setPalette(palette);
}

// The width an entry's text may take in `list`: the item's text area beside the check box,
// less the margins the style keeps inside it, and less the vertical scroll bar while that is
// not shown yet (it appears as entries are added, and texts are not fitted again then).
int ItemTextWidth(const QListWidget* list) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = QRect(0, 0, list->viewport()->width(), list->fontMetrics().height());
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.font = list->font();
    option.fontMetrics = list->fontMetrics();
    option.text = QStringLiteral("x");
    const QStyle* style = list->style();
    // The text starts after the check box and may run to the item's right edge.
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, list);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    int width = option.rect.right() + 1 - text.left() - 2 * margin;
    if (!list->verticalScrollBar()->isVisible()) {
        width -= style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    }
    return std::max(0, width);
}

}  // namespace

TMainWindow::TMainWindow(FormServices services, platform::MessageBoxes* messages, QWidget* parent)
    : QMainWindow(parent) {
    fQtMessages.SetParent(this);
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

    fPages = new PageControl;
    fPages->setObjectName(Q(m.PageControl1.Name));
    fPages->addTab(MakeRunPage(), QString());
    fPages->addTab(MakeImagePage(), QString());
    fPages->addTab(MakeSettingsPage(), QString());
    fPages->widget(0)->setObjectName("TabSheet1");
    fPages->widget(1)->setObjectName("TabSheet2");
    fPages->widget(2)->setObjectName("TabSheet3");
    setCentralWidget(fPages);
    MakePopupMenu();

    setWindowTitle(Q(m.Caption));
    setMinimumSize(m.MinWidth, m.MinHeight);
    resize(560, 540);

    connect(&fTimer, &QTimer::timeout, this, [this] { Invoke(&TMainForm::Timer1Timer); });

    // The list needs its real width before command-line paths are shortened, so the
    // layouts are worked out now, from the window down, although nothing is shown yet.
    ActivateLayouts(this);
    Invoke(&TMainForm::FormCreate);
}

TMainWindow::~TMainWindow() {
    fTimer.stop();
}

// --- keeping model and widgets in step ---

QWidget* TMainWindow::Bind(Control& control, QWidget* widget, Kind kind, QButtonGroup* buttons) {
    widget->setObjectName(Q(control.Name));
    fBindings.push_back({&control, widget, kind, buttons});
    return widget;
}

void TMainWindow::Invoke(Handler handler) {
    Invoke([this, handler] { ((*fForm).*handler)(); });
}

void TMainWindow::Invoke(const std::function<void()>& action) {
    if (fJobList) {
        // The logic fits texts to the list's width less 10 pixels; here that is exactly the
        // room the list gives a text, so that it never cuts a file name short.
        fForm->Model().CheckListBox1.Width = ItemTextWidth(fJobList) + 10;
    }
    try {
        action();
    } catch (const std::exception& error) {
        // An error no handler caught (a refused settings write, ...) is shown, and the window
        // goes on.
        fMessages->Show(error.what(), "KorventPDF", platform::mb::Ok | platform::mb::IconError);
    }
    Refresh();
}

void TMainWindow::Refresh() {
    fRefreshing = true;
    const FormModel& m = fForm->Model();
    setWindowTitle(Q(m.Caption));
    for (int i = 0; i < fPages->count() && i < static_cast<int>(m.PageControl1.Items.size()); ++i) {
        fPages->setTabText(i, Q(m.PageControl1.Items[i]));
    }
    for (const Binding& binding : fBindings) {
        const QSignalBlocker blocker(binding.widget);
        Apply(binding);
    }
    ApplyJobList();
    fRefreshing = false;
}

void TMainWindow::Apply(const Binding& b) {
    const Control& c = *b.control;
    QWidget* w = b.widget;
    w->setEnabled(c.Enabled);
    w->setVisible(c.Visible);
    switch (b.kind) {
        case Kind::Button:
            static_cast<QPushButton*>(w)->setText(Q(c.Text));
            break;
        case Kind::Label: {
            auto* label = static_cast<QLabel*>(w);
            label->setText(Q(c.Text));
            // The button face is the window's own background: nothing to paint.
            label->setAutoFillBackground(c.Background.kind == Color::Kind::Rgb);
            SetColor(label, QPalette::Window, c.Background, QPalette::Window);
            SetColor(label, QPalette::WindowText, c.FontColor, QPalette::WindowText);
            break;
        }
        case Kind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(w);
            box->setText(Q(c.Text));
            box->setChecked(c.Checked);
            break;
        }
        case Kind::Radio: {
            auto* radio = static_cast<QRadioButton*>(w);
            radio->setText(Q(c.Text));
            radio->setChecked(c.Checked);
            break;
        }
        case Kind::Edit: {
            auto* edit = static_cast<QLineEdit*>(w);
            if (edit->text() != Q(c.Text)) {
                edit->setText(Q(c.Text));
            }
            SetColor(edit, QPalette::Base, c.Background, QPalette::Window);
            SetColor(edit, QPalette::Text, c.FontColor, QPalette::Text);
            break;
        }
        case Kind::Number: {
            auto* edit = static_cast<widgets::TNumberEdit*>(w);
            edit->SetMin(c.Min);
            edit->SetMax(c.Max);
            if (edit->AsInteger() != c.Value) {
                edit->SetAsInteger(c.Value);
            }
            break;
        }
        case Kind::RadioGroup: {
            auto* group = static_cast<QGroupBox*>(w);
            group->setTitle(Q(c.Text));
            const auto buttons = b.buttons->buttons();
            for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
                QAbstractButton* button = b.buttons->button(i);
                if (i < static_cast<int>(c.Items.size())) {
                    button->setText(Q(c.Items[i]));
                }
            }
            // No selection: every button unchecked, which a normal exclusive group refuses.
            b.buttons->setExclusive(false);
            for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
                b.buttons->button(i)->setChecked(i == c.ItemIndex);
            }
            b.buttons->setExclusive(true);
            break;
        }
        case Kind::Combo: {
            auto* combo = static_cast<QComboBox*>(w);
            QStringList items;
            for (const std::string& item : c.Items) {
                items << Q(item);
            }
            QStringList current;
            for (int i = 0; i < combo->count(); ++i) {
                current << combo->itemText(i);
            }
            if (current != items) {
                combo->clear();
                combo->addItems(items);
            }
            combo->setCurrentIndex(c.ItemIndex);
            combo->setPlaceholderText(Q(c.Text));
            break;
        }
        case Kind::Group:
            static_cast<QGroupBox*>(w)->setTitle(Q(c.Text));
            break;
        case Kind::List: {
            auto* list = static_cast<QListWidget*>(w);
            list->clear();
            for (const std::string& item : c.Items) {
                list->addItem(Q(item));
            }
            break;
        }
        case Kind::ScrollBar: {
            auto* bar = static_cast<QScrollBar*>(w);
            bar->setRange(c.Min, c.Max);
            bar->setValue(c.Value);
            break;
        }
    }
}

void TMainWindow::ApplyJobList() {
    const CheckListControl& list = fForm->Model().CheckListBox1;
    const QSignalBlocker blocker(fJobList);
    bool same = fJobList->count() == list.Count();
    for (int i = 0; same && i < list.Count(); ++i) {
        same = fJobList->item(i)->text() == Q(list.Items[i]);
    }
    if (!same) {
        fJobList->clear();
        for (const std::string& text : list.Items) {
            auto* item = new QListWidgetItem(Q(text), fJobList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    fJobList->setSelectionMode(list.MultiSelect ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection);
    for (int i = 0; i < list.Count(); ++i) {
        QListWidgetItem* item = fJobList->item(i);
        item->setCheckState(list.ItemChecked[i] ? Qt::Checked : Qt::Unchecked);
        item->setSelected(list.ItemSelected[i] != 0);
    }
    fJobList->setEnabled(list.Enabled);
}

// --- widgets ---

QWidget* TMainWindow::MakeButton(Control& control, Handler handler) {
    auto* button = new QPushButton;
    connect(button, &QPushButton::clicked, this, [this, handler] { Invoke(handler); });
    return Bind(control, button, Kind::Button);
}

QWidget* TMainWindow::MakeLabel(Control& control) {
    auto* label = new QLabel;
    return Bind(control, label, Kind::Label);
}

QWidget* TMainWindow::MakeCheckBox(Control& control, Handler handler) {
    auto* box = new QCheckBox;
    connect(box, &QCheckBox::toggled, this, [this, &control, handler](bool checked) {
        control.Checked = checked;
        if (handler) {
            Invoke(handler);
        } else {
            Refresh();
        }
    });
    return Bind(control, box, Kind::CheckBox);
}

QWidget* TMainWindow::MakeRadio(Control& control, Control& partner, Handler handler) {
    auto* radio = new QRadioButton;
    // Each pair shares a parent; Qt's auto-exclusive radios uncheck the partner.
    connect(radio, &QRadioButton::toggled, this, [this, &control, &partner, handler](bool on) {
        if (!on) {
            return;
        }
        control.Checked = true;
        partner.Checked = false;
        Invoke(handler);
    });
    return Bind(control, radio, Kind::Radio);
}

QWidget* TMainWindow::MakeEdit(Control& control, Handler handler) {
    auto* edit = new QLineEdit;
    connect(edit, &QLineEdit::textEdited, this, [this, &control, handler](const QString& text) {
        control.Text = text.toStdString();
        if (handler) {
            Invoke(handler);
        }
    });
    return Bind(control, edit, Kind::Edit);
}

QWidget* TMainWindow::MakeNumber(Control& control, Handler handler, int digits, bool spin) {
    widgets::TNumberEdit* edit = nullptr;
    widgets::TUpdownNumberEdit* updown = nullptr;
    if (spin) {
        updown = new widgets::TUpdownNumberEdit;
        edit = updown;
    } else {
        edit = new widgets::TNumberEdit;
    }
    edit->SetLimit(true);
    edit->SetLimitOptions(widgets::TLimitOptions(widgets::loMax) | widgets::loMin);
    edit->SetMax(control.Max);
    edit->SetMin(control.Min);
    edit->SetMaxIntLength(digits);
    edit->SetAsInteger(control.Value);
    edit->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(digits + 1, '0')) +
                          (spin ? 32 : 12));
    edit->setMaximumWidth(edit->minimumWidth() + 24);
    auto changed = [this, &control, handler, edit] {
        if (fRefreshing || edit->AsInteger() == control.Value) {
            return;
        }
        control.Value = edit->AsInteger();
        control.Text = std::to_string(control.Value);
        if (handler) {
            Invoke(handler);
        }
    };
    connect(edit, &widgets::TNumberEdit::OnChange, this, changed);
    if (updown) {
        connect(updown, &widgets::TUpdownNumberEdit::OnUDChanged, this, changed);
    }
    return Bind(control, edit, Kind::Number);
}

QGroupBox* TMainWindow::MakeGroup(Control& control) {
    auto* group = new QGroupBox;
    Bind(control, group, Kind::Group);
    return group;
}

QGroupBox* TMainWindow::MakeRadioGroup(Control& control, Handler handler, QGridLayout** grid,
                                       bool horizontal) {
    auto* group = new QGroupBox;
    auto* buttons = new QButtonGroup(group);
    auto* layout = Compact(new QGridLayout(group));
    for (int i = 0; i < static_cast<int>(control.Items.size()); ++i) {
        auto* radio = new QRadioButton(Q(control.Items[i]));
        radio->setObjectName(Q(control.Name + "_" + std::to_string(i)));
        buttons->addButton(radio, i);
        layout->addWidget(radio, horizontal ? 0 : i, horizontal ? i : 0);
    }
    connect(buttons, &QButtonGroup::idClicked, this, [this, &control, handler](int id) {
        if (control.ItemIndex == id) {
            return;
        }
        control.ItemIndex = id;
        Invoke(handler);
    });
    if (grid) {
        *grid = layout;
    }
    Bind(control, group, Kind::RadioGroup, buttons);
    return group;
}

QWidget* TMainWindow::MakeCombo(Control& control, Handler handler) {
    auto* combo = new QComboBox;
    connect(combo, &QComboBox::activated, this, [this, &control, handler](int index) {
        control.ItemIndex = index;
        if (index >= 0 && index < static_cast<int>(control.Items.size())) {
            control.Text = control.Items[index];
        }
        Invoke(handler);
    });
    return Bind(control, combo, Kind::Combo);
}

QWidget* TMainWindow::MakeJobList() {
    CheckListControl& model = fForm->Model().CheckListBox1;
    fJobList = new QListWidget;
    // Texts are shortened in the window's font, so the list must show them in that font.
    fJobList->setFont(font());
    fJobList->setObjectName(Q(model.Name));
    fJobList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fJobList->setContextMenuPolicy(Qt::CustomContextMenu);
    fJobList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fJobList->setMinimumHeight(48);
    connect(fJobList, &QListWidget::itemSelectionChanged, this, [this] {
        if (fRefreshing) {
            return;
        }
        CheckListControl& list = fForm->Model().CheckListBox1;
        for (int i = 0; i < list.Count() && i < fJobList->count(); ++i) {
            list.ItemSelected[i] = fJobList->item(i)->isSelected();
        }
    });
    connect(fJobList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!fRefreshing) {
            fForm->Model().CheckListBox1.ItemIndex = row;
        }
    });
    connect(fJobList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (fRefreshing) {
            return;
        }
        CheckListControl& list = fForm->Model().CheckListBox1;
        const int row = fJobList->row(item);
        if (row < 0 || row >= list.Count()) {
            return;
        }
        list.ItemIndex = row;
        list.ItemChecked[row] = item->checkState() == Qt::Checked;
        Invoke(&TMainForm::CheckListBox1ClickCheck);
    });
    connect(fJobList, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { fPopup->popup(fJobList->viewport()->mapToGlobal(pos)); });
    return fJobList;
}

void TMainWindow::MakePopupMenu() {
    const std::pair<const char*, Handler> handlers[] = {
        {"N1", &TMainForm::BtnNewFilesClick},
        {"N2", &TMainForm::BtnApendFileClick},
        {"N10", &TMainForm::BtnUpClick},
        {"N11", &TMainForm::BtnDownClick},
        {"Delete1", &TMainForm::BtnlClearListClick},
        {"N3", &TMainForm::BtnAllClearListClick},
        {"N5", &TMainForm::BtnPDFAllClick},
        {"N6", &TMainForm::BtnMergeClick},
        {"N8", &TMainForm::BtnStopAutoCheckClick},
        {"N9", &TMainForm::BtnAutoCheckClick},
        {"N13", &TMainForm::BtnOpenFileClick},
    };
    fPopup = new QMenu(this);
    fPopup->setObjectName("PopupMenu1");
    for (const MenuItem& item : fForm->Model().PopupMenu1) {
        if (item.IsSeparator()) {
            fPopup->addSeparator()->setObjectName(Q(item.Name));
            continue;
        }
        // No automatic accelerators: the captions are shown as they are.
        QAction* action = fPopup->addAction(Q(item.Caption).replace('&', "&&"));
        action->setObjectName(Q(item.Name));
        for (const auto& [name, handler] : handlers) {
            if (item.Name == name) {
                connect(action, &QAction::triggered, this, [this, h = handler] { Invoke(h); });
            }
        }
    }
}

// --- pages ---

QWidget* TMainWindow::MakeRunPage() {
    FormModel& m = fForm->Model();
    auto* page = new QWidget;

    QGroupBox* files = MakeGroup(m.GroupBox1);
    auto* filesLayout = Compact(new QVBoxLayout(files));
    filesLayout->addWidget(MakeJobList(), 1);
    auto* fileButtons = new QGridLayout;
    fileButtons->addWidget(MakeButton(m.BtnNewFiles, &TMainForm::BtnNewFilesClick), 0, 0);
    fileButtons->addWidget(MakeButton(m.BtnApendFile, &TMainForm::BtnApendFileClick), 0, 1);
    auto* up = static_cast<QPushButton*>(MakeButton(m.BitBtnUP, &TMainForm::BtnUpClick));
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    fileButtons->addWidget(up, 0, 2);
    // The text buttons sit at the same place as the glyph buttons and are not shown.
    fileButtons->addWidget(MakeButton(m.BtnUp, &TMainForm::BtnUpClick), 0, 2);
    auto* down = static_cast<QPushButton*>(MakeButton(m.BitBtnDown, &TMainForm::BtnDownClick));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    fileButtons->addWidget(down, 0, 3);
    fileButtons->addWidget(MakeButton(m.BtnDown, &TMainForm::BtnDownClick), 0, 3);
    fileButtons->addWidget(MakeButton(m.BtnlClearList, &TMainForm::BtnlClearListClick), 0, 4);
    fileButtons->addWidget(MakeButton(m.BtnAllClearList, &TMainForm::BtnAllClearListClick), 0, 5);
    filesLayout->addLayout(fileButtons);

    auto* runRow = new QHBoxLayout;
    runRow->addWidget(MakeButton(m.BtnPDFAll, &TMainForm::BtnPDFAllClick));
    runRow->addWidget(MakeButton(m.BtnMerge, &TMainForm::BtnMergeClick));
    runRow->addSpacing(16);
    runRow->addWidget(MakeButton(m.BtnStopAutoCheck, &TMainForm::BtnStopAutoCheckClick));
    runRow->addWidget(MakeButton(m.BtnAutoCheck, &TMainForm::BtnAutoCheckClick));
    runRow->addStretch();
    QGroupBox* actions = MakeGroup(m.GroupBox2);
    auto* actionsLayout = Compact(new QHBoxLayout(actions));
    actionsLayout->addWidget(MakeButton(m.BtnPrint, nullptr));
    actionsLayout->addWidget(MakeButton(m.BtnOpenFile, &TMainForm::BtnOpenFileClick));
    runRow->addWidget(actions);

    QGroupBox* output = MakeGroup(m.GroupBox3);
    auto* outputLayout = Compact(new QGridLayout(output));
    outputLayout->addWidget(MakeRadio(m.RBtnOutPut1, m.RBtnOutPut2, &TMainForm::RBtnOutPut1Click),
                            0, 0);
    outputLayout->addWidget(MakeRadio(m.RBtnOutPut2, m.RBtnOutPut1, &TMainForm::RBtnOutPut1Click),
                            0, 1);
    auto* panel = new QWidget;
    panel->setObjectName("Panel1");
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    // The folder keeps its start and its last folder; the middle gives way to "...".
    auto* path =
        static_cast<QLabel*>(Bind(m.LblFilePath, new widgets::TEllipsisLabel, Kind::Label));
    path->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    path->setFrameShape(QFrame::StyledPanel);
    path->setMinimumWidth(60);
    path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    path->setMinimumHeight(22);
    panelLayout->addWidget(path);
    outputLayout->addWidget(panel, 1, 0, 1, 2);
    outputLayout->addWidget(MakeButton(m.BtnSelectFolder, &TMainForm::BtnSelectFolderClick), 1, 2);
    outputLayout->setColumnStretch(1, 1);

    QGroupBox* merge = MakeGroup(m.GroupBox4);
    auto* mergeLayout = Compact(new QGridLayout(merge));
    mergeLayout->addWidget(MakeRadio(m.RBtnMerge1, m.RBtnMerge2, &TMainForm::RBtnMerge1Click), 0,
                           0);
    mergeLayout->addWidget(MakeEdit(m.EdtMergeFileName, &TMainForm::EdtMergeFileNameChange), 0, 1);
    mergeLayout->addWidget(MakeRadio(m.RBtnMerge2, m.RBtnMerge1, &TMainForm::RBtnMerge1Click), 1,
                           0);
    mergeLayout->addWidget(MakeEdit(m.EdtMergeAddString, &TMainForm::EdtMergeAddStringChange), 1,
                           1);
    mergeLayout->setColumnStretch(1, 1);

    auto* status = new QHBoxLayout;
    auto* kind = static_cast<QLabel*>(MakeLabel(m.Label5));
    kind->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("一括")) + 8);
    status->addWidget(kind);
    status->addWidget(MakeLabel(m.Label2));
    auto* current = static_cast<QLabel*>(MakeLabel(m.LblFName));
    current->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status->addWidget(current, 1);

    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(4);
    layout->addWidget(files, 1);
    layout->addLayout(status);
    layout->addLayout(runRow);
    layout->addWidget(output);
    layout->addWidget(merge);
    return page;
}

QWidget* TMainWindow::MakeImagePage() {
    FormModel& m = fForm->Model();
    auto* page = new QWidget;
    auto mm = [] { return new QLabel(QStringLiteral("mm")); };

    QGroupBox* margins = MakeGroup(m.GroupBox5);
    auto* marginLayout = Compact(new QGridLayout(margins));
    const std::tuple<const char*, Control*, Handler> sides[] = {
        {"上", &m.MarginTop, &TMainForm::MarginTopChange},
        {"下", &m.MarginBottom, &TMainForm::MarginBottomChange},
        {"左", &m.MarginLeft, &TMainForm::MarginLeftChange},
        {"右", &m.MarginRight, &TMainForm::MarginRightChange},
    };
    int row = 0;
    for (const auto& [caption, control, handler] : sides) {
        marginLayout->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
        marginLayout->addWidget(MakeNumber(*control, handler, 3), row, 1);
        marginLayout->addWidget(mm(), row, 2);
        ++row;
    }

    QGridLayout* paperGrid = nullptr;
    QGroupBox* paper =
        MakeRadioGroup(m.RadioGroupGrPaperSize, &TMainForm::RadioGroupGrPaperSizeClick, &paperGrid);
    paperGrid->addWidget(MakeCombo(m.CmbPaperSize, &TMainForm::CmbPaperSizeChange), 0, 1, 1, 4);
    paperGrid->addWidget(MakeNumber(m.EdtPaperWidth, &TMainForm::EdtPaperWidthChange, 4), 1, 1);
    paperGrid->addWidget(new QLabel(QStringLiteral("mm ×")), 1, 2);
    paperGrid->addWidget(MakeNumber(m.EdtPaperHeight, &TMainForm::EdtPaperHeightChange, 4), 1, 3);
    paperGrid->addWidget(mm(), 1, 4);
    paperGrid->setColumnStretch(5, 1);
    // The last choice has no field beside it and gets the whole row for its caption.
    QWidget* followImage = paper->findChild<QRadioButton*>("RadioGroupGrPaperSize_2");
    paperGrid->removeWidget(followImage);
    paperGrid->addWidget(followImage, 2, 0, 1, 6);

    QGroupBox* direction = MakeRadioGroup(m.RGPaperDirection, &TMainForm::RGPaperDirectionClick,
                                          nullptr, /*horizontal=*/true);

    QGridLayout* imageGrid = nullptr;
    QGroupBox* image = MakeRadioGroup(m.RGImageSize, &TMainForm::RGImageSizeClick, &imageGrid);
    imageGrid->addWidget(MakeNumber(m.EdtImageWidth, &TMainForm::EdtImageWidthChange, 4), 1, 1);
    imageGrid->addWidget(mm(), 1, 2);
    imageGrid->addWidget(MakeNumber(m.EdtImageHeight, &TMainForm::EdtImageHeightChange, 4), 2, 1);
    imageGrid->addWidget(mm(), 2, 2);
    imageGrid->setColumnStretch(3, 1);

    auto* compressRow = new QHBoxLayout;
    compressRow->addWidget(MakeLabel(m.Label7));
    auto* bar = new QScrollBar(Qt::Horizontal);
    bar->setPageStep(10);
    connect(bar, &QScrollBar::valueChanged, this, [this, &m](int value) {
        if (fRefreshing) {
            return;
        }
        m.ScrollBar1.Value = value;
        Invoke(&TMainForm::ScrollBar1Change);
    });
    compressRow->addWidget(Bind(m.ScrollBar1, bar, Kind::ScrollBar), 1);
    compressRow->addWidget(
        MakeNumber(m.EdtCompress, &TMainForm::EdtCompressChange, 3, /*spin=*/false));

    QGroupBox* plugins = MakeGroup(m.GroupBox6);
    auto* pluginLayout = Compact(new QVBoxLayout(plugins));
    auto* list = new QListWidget;
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setMinimumHeight(36);
    // Four columns, filled top to bottom, as wide as a quarter of the list each.
    list->setObjectName("ListBox1");
    list->viewport()->installEventFilter(this);
    fPluginList = list;
    pluginLayout->addWidget(Bind(m.ListBox1, list, Kind::List));
    pluginLayout->addWidget(MakeLabel(m.NoSPIPlugInMessage1));
    pluginLayout->addWidget(MakeLabel(m.NoSPIPlugInMessage2));

    auto* left = new QVBoxLayout;
    left->addWidget(margins);
    left->addWidget(direction);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(paper);
    right->addWidget(image);
    right->addWidget(
        MakeCheckBox(m.ChkBoxGraphicPropotion, &TMainForm::ChkBoxGraphicPropotionClick));
    right->addWidget(MakeCheckBox(m.ChkBoxGraphicCenter, &TMainForm::ChkBoxGraphicCenterClick));
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);

    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addLayout(compressRow);
    layout->addWidget(plugins, 1);
    return page;
}

QWidget* TMainWindow::MakeSettingsPage() {
    FormModel& m = fForm->Model();
    auto* page = new QWidget;

    QGroupBox* writer = MakeGroup(m.GroupBox7);
    auto* writerLayout = Compact(new QGridLayout(writer));
    writerLayout->addWidget(MakeLabel(m.Label4), 0, 0);
    writerLayout->addWidget(MakeCombo(m.CmbPDFWriter, &TMainForm::CmbPDFWriterChange), 0, 1);
    writerLayout->addWidget(MakeLabel(m.Label6), 1, 0);
    writerLayout->addWidget(MakeCombo(m.CmbPrinterDrv, &TMainForm::CmbPrinterDrvChange), 1, 1);
    writerLayout->setColumnStretch(1, 1);

    QGridLayout* sameGrid = nullptr;
    QGroupBox* same = MakeRadioGroup(m.RadioGroup1, &TMainForm::RadioGroup1Click, &sameGrid);
    sameGrid->addWidget(MakeEdit(m.EdtAddNewPath, &TMainForm::EdtAddNewPathChange), 2, 1);
    sameGrid->addWidget(MakeEdit(m.EdtAddOldPath, &TMainForm::EdtAddOldPathChange), 3, 1);
    sameGrid->setColumnStretch(1, 1);

    auto* appendRow = new QHBoxLayout;
    appendRow->addWidget(MakeCheckBox(m.CkbAppendStr, &TMainForm::CkbAppendStrClick));
    appendRow->addWidget(MakeEdit(m.EdtApendStr, &TMainForm::EdtApendStrChange), 1);

    QGroupBox* dd = MakeRadioGroup(m.RGDD, &TMainForm::RGDDClick, nullptr, /*horizontal=*/true);

    auto* xeroTime = MakeEdit(m.EdtXeroTime, nullptr);
    xeroTime->installEventFilter(this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(MakeLabel(m.Label1));
    bottom->addWidget(
        MakeNumber(m.UpdownEdit_delayTime, &TMainForm::UpdownEdit_delayTimeChange, 1));
    bottom->addSpacing(16);
    bottom->addWidget(MakeLabel(m.Label3));
    bottom->addWidget(
        MakeNumber(m.UpdownEdit_MergeDelayTime, &TMainForm::UpdownEdit_MergeDelayTimeChange, 3));
    bottom->addWidget(xeroTime);
    bottom->addWidget(MakeButton(m.Button1, &TMainForm::Button1Click));
    bottom->addStretch();
    bottom->addWidget(MakeButton(m.BtnAbout, &TMainForm::BtnAboutClick));

    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(4);
    layout->addWidget(writer);
    layout->addWidget(same);
    layout->addLayout(appendRow);
    layout->addWidget(dd);
    layout->addWidget(MakeCheckBox(m.ChkMergeFile, &TMainForm::ChkMergeFileClick));
    layout->addWidget(MakeCheckBox(m.CkbMessage, &TMainForm::CkbMessageClick));
    layout->addWidget(MakeCheckBox(m.CkbFormVisible, nullptr));
    layout->addWidget(MakeCheckBox(m.CkbMergeFileDelete, &TMainForm::CkbMergeFileDeleteClick));
    layout->addStretch();
    layout->addLayout(bottom);
    return page;
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
    QCoreApplication::processEvents();
}

}  // namespace korvent::app
