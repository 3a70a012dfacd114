#include "widgets/NumberEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using namespace korvent::widgets;

Q_DECLARE_METATYPE(korvent::widgets::TRoundMode)

namespace {

// A window with the field and a second edit to move the focus to.
struct TForm {
    QWidget window;
    TNumberEdit* edit = new TNumberEdit;
    QLineEdit* other = new QLineEdit;

    TForm() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
    }
    bool Enter() {
        if (!QTest::qWaitForWindowActive(&window)) {
            return false;
        }
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
        return edit->hasFocus();
    }
    // Leaves the field with the tab key, as a user does.
    void Leave() { QTest::keyClick(edit, Qt::Key_Tab); }
    // Empties the field and types `keys`.
    void Type(const QString& keys) {
        edit->clear();
        QTest::keyClicks(edit, keys);
    }
};

double Value(const TNumberEdit* edit) {
    return static_cast<double>(edit->Value());
}

}  // namespace

class NumberEditTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan)); }

    void startsWithZero() {
        TNumberEdit edit;
        QCOMPARE(edit.text(), QStringLiteral("0"));
        QCOMPARE(Value(&edit), 0.0);
        QVERIFY(edit.alignment() & Qt::AlignRight);
    }

    void groupsWhileTypingAndKeepsTheCaret() {
        TForm form;
        form.edit->SetComma(true);
        form.Type(QStringLiteral("1234567"));
        QCOMPARE(form.edit->text(), QStringLiteral("1,234,567"));
        QCOMPARE(form.edit->cursorPosition(), 9);
        QCOMPARE(Value(form.edit), 1234567.0);
        QTest::keyClick(form.edit, '-');
        QCOMPARE(form.edit->text(), QStringLiteral("-1,234,567"));
        QCOMPARE(Value(form.edit), -1234567.0);
        // A digit typed in the middle keeps the caret after it.
        form.edit->setCursorPosition(2);  // -1|,234,567
        QTest::keyClick(form.edit, '9');
        QCOMPARE(form.edit->text(), QStringLiteral("-19,234,567"));
        QCOMPARE(form.edit->cursorPosition(), 3);
        // Backspace over a digit regroups and keeps the caret where it was.
        form.edit->end(false);
        QTest::keyClick(form.edit, Qt::Key_Backspace);
        QCOMPARE(form.edit->text(), QStringLiteral("-1,923,456"));
        QCOMPARE(form.edit->cursorPosition(), 10);
    }

    void groupsWithTheLocaleSeparators() {
        TNumberEdit edit;
        edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
        edit.SetComma(true);
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("1234,5"));
        QCOMPARE(edit.text(), QStringLiteral("1.234,5"));
        QCOMPARE(Value(&edit), 1234.5);
        // The other locale's separator is not a valid key here.
        QTest::keyClick(&edit, '.');
        QCOMPARE(edit.text(), QStringLiteral("1.234,5"));
    }

    void leavingFormats_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("figure");
        QTest::addColumn<TRoundMode>("mode");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::newRow("round") << "1.005" << 2 << TRoundMode::rmRound << false << "1.01" << 1.01;
        QTest::newRow("down") << "1.005" << 2 << TRoundMode::rmDown << false << "1.00" << 1.0;
        QTest::newRow("up") << "1.001" << 2 << TRoundMode::rmUp << false << "1.01" << 1.01;
        QTest::newRow("whole") << "7" << 2 << TRoundMode::rmRound << false << "7" << 7.0;
        QTest::newRow("whole fixed") << "7" << 2 << TRoundMode::rmRound << true << "7.00" << 7.0;
        QTest::newRow("negative carry")
            << "-1.96" << 1 << TRoundMode::rmRound << false << "-2.0" << -2.0;
        QTest::newRow("carry adds digit")
            << "9.96" << 1 << TRoundMode::rmRound << false << "10.0" << 10.0;
        QTest::newRow("fixed 0 round") << "3.7" << 0 << TRoundMode::rmRound << true << "4" << 4.0;
        QTest::newRow("fixed 0 down") << "3.7" << 0 << TRoundMode::rmDown << true << "3" << 3.0;
        QTest::newRow("lone separator") << "." << 2 << TRoundMode::rmDown << false << "0" << 0.0;
        QTest::newRow("plus kept") << "+5" << -1 << TRoundMode::rmDown << false << "+5" << 5.0;
    }
    void leavingFormats() {
        QFETCH(QString, typed);
        QFETCH(int, figure);
        QFETCH(TRoundMode, mode);
        QFETCH(bool, fixed);
        QFETCH(QString, shown);
        QFETCH(double, value);
        TForm form;
        form.edit->SetFigure(figure);
        form.edit->SetRoundMode(mode);
        form.edit->SetFixed(fixed);
        QVERIFY(form.Enter());
        form.Type(typed);
        QCOMPARE(form.edit->text(), typed);
        QSignalSpy changes(form.edit, &TNumberEdit::OnChange);
        QSignalSpy exits(form.edit, &TNumberEdit::OnExit);
        form.Leave();
        QVERIFY(form.other->hasFocus());
        QCOMPARE(form.edit->text(), shown);
        QCOMPARE(Value(form.edit), value);
        QCOMPARE(changes.count(), 0);  // formatting on leaving raises no change event
        QCOMPARE(exits.count(), 1);
        QVERIFY(form.edit->isModified());
    }

    void clampsAtOnceAndShowsTheBoundOnLeaving() {
        TForm form;
        form.edit->SetLimit(true);
        form.edit->SetMax(100);
        form.edit->SetMin(1);
        QVERIFY(form.Enter());
        form.Type(QStringLiteral("250"));
        QCOMPARE(Value(form.edit), 100.0);
        QCOMPARE(form.edit->text(), QStringLiteral("250"));
        form.Leave();
        QCOMPARE(form.edit->text(), QStringLiteral("100"));
        QCOMPARE(form.edit->AsInteger(), 100);
    }

    void zeroVisible() {
        TNumberEdit edit;
        edit.SetValue(3);
        edit.SetZeroVisible(false);
        QCOMPARE(edit.text(), QStringLiteral("3"));
        edit.SetValue(0);
        QCOMPARE(edit.text(), QString());
        QTest::keyClick(&edit, '5');
        QCOMPARE(Value(&edit), 5.0);
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QString());
        QCOMPARE(Value(&edit), 0.0);
        QCOMPARE(changes.count(), 0);
        edit.SetZeroVisible(true);
        QCOMPARE(edit.text(), QStringLiteral("0"));
    }

    void maxIntLength() {
        TNumberEdit edit;
        edit.SetMaxIntLength(3);
        edit.SetValue(100);
        edit.end(false);
        QTest::keyClick(&edit, '4');
        QCOMPARE(edit.text(), QStringLiteral("100"));
        edit.home(false);
        QTest::keyClick(&edit, '4');
        QCOMPARE(edit.text(), QStringLiteral("100"));
        edit.end(false);
        QTest::keyClick(&edit, '.');
        QTest::keyClick(&edit, '4');
        QCOMPARE(edit.text(), QStringLiteral("100.4"));
        edit.selectAll();
        QTest::keyClick(&edit, '7');
        QCOMPARE(edit.text(), QStringLiteral("7"));
        QCOMPARE(Value(&edit), 7.0);
    }

    void secondSeparatorIsSwallowed() {
        TNumberEdit edit;
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("1.5.2a"));
        QCOMPARE(edit.text(), QStringLiteral("1.52"));
    }

    void separatorReplacesASelectedOne_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("text");
        QTest::newRow("all selected") << 0 << 4 << "0.5";
        QTest::newRow("separator selected") << 1 << 1 << "1.525";
        QTest::newRow("separator kept") << 0 << 1 << "5.25";  // only "1" selected
    }
    void separatorReplacesASelectedOne() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, text);
        TForm form;
        form.edit->SetValue(1.25L);
        QVERIFY(form.Enter());
        form.edit->setSelection(start, length);
        QTest::keyClicks(form.edit, QStringLiteral(".5"));
        form.Leave();
        QCOMPARE(form.edit->text(), text);
    }

    void hexadecimalShows_data() {
        QTest::addColumn<bool>("validMinus");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("padded") << false << 255.0 << "00FF";
        QTest::newRow("valid minus") << true << -255.0 << "-00FF";
        QTest::newRow("two's complement") << false << -1.0 << "FFFFFFFF";
    }
    void hexadecimalShows() {
        QFETCH(bool, validMinus);
        QFETCH(double, value);
        QFETCH(QString, shown);
        TNumberEdit edit;
        edit.SetNumberType(TNumberType::ntHex);
        edit.SetValidMinus(validMinus);
        edit.SetFigure(4);
        edit.SetValue(value);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(Value(&edit), value);
    }

    void hexadecimalTyping() {
        TNumberEdit edit;
        edit.SetNumberType(TNumberType::ntHex);
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("fg.F"));
        QCOMPARE(edit.text(), QStringLiteral("fF"));
        QCOMPARE(Value(&edit), 255.0);
        QTest::keyClick(&edit, '-');
        QCOMPARE(edit.text(), QStringLiteral("fF"));
        edit.SetValidMinus(true);
        QCOMPARE(edit.text(), QStringLiteral("FF"));
        QTest::keyClick(&edit, '-');
        QCOMPARE(edit.text(), QStringLiteral("-FF"));
        QCOMPARE(Value(&edit), -255.0);
        QTest::keyClick(&edit, '+');
        QCOMPARE(edit.text(), QStringLiteral("FF"));
        QCOMPARE(Value(&edit), 255.0);
    }

    void numberTypeSwitchKeepsTheSign() {
        TNumberEdit edit;
        edit.SetValue(-255);
        edit.SetValidMinus(true);
        edit.SetNumberType(TNumberType::ntHex);
        QCOMPARE(edit.text(), QStringLiteral("-FF"));
        QCOMPARE(Value(&edit), -255.0);
        edit.SetNumberType(TNumberType::ntDecimal);
        QCOMPARE(edit.text(), QStringLiteral("-255"));
    }

    void pasteIsFiltered() {
        TNumberEdit edit;
        edit.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("12a.3.4"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12.34"));
        QCOMPARE(Value(&edit), 12.34);
        // Nothing goes in front of a sign.
        edit.setText(QStringLiteral("-5"));
        edit.home(false);
        QGuiApplication::clipboard()->setText(QStringLiteral("7"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("-5"));
    }

    void pasteIsGrouped() {
        TNumberEdit edit;
        edit.SetComma(true);
        edit.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("1234567"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("1,234,567"));
        QCOMPARE(edit.cursorPosition(), 9);
    }

    void contextMenuPasteIsFiltered() {
        TNumberEdit edit;
        edit.clear();
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QGuiApplication::clipboard()->setText(QStringLiteral("x9y8"));
        bool triggered = false;
        QTimer::singleShot(0, &edit, [&triggered] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                return;
            }

            if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
                paste->trigger();
                triggered = true;
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                edit.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&edit, &event);
        QVERIFY(triggered);
        QCOMPARE(edit.text(), QStringLiteral("98"));
    }

    void readOnlyFieldKeepsItsText() {
        TNumberEdit edit;
        edit.SetValue(12);
        edit.setReadOnly(true);
        QTest::keyClick(&edit, '-');
        QTest::keyClick(&edit, '3');
        QGuiApplication::clipboard()->setText(QStringLiteral("4"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12"));
    }

    void changeEvents() {
        TNumberEdit edit;
        edit.SetValue(1234);
        QSignalSpy changes(&edit, &TNumberEdit::OnChange);
        edit.SetComma(true);  // formats quietly
        QCOMPARE(edit.text(), QStringLiteral("1,234"));
        QCOMPARE(changes.count(), 0);
        edit.SetValue(5);
        QCOMPARE(changes.count(), 1);
        edit.SetValue(5);  // same text: no change
        QCOMPARE(changes.count(), 1);
        edit.SetFigure(2);
        edit.SetFixed(true);
        QCOMPARE(edit.text(), QStringLiteral("5.00"));
        QCOMPARE(changes.count(), 2);
        edit.clear();
        QCOMPARE(changes.count(), 2);
        QTest::keyClick(&edit, '-');
        QCOMPARE(changes.count(), 2);  // "-" alone is no number yet
        QTest::keyClick(&edit, '4');
        QCOMPARE(changes.count(), 3);
        QCOMPARE(Value(&edit), -4.0);
    }

    void modifiedFollowsTyping() {
        TForm form;
        QVERIFY(form.Enter());
        QVERIFY(form.edit->hasSelectedText());  // entering selects the text
        form.Leave();
        QVERIFY(!form.edit->isModified());
        QVERIFY(form.Enter());
        QTest::keyClick(form.edit, '8');
        form.Leave();
        QVERIFY(form.edit->isModified());
        QCOMPARE(Value(form.edit), 8.0);
    }

    void modifiedByEditingKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("text");  // after leaving
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << true << "12";
        QTest::newRow("return") << int(Qt::Key_Return) << 0 << true << "123";
        QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << true << "23";
        QTest::newRow("cut") << int(Qt::Key_X) << int(Qt::ControlModifier) << true << "0";
        QTest::newRow("caret move") << int(Qt::Key_Left) << 0 << false << "123";
        QTest::newRow("copy") << int(Qt::Key_C) << int(Qt::ControlModifier) << false << "123";
    }
    void modifiedByEditingKeys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, modified);
        QFETCH(QString, text);
        TForm form;
        form.edit->SetValue(123);
        QVERIFY(form.Enter());
        if (modifiers == 0) {
            // The caret at the end, or at the start for the delete key.
            form.edit->setCursorPosition(key == Qt::Key_Delete ? 0 : 3);
        }
        QTest::keyClick(form.edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        form.Leave();
        QCOMPARE(form.edit->isModified(), modified);
        QCOMPARE(form.edit->text(), text);
    }

    void boundsSetters() {
        TNumberEdit edit;
        edit.SetLimit(true);
        edit.SetMax(100);
        edit.SetMin(1);
        QCOMPARE(edit.text(), QStringLiteral("1"));  // 0 was below the new minimum
        edit.SetValue(50);
        edit.SetMax(20);
        QCOMPARE(Value(&edit), 20.0);
        edit.SetMin(30);
        QCOMPARE(static_cast<double>(edit.Max()), 30.0);
        QCOMPARE(Value(&edit), 30.0);
        // Without a lower bound a small value stays where it is when the maximum moves.
        edit.SetLimitOptions(loMax);
        edit.SetValue(-5);
        edit.SetMax(200);
        QCOMPARE(Value(&edit), -5.0);
    }

    void asInteger() {
        TNumberEdit edit;
        edit.SetValue(2.5L);
        QCOMPARE(edit.AsInteger(), 2);
        edit.SetRoundMode(TRoundMode::rmRound);
        QCOMPARE(edit.AsInteger(), 3);
        edit.SetAsInteger(-7);
        QCOMPARE(edit.text(), QStringLiteral("-7"));
        edit.SetValue(1e12L);
        QCOMPARE(edit.AsInteger(), 2147483647);
    }
};

QTEST_MAIN(NumberEditTest)
#include "NumberEditTest.moc"
