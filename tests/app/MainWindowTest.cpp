#include <QAbstractButton>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "TestPaths.h"
#include "app/qt/AboutBox.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtMessageBoxes.h"
#include "platform/ProfileRegistry.h"
#include "platform/sim/MemoryProfileStore.h"
#include "platform/sim/RecordingMessageBoxes.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/VirtualClock.h"
#include "spi/SPIFolders.h"

using namespace korvent;

// Plug-ins only from the folder the program's own plug-ins are built into.
class ShippedPluginFolders final : public spi::TSPIFolders {
public:
    std::optional<std::string> SusieDir() override { return std::nullopt; }
    std::optional<std::string> AppDir() override { return std::string(KORVENT_PLUGIN_DIR) + "/"; }
    std::optional<std::string> CurrentDir() override { return std::nullopt; }
    std::optional<std::string> SystemDir() override { return std::nullopt; }
    std::optional<std::string> WindowsDir() override { return std::nullopt; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::TMainWindow> MakeWindow(std::vector<std::string> arguments = {},
                                                 platform::SimDesktop* desktop = nullptr) {
        auto window = std::make_unique<app::TMainWindow>(
            app::FormServices{
                .profiles = fProfiles,
                .registry = fRegistry,
                .clock = fClock,
                .printSystem = desktop ? &fPrinters : nullptr,
                .shell = desktop ? &desktop->Shell() : nullptr,
                .windows = desktop ? &desktop->Windows() : nullptr,
                .programFile = "/opt/korvent/KorventPDF",
                .dataDir = "/opt/korvent",
                .desktopDir = fDesktop.path().toStdString(),
                .profileExists = [this](const std::string& f) { return fProfiles.Exists(f); },
                .arguments = std::move(arguments),
                .pluginFolders = [] { return std::make_unique<ShippedPluginFolders>(); },
            },
            &fMessages);
        return window;
    }

    // Visible texts narrower than what they need are cut off.
    static QStringList CutTexts(QWidget* page) {
        QStringList cut;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!w->isVisible()) {
                continue;
            }
            QString text;
            int need = 0;
            if (auto* label = qobject_cast<QLabel*>(w)) {
                if (label->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored) {
                    continue;  // path and file labels shorten their text on purpose
                }
                text = label->text();
                need = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth();
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                text = button->text();
                need = button->minimumSizeHint().width();
            } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
                text = group->title();
                need = group->fontMetrics().horizontalAdvance(text) + 16;
            }
            if (!text.isEmpty() && w->height() < w->minimumSizeHint().height()) {
                cut << QStringLiteral("%1 \"%2\": height %3 < %4")
                           .arg(w->objectName(), text)
                           .arg(w->height())
                           .arg(w->minimumSizeHint().height());
            }
            if (!text.isEmpty() && w->width() < need) {
                cut << QStringLiteral("%1 \"%2\": %3 < %4")
                           .arg(w->objectName(), text)
                           .arg(w->width())
                           .arg(need);
            }
        }
        return cut;
    }

    platform::MemoryProfileStore fProfiles;
    platform::ProfileRegistry fRegistry{fProfiles, "/home/u/.config/KorventPDF/registry.ini"};
    platform::RecordingMessageBoxes fMessages;
    platform::VirtualClock fClock;
    platform::SimPrintSystem fPrinters;
    QTemporaryDir fDesktop;

private slots:
    void init() {
        fProfiles.SetText("/opt/korvent/KorventPDF.ini", "");
        fProfiles.SetText("/opt/korvent/KorventPDF.ini",
                          "[OutPut]\nDir=" + fDesktop.path().toStdString() + "\n");
        fMessages.Clear();
    }

    void opensWithEveryPageAndControl() {
        auto window = MakeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->windowTitle(), QStringLiteral("KorventＰＤＦ　　 Ｖｅｒ．１．３１"));
        QCOMPARE(window->minimumSize(), QSize(512, 450));
        QTabWidget* pages = window->Pages();
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QStringLiteral("実行"));
        QCOMPARE(pages->tabText(1), QStringLiteral("画像設定"));
        QCOMPARE(pages->tabText(2), QStringLiteral("詳細設定"));
        for (const app::Control* control : window->Form().Model().Controls()) {
            if (control->Name == "PageControl1") {
                continue;
            }
            QWidget* widget = window->findChild<QWidget*>(QString::fromStdString(control->Name));
            QVERIFY2(widget, control->Name.c_str());
            QVERIFY2(widget->isVisibleTo(widget->parentWidget()) == control->Visible,
                     control->Name.c_str());
        }
        // Hidden controls exist but are not shown.
        for (const char* hidden : {"GroupBox2", "CkbFormVisible", "CkbMergeFileDelete",
                                   "UpdownEdit_MergeDelayTime", "CmbPrinterDrv", "EdtXeroTime",
                                   "Button1", "ChkBoxGraphicPropotion", "BtnUp", "BtnDown"}) {
            QVERIFY2(!window->findChild<QWidget*>(hidden)->isVisibleTo(window.get()), hidden);
        }
        auto* rg = window->findChild<QGroupBox*>("RadioGroup1");
        QCOMPARE(rg->title(), QStringLiteral("同名ファイルの処理"));
        QVERIFY(window->findChild<QRadioButton*>("RadioGroup1_2")->isChecked());
        QCOMPARE(window->findChild<QLabel*>("LblFilePath")->text(), fDesktop.path());
    }

    void runProgressFollowsTheModel() {
        auto window = MakeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* bar = window->findChild<QProgressBar*>("RunProgress");
        QVERIFY(!bar->isVisible());  // idle
        app::Control& progress = window->Form().Model().RunProgress;
        progress.Text = "3 / 10";
        progress.Value = 3;
        progress.Max = 10;
        progress.Visible = true;
        window->Refresh();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->maximum(), 10);
        QCOMPARE(bar->value(), 3);
        QCOMPARE(bar->text(), QStringLiteral("3 / 10"));
    }

    // The first tick waits for the printing program; the ticks after it fill the writer's
    // dialog meanwhile, and the program ends.
    void ticksGoOnWhileThePrintingProgramRuns() {
        platform::SimDesktop desktop(fPrinters, fClock);
        auto& writer =
            desktop.AddPdfPrinter("CutePDF Writer", platform::SimPdfPrinter::Variant::Cute,
                                  {.dialogDelay = std::chrono::milliseconds(0)});
        fPrinters.SetDeviceValue("CutePDF Writer,winspool,Ne00:");
        const std::string document = fDesktop.filePath("report.doc").toStdString();
        std::ofstream(document) << "text";
        auto window = MakeWindow({document}, &desktop);
        QTest::mouseClick(window->findChild<QPushButton*>("BtnPDFAll"), Qt::LeftButton);
        QTRY_COMPARE(writer.Written().size(), size_t(1));
        QTRY_VERIFY(!window->findChild<QProgressBar*>("RunProgress")->isVisibleTo(window.get()));
    }

    void statusLabelsShowTheirColours_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Label5", "Label2", "LblFName"}) {
            QTest::newRow(name) << QString(name);
        }
    }

    void statusLabelsShowTheirColours() {
        QFETCH(QString, name);
        auto window = MakeWindow();
        app::Control& control = *window->Form().Model().Find(name.toStdString());
        control.Text = "x";
        control.Background = app::clSkyBlue;
        control.FontColor = app::clBlue;
        window->Refresh();
        auto* label = window->findChild<QLabel*>(name);
        QCOMPARE(label->grab().toImage().pixelColor(1, 1), QColor(166, 202, 240));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }

    void popupMenuListsTheCommandsInOrder() {
        auto window = MakeWindow();
        QStringList captions;
        for (QAction* action : window->PopupMenu()->actions()) {
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
            QVERIFY(action->isEnabled());
        }
        QCOMPARE(captions, (QStringList{"新規登録", "追加登録", "上へ", "下へ", "削除", "全削除",
                                        "-", "ＰＤＦ単独作成", "ＰＤＦ一括作成", "-", "停止",
                                        "再開", "-", "ファイルを開く"}));
    }

    void droppedFilesAreAppended() {
        auto window = MakeWindow({"/cmd/line.doc"});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QMimeData data;
        // A Linux file name need not be UTF-8; the job list keeps its bytes.
        data.setUrls({QUrl::fromLocalFile("/data/a.doc"), QUrl::fromLocalFile("/data/b.txt"),
                      QUrl("https://example.com/c.doc"), QUrl::fromLocalFile("/data/日本 語#1.doc"),
                      QUrl::fromEncoded("file:///data/r%E9sum%E9.doc")});
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);

        QCOMPARE(window->Form().FFilePaths,
                 (std::vector<std::string>{"/cmd/line.doc", "/data/a.doc", "/data/b.txt",
                                           "/data/日本 語#1.doc", "/data/r\xE9sum\xE9.doc"}));
        auto* list = window->findChild<QListWidget*>("CheckListBox1");
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->item(1)->text(), QStringLiteral("/data/a.doc"));
        QVERIFY(window->Form().Run.FFromCommandLine);
    }

    void longPathsAreShortenedToTheListWidth() {
        const std::string deep =
            "/very/long/folder/names/that/never/fit/into/the/list/box/at/"
            "all/because/they/are/far/too/many/report.doc";
        auto window = MakeWindow({deep});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* list = window->findChild<QListWidget*>("CheckListBox1");
        const QString shown = list->item(0)->text();
        QVERIFY(shown.endsWith(QStringLiteral("/report.doc")));
        QVERIFY(shown.contains(QStringLiteral("...")));
        QVERIFY(list->fontMetrics().horizontalAdvance(shown) <= list->viewport()->width() - 10);
    }

    // Texts fit the room beside the check box, also once the scroll bar has appeared, so the
    // list never cuts a file name short with its own ellipsis.
    void listTextsFitBesideTheCheckBox() {
        std::string deep;
        for (char c = 'a'; c <= 'z'; ++c) {
            deep += std::string("/") + c + c;
        }
        deep += "/report.doc";
        auto window = MakeWindow({deep});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* list = window->findChild<QListWidget*>("CheckListBox1");
        // The room a text has: from where the style puts it beside the check box to the
        // visible edge of the list, less the margins the style keeps around it.
        auto room = [list](QListWidgetItem* item) {
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.rect = list->visualItemRect(item);
            option.features =
                QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
            option.text = item->text();
            const QRect text =
                list->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, list);
            const int margin =
                list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
            return list->viewport()->width() - text.left() - 2 * margin;
        };
        QVERIFY(list->item(0)->text().endsWith(QStringLiteral("/report.doc")));
        QVERIFY(list->fontMetrics().horizontalAdvance(list->item(0)->text()) <=
                room(list->item(0)));

        auto drop = [&window](int count, const std::string& path) {
            QMimeData data;
            data.setUrls(QList<QUrl>(count, QUrl::fromLocalFile(QString::fromStdString(path))));
            const QPoint at = window->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &enter);
            QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &event);
            QCoreApplication::processEvents();
        };
        drop(60, deep);  // fitted while the scroll bar is not shown yet
        QTRY_VERIFY(list->verticalScrollBar()->isVisible());
        drop(1, deep);  // fitted with the scroll bar shown
        for (int i : {0, list->count() - 1}) {
            QVERIFY(list->fontMetrics().horizontalAdvance(list->item(i)->text()) <=
                    room(list->item(i)));
        }
    }

    void moveButtonsUseTheListSelection() {
        auto window = MakeWindow({"/A", "/B", "/C", "/D"});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* list = window->findChild<QListWidget*>("CheckListBox1");
        list->item(1)->setSelected(true);
        list->item(3)->setSelected(true);
        QTest::mouseClick(window->findChild<QPushButton*>("BitBtnUP"), Qt::LeftButton);
        QStringList texts;
        QList<int> selected;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->item(i)->text();
            if (list->item(i)->isSelected()) {
                selected << i;
            }
        }
        QCOMPARE(texts, (QStringList{"/B", "/A", "/D", "/C"}));
        QCOMPARE(selected, QList<int>{2});
        QCOMPARE(window->Form().FFilePaths, (std::vector<std::string>{"/B", "/A", "/D", "/C"}));

        QTest::mouseClick(window->findChild<QPushButton*>("BtnlClearList"), Qt::LeftButton);
        QCOMPARE(list->count(), 3);
        QCOMPARE(window->Form().FFilePaths, (std::vector<std::string>{"/B", "/A", "/C"}));
    }

    void userCannotChangeCheckMarks() {
        auto window = MakeWindow({"/a.doc"});
        window->show();
        auto* list = window->findChild<QListWidget*>("CheckListBox1");
        list->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(window->Form().Model().CheckListBox1.ItemChecked[0], 0);
    }

    void clickingASettingWritesIt() {
        auto window = MakeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->Pages()->setCurrentIndex(2);
        auto* radio = window->findChild<QRadioButton*>("RadioGroup1_0");
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        QCOMPARE(window->Form().Model().RadioGroup1.ItemIndex, 0);
        QVERIFY(fProfiles.Text("/opt/korvent/KorventPDF.ini").find("[OverWrite]\nMode=0") !=
                std::string::npos);
        auto* same = window->findChild<QRadioButton*>("RBtnOutPut2");
        window->Pages()->setCurrentIndex(0);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::mouseClick(same, Qt::LeftButton, {}, QPoint(6, same->height() / 2));
        QVERIFY(!window->findChild<QWidget*>("BtnSelectFolder")->isEnabled());
        QCOMPARE(window->Form().Model().RBtnOutPut1.Checked, false);
    }

    void aboutBoxShowsTheVersion() {
        app::TAboutBox about;
        QCOMPARE(about.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(about.findChild<QLabel*>("ProductName")->text(),
                 QStringLiteral("KorventＰＤＦ　Version　1.31"));
        QCOMPARE(about.findChild<QLabel*>("ProgramIcon")->size(), QSize(49, 49));
        auto* ok = about.findChild<QPushButton*>("OKButton");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QVERIFY(about.minimumSize() == about.maximumSize());  // fixed size
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }

    void refusedSettingsWriteIsShownAndTheWindowGoesOn() {
        auto window = MakeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        fProfiles.SetReadOnly("/opt/korvent/KorventPDF.ini", true);
        fMessages.Clear();
        window->Pages()->setCurrentIndex(2);
        auto* radio = window->findChild<QRadioButton*>("RadioGroup1_1");
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        QCOMPARE(fMessages.Calls().size(), size_t(1));
        QVERIFY(fMessages.Calls()[0].flags & platform::mb::IconError);
        QCOMPARE(window->Form().Model().RadioGroup1.ItemIndex, 1);
        fProfiles.SetReadOnly("/opt/korvent/KorventPDF.ini", false);
    }

    // A folder name that looks like markup is shown as it is, and the answer comes back.
    void messageBoxShowsTheTextAsGiven() {
        const std::string text =
            "ディレクトリ： /srv/<b>out</b> がありません\n新しいディレクトリを作成しますか？";
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            format = box->textFormat();
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });
        app::QtMessageBoxes boxes;
        const auto answer =
            boxes.Show(text, "KorventPDF", platform::mb::YesNo | platform::mb::IconQuestion);
        QVERIFY(answer == platform::MessageResult::No);
        QCOMPARE(shown, QString::fromStdString(text));
        QCOMPARE(format, Qt::PlainText);
    }

    void hiddenDelayFieldTakesDigitsOnly() {
        auto window = MakeWindow();
        auto* edit = window->findChild<QLineEdit*>("EdtXeroTime");
        edit->setVisible(true);
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("2a5-"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("150025"));
    }

    void noTextIsCutOff_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("minimum") << QSize(512, 450);
        QTest::newRow("initial") << QSize(560, 540);
    }

    void noTextIsCutOff() {
        QFETCH(QSize, size);
        auto window = MakeWindow();
        window->resize(size);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QByteArray dir = qgetenv("KORVENT_SCREENSHOT_DIR");
        QStringList cut;
        for (int page = 0; page < window->Pages()->count(); ++page) {
            window->Pages()->setCurrentIndex(page);
            QCoreApplication::processEvents();
            QVERIFY2(window->width() >= size.width() && window->height() >= size.height(),
                     "window smaller than asked");
            if (!dir.isEmpty()) {
                window->grab().save(QStringLiteral("%1/page%2-%3x%4.png")
                                        .arg(QString::fromLocal8Bit(dir))
                                        .arg(page)
                                        .arg(size.width())
                                        .arg(size.height()));
            }
            cut << CutTexts(window->Pages()->widget(page));
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
        // The window's own minimum keeps every page's content.
        QVERIFY(window->minimumSizeHint().width() <= 512);
        QVERIFY(window->minimumSizeHint().height() <= 450);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
