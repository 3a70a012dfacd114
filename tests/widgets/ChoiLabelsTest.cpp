#include "widgets/ChoiLabels.h"

#include <QFontMetrics>
#include <QTest>

#include <utility>

using namespace korvent::widgets;

Q_DECLARE_METATYPE(korvent::widgets::TEllipsisKind)

namespace {

const QString kEllipsis = QStringLiteral("\u2026");
const QString kLongPath =
    QStringLiteral("/home/user/projects/customer reports/2024/scanned invoices/final");

// Counts how often the label paints itself.
class TCountingLabel : public TEllipsisLabel {
public:
    using TEllipsisLabel::TEllipsisLabel;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        TEllipsisLabel::paintEvent(event);
    }
};

}  // namespace

class ChoiLabelsTest : public QObject {
    Q_OBJECT

    QFont fFont{QStringLiteral("DejaVu Sans"), 10};

    int Width(const QString& text) const { return QFontMetrics(fFont).horizontalAdvance(text); }

private slots:
    void shortTextIsShownWhole_data() {
        QTest::addColumn<TEllipsisKind>("kind");
        QTest::newRow("none") << TEllipsisKind::elNone;
        QTest::newRow("word") << TEllipsisKind::elWord;
        QTest::newRow("end") << TEllipsisKind::elEnd;
        QTest::newRow("path") << TEllipsisKind::elPath;
    }
    void shortTextIsShownWhole() {
        QFETCH(TEllipsisKind, kind);
        const QString text = QStringLiteral("/tmp/out");
        QCOMPARE(EllipsisText(text, kind, QFontMetrics(fFont), Width(text)), text);
    }

    void pathKeepsStartAndLastFolder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tail");
        QTest::newRow("slashes") << kLongPath << "/final";
        QTest::newRow("backslashes") << QStringLiteral(
                                            "C:\\Users\\user\\Documents\\very long "
                                            "folder name\\another level\\last")
                                     << "\\last";
    }
    void pathKeepsStartAndLastFolder() {
        QFETCH(QString, path);
        QFETCH(QString, tail);
        const QFontMetrics metrics(fFont);
        const int width = Width(path) / 2;
        const QString shown = EllipsisText(path, TEllipsisKind::elPath, metrics, width);
        QVERIFY2(shown.endsWith(kEllipsis + tail), qPrintable(shown));
        QVERIFY(metrics.horizontalAdvance(shown) <= width);
        const QString start = shown.left(shown.indexOf(kEllipsis));
        QVERIFY(path.startsWith(start));
        // As much of the start as fits: one more character would not.
        QVERIFY(start.size() > 3);
        const QString longer = path.left(start.size() + 1) + kEllipsis + tail;
        QVERIFY(metrics.horizontalAdvance(longer) > width);
    }

    void pathNarrowerThanItsLastFolder() {
        const QFontMetrics metrics(fFont);
        const QString shown =
            EllipsisText(kLongPath, TEllipsisKind::elPath, metrics, Width(QStringLiteral("/fi")));
        QCOMPARE(shown, kEllipsis + QStringLiteral("/final"));
    }

    void endEllipsisCutsTheEnd() {
        const QFontMetrics metrics(fFont);
        const int width = Width(kLongPath) / 2;
        const QString shown = EllipsisText(kLongPath, TEllipsisKind::elEnd, metrics, width);
        QVERIFY(shown.endsWith(kEllipsis));
        QVERIFY(kLongPath.startsWith(shown.chopped(1)));
        QVERIFY(metrics.horizontalAdvance(shown) <= width);
        QCOMPARE(EllipsisText(kLongPath, TEllipsisKind::elNone, metrics, width), kLongPath);
    }

    void wordEllipsisShortensOnlyLongWords() {
        const QFontMetrics metrics(fFont);
        const QString text = QStringLiteral("short words and an extraordinarilylongword here");
        const int width = Width(QStringLiteral("short words and"));
        const QString shown = EllipsisText(text, TEllipsisKind::elWord, metrics, width, true);
        const QStringList words = shown.split(u' ');
        QCOMPARE(words.size(), 6);
        QCOMPARE(words[0], QStringLiteral("short"));
        QCOMPARE(words[5], QStringLiteral("here"));
        QVERIFY(words[4].endsWith(kEllipsis));
        QVERIFY(metrics.horizontalAdvance(words[4]) <= width);
        // On one line the text ends in the ellipsis where it stops fitting.
        const QString line = EllipsisText(text, TEllipsisKind::elWord, metrics, width);
        QVERIFY(line.endsWith(kEllipsis));
        QVERIFY(text.startsWith(line.chopped(1)));
    }

    void wrappedAndMultiLineTextKeepsItsLines_data() {
        QTest::addColumn<TEllipsisKind>("kind");
        QTest::addColumn<bool>("wordWrap");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("widest");  // the label is this wide
        const QString sentence = QStringLiteral("short words and some more words here");
        const QString lines = QStringLiteral("/tmp/first\n/tmp/second");
        const std::pair<TEllipsisKind, QByteArray> kinds[] = {
            {TEllipsisKind::elWord, "word"},
            {TEllipsisKind::elEnd, "end"},
            {TEllipsisKind::elPath, "path"},
        };
        for (const auto& [kind, name] : kinds) {
            QTest::newRow("wrapped " + name) << kind << true << sentence << "short words and";
            QTest::newRow("lines " + name) << kind << false << lines << "/tmp/second";
            QTest::newRow("wrapped lines " + name) << kind << true << lines << "/tmp/second";
        }
    }
    void wrappedAndMultiLineTextKeepsItsLines() {
        QFETCH(TEllipsisKind, kind);
        QFETCH(bool, wordWrap);
        QFETCH(QString, text);
        QFETCH(QString, widest);
        QCOMPARE(EllipsisText(text, kind, QFontMetrics(fFont), Width(widest), wordWrap), text);
    }

    void longWordOrLineOfAWrappedPathKeepsItsLastFolder_data() {
        QTest::addColumn<bool>("wordWrap");
        QTest::addColumn<QString>("text");
        const QString path = QStringLiteral("/home/user/projects/reports/2024/scanned/final");
        QTest::newRow("wrapped word") << true << QStringLiteral("saved to ") + path;
        QTest::newRow("second line") << false << QStringLiteral("saved to\n") + path;
    }
    void longWordOrLineOfAWrappedPathKeepsItsLastFolder() {
        QFETCH(bool, wordWrap);
        QFETCH(QString, text);
        const QFontMetrics metrics(fFont);
        const int width = Width(QStringLiteral("/home/user/projects"));
        const QString shown = EllipsisText(text, TEllipsisKind::elPath, metrics, width, wordWrap);
        QVERIFY2(shown.startsWith(QStringLiteral("saved to")), qPrintable(shown));
        QVERIFY2(shown.endsWith(kEllipsis + QStringLiteral("/final")), qPrintable(shown));
        QVERIFY(shown.contains(QStringLiteral("/home")));
    }

    void labelShortensToItsWidth() {
        TEllipsisLabel label(kLongPath);
        label.setFont(fFont);
        QCOMPARE(label.Ellipsis(), TEllipsisKind::elPath);
        label.resize(Width(kLongPath) / 2, 20);
        QVERIFY(label.ShownText().endsWith(kEllipsis + QStringLiteral("/final")));
        label.resize(Width(kLongPath) + 20, 20);
        QCOMPARE(label.ShownText(), kLongPath);
        // A narrow label does not force its layout wider than an ellipsis.
        QVERIFY(label.minimumSizeHint().width() < Width(QStringLiteral("/home")));
    }

    void markupIsShownAsText() {
        const QString text = QStringLiteral("<br>");  // as markup: nothing to see
        TEllipsisLabel label(text);
        TEllipsisLabel empty;
        QCOMPARE(label.textFormat(), Qt::PlainText);
        QCOMPARE(empty.textFormat(), Qt::PlainText);
        for (TEllipsisLabel* shown : {&label, &empty}) {
            shown->setFont(fFont);
            shown->resize(Width(text) + 20, 20);
        }
        QVERIFY(label.grab().toImage() != empty.grab().toImage());
    }

    void changingTheKindRepaintsAtOnce() {
        TCountingLabel label(kLongPath);
        label.setFont(fFont);
        label.resize(Width(kLongPath) / 2, 20);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QTRY_VERIFY(label.paints > 0);
        const int before = label.paints;
        const QImage pathImage = label.grab().toImage();
        label.SetEllipsis(TEllipsisKind::elEnd);
        QTRY_VERIFY(label.paints > before);
        QVERIFY(label.ShownText().endsWith(kEllipsis));
        QVERIFY(label.grab().toImage() != pathImage);
    }
};

QTEST_MAIN(ChoiLabelsTest)
#include "ChoiLabelsTest.moc"
