// A window with each input widget in the settings it has in the main window, and a few more.

#include "widgets/ChoiLabels.h"
#include "widgets/NumberEdit.h"
#include "widgets/UpdownNumberEdit.h"
#include "widgets/plFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

using namespace korvent::widgets;

namespace {

TNumberEdit* RangeEdit(TNumberEdit* edit, long double min, long double max, int digits,
                       long double value) {
    edit->SetLimit(true);
    edit->SetLimitOptions(loMax | loMin);
    edit->SetMax(max);
    edit->SetMin(min);
    edit->SetMaxIntLength(digits);
    edit->SetValue(value);
    return edit;
}

TEllipsisLabel* PathLabel(const QString& text, TEllipsisKind kind, int width) {
    auto* label = new TEllipsisLabel(text);
    label->SetEllipsis(kind);
    label->setFixedWidth(width);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

bool SaveGrab(QWidget* widget, const QString& file) {
    const bool saved = widget->grab().save(file);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save",
                 qPrintable(file));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    QString dialogShot;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--screenshot") {
            screenshot = args[++i];
        } else if (args[i] == u"--dialog-screenshot") {
            dialogShot = args[++i];
        }
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("KorventPDF widgets"));
    auto* layout = new QVBoxLayout(&window);

    auto* numbers = new QGroupBox(QStringLiteral("TNumberEdit"));
    auto* numberForm = new QFormLayout(numbers);
    auto* compress = RangeEdit(new TNumberEdit, 1, 100, 3, 75);
    compress->setObjectName(QStringLiteral("EdtCompress"));
    numberForm->addRow(QStringLiteral("画像圧縮 (1–100)"), compress);
    auto* grouped = new TNumberEdit;
    grouped->SetComma(true);
    grouped->SetFigure(2);
    grouped->SetFixed(true);
    grouped->SetRoundMode(TRoundMode::rmRound);
    grouped->SetValue(-1234567.891L);
    numberForm->addRow(QStringLiteral("Comma, Figure 2, Fixed"), grouped);
    auto* hex = new TNumberEdit;
    hex->SetNumberType(TNumberType::ntHex);
    hex->SetFigure(4);
    hex->SetValue(255);
    numberForm->addRow(QStringLiteral("Hexadecimal, Figure 4"), hex);
    auto* hexMinus = new TNumberEdit;
    hexMinus->SetNumberType(TNumberType::ntHex);
    hexMinus->SetValidMinus(true);
    hexMinus->SetFigure(4);
    hexMinus->SetValue(-255);
    numberForm->addRow(QStringLiteral("Hexadecimal, ValidMinus"), hexMinus);
    layout->addWidget(numbers);

    auto* spins = new QGroupBox(QStringLiteral("TUpdownNumberEdit"));
    auto* spinForm = new QFormLayout(spins);
    auto* margin = new TUpdownNumberEdit;
    margin->setObjectName(QStringLiteral("MarginTop"));
    RangeEdit(margin, 0, 100, 3, 10);
    spinForm->addRow(QStringLiteral("余白 上 (mm)"), margin);
    auto* delay = new TUpdownNumberEdit;
    delay->setObjectName(QStringLiteral("UpdownEdit_delayTime"));
    RangeEdit(delay, 1, 9, 1, 2);
    delay->SetWrap(true);
    delay->SetOrientation(TUDOrientation::udHorizontal);
    spinForm->addRow(QStringLiteral("ファイル名転送遅延カウンタ (wrap)"), delay);
    layout->addWidget(spins);

    const QString longPath = QDir::homePath() + QStringLiteral(
                                                    "/ドキュメント/projects/2024/quarterly reports/"
                                                    "scanned invoices/最終版");
    auto* labels = new QGroupBox(QStringLiteral("TEllipsisLabel (260 px)"));
    auto* labelForm = new QFormLayout(labels);
    auto* filePath = PathLabel(longPath, TEllipsisKind::elPath, 260);
    filePath->setObjectName(QStringLiteral("LblFilePath"));
    labelForm->addRow(QStringLiteral("elPath"), filePath);
    labelForm->addRow(QStringLiteral("elEnd"), PathLabel(longPath, TEllipsisKind::elEnd, 260));
    labelForm->addRow(QStringLiteral("elWord"), PathLabel(longPath, TEllipsisKind::elWord, 260));
    labelForm->addRow(QStringLiteral("elNone"), PathLabel(longPath, TEllipsisKind::elNone, 260));
    labelForm->addRow(QStringLiteral("short"),
                      PathLabel(QStringLiteral("/tmp/out"), TEllipsisKind::elPath, 260));
    layout->addWidget(labels);

    auto* browse = new TplBrowseFolder(&window);
    browse->SetOptions(bifReturnOnlyFSDirs | bifNewDialogStyle);
    browse->SetInitDir(QDir::homePath());
    auto* row = new QHBoxLayout;
    auto* choose = new QPushButton(QStringLiteral("参照"));
    choose->setObjectName(QStringLiteral("BtnSelectFolder"));
    row->addWidget(new QLabel(QStringLiteral("TplBrowseFolder")));
    row->addStretch(1);
    row->addWidget(choose);
    layout->addLayout(row);
    QObject::connect(choose, &QPushButton::clicked, &window, [browse, filePath] {
        if (browse->Execute()) {
            browse->SetInitDir(browse->Directory());
            filePath->setText(browse->Directory());
        }
    });

    window.show();
    if (!screenshot.isEmpty() || !dialogShot.isEmpty()) {
        QTimer::singleShot(300, &window, [&] {
            bool ok = true;
            if (!screenshot.isEmpty()) {
                ok = SaveGrab(&window, screenshot) && ok;
            }
            if (!dialogShot.isEmpty()) {
                auto* shot = new TplBrowseFolder(&window);
                shot->SetTitle(QStringLiteral("出力先フォルダーを選んでください"));
                shot->SetOptions(bifReturnOnlyFSDirs | bifStatusText);
                shot->SetRootDir(QStringLiteral("/"));
                shot->SetRootSpecialDir(TplBFSpecialDir::sfNone);
                shot->SetInitDir(QDir::homePath());
                QObject::connect(
                    shot, &TplBrowseFolder::OnSelectionChanged,
                    [](QWidget*, const QString& dir, QString& status, bool&) { status = dir; });
                QObject::connect(shot, &TplBrowseFolder::OnShow, [&ok, shot, dialogShot] {
                    QTimer::singleShot(300, shot, [&ok, shot, dialogShot] {
                        ok = SaveGrab(shot->DialogHandle(), dialogShot) && ok;
                        shot->DialogHandle()->reject();
                    });
                });
                shot->Execute();
            }
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
