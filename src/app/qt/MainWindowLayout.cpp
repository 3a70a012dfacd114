// Building the pages: which widgets each page holds and where they sit.
#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabWidget>
#include <QVBoxLayout>
#include <tuple>

#include "app/qt/WidgetHelpers.h"
#include "widgets/ChoiLabels.h"

namespace korvent::app {
namespace {

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

void ActivateLayoutsBelow(QWidget* widget) {
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
            ActivateLayoutsBelow(w);
        }
    }
}

}  // namespace

void TMainWindow::MakePages() {
    fPages = new PageControl;
    fPages->setObjectName(Q(fForm->Model().PageControl1.Name));
    fPages->addTab(MakeRunPage(), QString());
    fPages->addTab(MakeImagePage(), QString());
    fPages->addTab(MakeSettingsPage(), QString());
    fPages->widget(0)->setObjectName("TabSheet1");
    fPages->widget(1)->setObjectName("TabSheet2");
    fPages->widget(2)->setObjectName("TabSheet3");
    setCentralWidget(fPages);
    MakePopupMenu();
}

void TMainWindow::ActivateLayouts() {
    ActivateLayoutsBelow(this);
}

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
    // Beside the labels, so that the job list keeps its height when a run starts.
    QWidget* progress = MakeProgress(m.RunProgress);
    const int textWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("000 / 000"));
    progress->setFixedWidth(textWidth + 48);
    status->addWidget(progress);

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
}  // namespace korvent::app
