#include "widgets/plFileDialog.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace korvent::widgets;

Q_DECLARE_METATYPE(korvent::widgets::TplBFSpecialDir)
Q_DECLARE_METATYPE(korvent::widgets::TBrowseFolderRole)

namespace {

// Runs `step` inside the open dialog (once the modal loop runs) and then answers it.
void WhenShown(TplBrowseFolder& browse, std::function<void(TplBrowseFolderDialog&)> step,
               bool accept) {
    QObject::connect(&browse, &TplBrowseFolder::OnShow, &browse, [&browse, step, accept] {
        TplBrowseFolderDialog* dialog = browse.DialogHandle();
        QTimer::singleShot(0, dialog, [dialog, step, accept] {
            step(*dialog);
            QTest::mouseClick(accept ? dialog->OKButton() : dialog->CancelButton(), Qt::LeftButton);
        });
    });
}

}  // namespace

class plFileDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir fHome;
    QString fRoot;  // a folder tree: a/b, c, .hidden/deep, Desktop, Documents

    QString Path(const QString& relative) const { return fRoot + u'/' + relative; }

private slots:
    void initTestCase() {
        QVERIFY(fHome.isValid());
        const QString home = fHome.path();
        fRoot = home;
        for (const char* dir : {"a/b", "c", ".hidden/deep", "Desktop", "Documents", "config"}) {
            QVERIFY(QDir().mkpath(Path(QString::fromLatin1(dir))));
        }
        QFile dirs(Path(QStringLiteral("config/user-dirs.dirs")));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
        dirs.close();
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", Path(QStringLiteral("data")).toUtf8());
    }

    void specialFolders_data() {
        QTest::addColumn<TplBFSpecialDir>("dir");
        QTest::addColumn<TBrowseFolderRole>("role");
        QTest::addColumn<QString>("path");  // relative to the home folder; "/" itself; "-" none
        const auto root = TBrowseFolderRole::Root;
        const auto initial = TBrowseFolderRole::Initial;
        QTest::newRow("desktop as root") << TplBFSpecialDir::sfDesktop << root << "/";
        QTest::newRow("desktop selected") << TplBFSpecialDir::sfDesktop << initial << "Desktop";
        QTest::newRow("desktop folder") << TplBFSpecialDir::sfDesktopDirectory << root << "Desktop";
        QTest::newRow("documents") << TplBFSpecialDir::sfPersonal << initial << "Documents";
        QTest::newRow("drives") << TplBFSpecialDir::sfDrives << initial << "/";
        QTest::newRow("application data") << TplBFSpecialDir::sfAppData << initial << "config";
        QTest::newRow("fonts") << TplBFSpecialDir::sfFonts << initial << "data/fonts";
        QTest::newRow("recycle bin")
            << TplBFSpecialDir::sfBitBucket << initial << "data/Trash/files";
        QTest::newRow("startup") << TplBFSpecialDir::sfStartup << initial << "config/autostart";
        QTest::newRow("control panel") << TplBFSpecialDir::sfControls << initial << "-";
        QTest::newRow("network") << TplBFSpecialDir::sfNetWork << root << "-";
    }
    void specialFolders() {
        QFETCH(TplBFSpecialDir, dir);
        QFETCH(TBrowseFolderRole, role);
        QFETCH(QString, path);
        const auto folder = SpecialDirPath(dir, role);
        if (path == u"-") {
            QVERIFY(!folder);
            return;
        }
        QVERIFY(folder);
        QCOMPARE(QString::fromStdString(folder->string()), path == u"/" ? path : Path(path));
    }

    void resolveFallsBackToTheDesktop() {
        const auto resolve = [](const QString& path, TplBFSpecialDir dir) {
            return QString::fromStdString(
                ResolveBrowseFolder(path, dir, TBrowseFolderRole::Initial).string());
        };
        QCOMPARE(resolve(Path(QStringLiteral("a/b")), TplBFSpecialDir::sfNone), Path("a/b"));
        QCOMPARE(resolve(Path(QStringLiteral("missing")), TplBFSpecialDir::sfNone),
                 Path("Desktop"));
        QCOMPARE(resolve(QString(), TplBFSpecialDir::sfNone), Path("Desktop"));
        // A special folder that does not exist here falls back as well.
        QCOMPARE(resolve(QString(), TplBFSpecialDir::sfFonts), Path("Desktop"));
        // The path counts only with sfNone.
        QCOMPARE(resolve(Path(QStringLiteral("c")), TplBFSpecialDir::sfPersonal),
                 Path("Documents"));
    }

    void minimumSizeRule() {
        TplBrowseFolder browse;
        QCOMPARE(browse.MinFormWidth(), 371);
        QCOMPARE(browse.MinFormHeight(), 311);
        browse.SetFormHeight(200);
        QCOMPARE(browse.FormHeight(), 311);
        browse.SetFormHeight(350);
        QCOMPARE(browse.FormHeight(), 350);
        browse.SetFormWidth(10);
        QCOMPARE(browse.FormWidth(), 371);
    }

    void choosesAFolderBelowTheRoot() {
        TplBrowseFolder browse;
        browse.SetRootSpecialDir(TplBFSpecialDir::sfNone);
        browse.SetRootDir(fRoot);
        browse.SetInitDir(Path(QStringLiteral("a/b")) + u'/');
        QString selectedAtStart;
        int shown = 0;
        connect(&browse, &TplBrowseFolder::OnShow, [&shown] { ++shown; });
        WhenShown(
            browse,
            [&](TplBrowseFolderDialog& dialog) {
                selectedAtStart = dialog.SelectedPath();
                QVERIFY(dialog.SelectPath(Path(QStringLiteral("c"))));
            },
            true);
        QVERIFY(browse.Execute());
        QCOMPARE(shown, 1);
        QCOMPARE(selectedAtStart, Path(QStringLiteral("a/b")));
        QCOMPARE(browse.Directory(), Path(QStringLiteral("c")));
        QCOMPARE(browse.DisplayName(), QStringLiteral("c"));
        QVERIFY(!browse.DialogHandle());
    }

    void cancelReturnsNothing() {
        TplBrowseFolder browse;
        browse.SetRootSpecialDir(TplBFSpecialDir::sfNone);
        browse.SetRootDir(fRoot);
        browse.SetInitDir(Path(QStringLiteral("c")));
        WhenShown(
            browse, [](TplBrowseFolderDialog&) {}, false);
        QVERIFY(!browse.Execute());
        QCOMPARE(browse.Directory(), QString());
        QCOMPARE(browse.DisplayName(), QString());
    }

    void wholeFileSystemRootCanBeChosen() {
        TplBrowseFolder browse;  // root: the desktop, i.e. everything
        browse.SetInitDir(QStringLiteral("/"));
        WhenShown(
            browse, [](TplBrowseFolderDialog&) {}, true);
        QVERIFY(browse.Execute());
        QCOMPARE(browse.Directory(), QStringLiteral("/"));
    }

    void initialSelection_data() {
        QTest::addColumn<QString>("init");
        QTest::addColumn<QString>("selected");
        QTest::newRow("hidden folder on the way") << ".hidden/deep"
                                                  << ".hidden/deep";
        QTest::newRow("missing below an existing one") << "a/b/zz"
                                                       << "Desktop";
        QTest::newRow("outside the root") << "/"
                                          << "";
        QTest::newRow("the root itself") << "."
                                         << "";
    }
    void initialSelection() {
        QFETCH(QString, init);
        QFETCH(QString, selected);
        TplBrowseFolder browse;
        browse.SetRootSpecialDir(TplBFSpecialDir::sfNone);
        browse.SetRootDir(fRoot);
        browse.SetInitDir(init.startsWith(u'/') ? init : Path(init));
        WhenShown(
            browse, [](TplBrowseFolderDialog&) {}, true);
        QVERIFY(browse.Execute());
        QCOMPARE(browse.Directory(), selected.isEmpty() ? fRoot : Path(selected));
    }

    void selectionChangedSetsStatusAndOK() {
        TplBrowseFolder browse;
        browse.SetRootSpecialDir(TplBFSpecialDir::sfNone);
        browse.SetRootDir(fRoot);
        browse.SetInitDir(Path(QStringLiteral("c")));
        browse.SetOptions(bifReturnOnlyFSDirs | bifStatusText);
        QStringList seen;
        connect(&browse, &TplBrowseFolder::OnSelectionChanged,
                [&](QWidget* wnd, const QString& dir, QString& status, bool& ok) {
                    QCOMPARE(wnd, static_cast<QWidget*>(browse.DialogHandle()));
                    QVERIFY(status.isEmpty());
                    seen << dir;
                    status = QStringLiteral("→ ") + QDir(dir).dirName();
                    ok = !dir.endsWith(u'b');
                });
        bool okForB = true;
        bool okForC = false;
        QString statusForC;
        WhenShown(
            browse,
            [&](TplBrowseFolderDialog& dialog) {
                dialog.SelectPath(Path(QStringLiteral("a/b")));
                okForB = dialog.OKEnabled();
                dialog.SelectPath(Path(QStringLiteral("c")));
                okForC = dialog.OKEnabled();
                statusForC = dialog.StatusText();
            },
            true);
        QVERIFY(browse.Execute());
        QVERIFY(seen.contains(Path(QStringLiteral("a/b"))));
        QCOMPARE(seen.last(), Path(QStringLiteral("c")));
        QVERIFY(!okForB);
        QVERIFY(okForC);
        QCOMPARE(statusForC, QStringLiteral("→ c"));
    }

    void initialSelectionIsReportedOnce_data() {
        QTest::addColumn<QString>("init");  // relative to the root; "" the root itself
        QTest::newRow("the root") << "";
        QTest::newRow("below the root") << "a/b";
    }
    void initialSelectionIsReportedOnce() {
        QFETCH(QString, init);
        const QString expected = init.isEmpty() ? fRoot : Path(init);
        TplBrowseFolder browse;
        browse.SetRootSpecialDir(TplBFSpecialDir::sfNone);
        browse.SetRootDir(fRoot);
        browse.SetInitDir(expected);
        browse.SetOptions(bifReturnOnlyFSDirs | bifStatusText);
        QStringList seen;
        connect(&browse, &TplBrowseFolder::OnSelectionChanged,
                [&](QWidget*, const QString& dir, QString& status, bool& ok) {
                    seen << dir;
                    status = QStringLiteral("not here");
                    ok = false;
                });
        bool ok = true;
        QString status;
        WhenShown(
            browse,
            [&](TplBrowseFolderDialog& dialog) {
                ok = dialog.OKEnabled();
                status = dialog.StatusText();
                dialog.SetOKEnabled(true);  // so that the dialog can be accepted
            },
            true);
        QVERIFY(browse.Execute());
        QCOMPARE(seen, QStringList{expected});
        QVERIFY(!ok);
        QCOMPARE(status, QStringLiteral("not here"));
    }

    void titleAndStatusAreShownAsText() {
        const QString markup = QStringLiteral("<br>");  // as markup: an empty line
        TplBrowseFolderDialog dialog(fRoot, bifStatusText, markup);
        dialog.SetStatusText(markup);
        for (const char* name : {"Title", "StatusText"}) {
            const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY(label);
            QCOMPARE(label->text(), markup);
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
    }

    void classicDialogPlacement_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("centred") << 0 << 0;
        QTest::newRow("placed") << 40 << 0;
    }
    void classicDialogPlacement() {
        QFETCH(int, left);
        QFETCH(int, top);
        TplBrowseFolder browse;
        browse.SetRootSpecialDir(TplBFSpecialDir::sfNone);
        browse.SetRootDir(fRoot);
        browse.SetFormLeft(left);
        browse.SetFormTop(top);
        browse.SetFormWidth(400);
        QRect geometry;
        int widthWhileOpen = 0;
        WhenShown(
            browse,
            [&](TplBrowseFolderDialog& dialog) {
                geometry = QRect(dialog.pos(), dialog.size());
                browse.SetFormWidth(600);  // ignored while the dialog is open
                widthWhileOpen = browse.FormWidth();
            },
            true);
        QVERIFY(browse.Execute());
        QCOMPARE(geometry.size(), QSize(400, 311));
        if (left == 0 && top == 0) {
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            QCOMPARE(geometry.topLeft(),
                     QPoint((screen.width() - 400) / 2, (screen.height() - 311) / 2));
        } else {
            QCOMPARE(geometry.topLeft(), QPoint(left, top));
        }
        QCOMPARE(widthWhileOpen, 400);
        // Remembered for the next run of the dialog.
        QCOMPARE(QPoint(browse.FormLeft(), browse.FormTop()), geometry.topLeft());
        QCOMPARE(browse.FormWidth(), 400);
        QCOMPARE(browse.FormHeight(), 311);
    }

    void newFolderIsMadeAndRenamed() {
        TplBrowseFolderDialog dialog(fRoot, bifReturnOnlyFSDirs | bifNewDialogStyle, QString());
        QVERIFY(dialog.NewFolderButton());
        QVERIFY(dialog.SelectPath(Path(QStringLiteral("c"))));
        QVERIFY(dialog.MakeNewFolder());
        const QString made = Path(QStringLiteral("c/新しいフォルダー"));
        QVERIFY(QDir(made).exists());
        QCOMPARE(dialog.SelectedPath(), made);
        QVERIFY(dialog.SelectPath(Path(QStringLiteral("c"))));
        QVERIFY(dialog.MakeNewFolder());
        QCOMPARE(dialog.SelectedPath(), Path(QStringLiteral("c/新しいフォルダー (2)")));
        // Renaming the item renames the folder; a taken name is refused.
        QTreeWidgetItem* item = dialog.Tree()->currentItem();
        item->setText(0, QStringLiteral("out"));
        QCOMPARE(dialog.SelectedPath(), Path(QStringLiteral("c/out")));
        QVERIFY(QDir(Path(QStringLiteral("c/out"))).exists());
        item->setText(0, QStringLiteral("新しいフォルダー"));
        QCOMPARE(item->text(0), QStringLiteral("out"));
        QCOMPARE(dialog.SelectedPath(), Path(QStringLiteral("c/out")));

        TplBrowseFolderDialog classic(fRoot, bifReturnOnlyFSDirs, QString());
        QVERIFY(!classic.NewFolderButton());
    }
};

QTEST_MAIN(plFileDialogTest)
#include "plFileDialogTest.moc"
