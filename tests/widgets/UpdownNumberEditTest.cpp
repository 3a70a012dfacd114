#include "widgets/UpdownNumberEdit.h"

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

using namespace korvent::widgets;

Q_DECLARE_METATYPE(korvent::widgets::TUpDownDirection)

namespace {

// A window with the spin field, a plain edit that may hold the focus and a default button.
struct TForm {
    QWidget window;
    TUpdownNumberEdit* edit = new TUpdownNumberEdit;
    QLineEdit* other = new QLineEdit;
    QPushButton* okButton = new QPushButton(QStringLiteral("OK"));

    TForm() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        layout->addWidget(okButton);
        okButton->setDefault(true);
        window.show();
        window.activateWindow();
    }
    // Min 1, Max 9, both bounds, the way the delay counters are set up.
    void Range(bool limit, bool wrap, long double value) {
        edit->SetLimit(limit);
        edit->SetMax(9);
        edit->SetMin(1);
        edit->SetWrap(wrap);
        edit->SetValue(value);
    }
    void Click(TUpDownDirection direction) {
        TInnerUpdown* updown = edit->Updown();
        QTest::mouseClick(
            direction == TUpDownDirection::updUp ? updown->UpButton() : updown->DownButton(),
            Qt::LeftButton);
    }
    void Key(TUpDownDirection direction) {
        QTest::keyClick(edit, direction == TUpDownDirection::updUp ? Qt::Key_Up : Qt::Key_Down);
    }
};

// Tells where the edit draws its text, as its paint event computes it.
class TTextAreaProbe : public TUpdownNumberEdit {
public:
    QRect TextArea() const {
        QStyleOptionFrame option;
        initStyleOption(&option);
        return style()
            ->subElementRect(QStyle::SE_LineEditContents, &option, this)
            .marginsRemoved(textMargins());
    }
};

double Value(const TNumberEdit* edit) {
    return static_cast<double>(edit->Value());
}

}  // namespace

class UpdownNumberEditTest : public QObject {
    Q_OBJECT

private slots:
    void steps_data() {
        QTest::addColumn<bool>("limit");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<double>("start");
        QTest::addColumn<TUpDownDirection>("direction");
        QTest::addColumn<double>("result");
        const auto up = TUpDownDirection::updUp;
        const auto down = TUpDownDirection::updDown;
        QTest::newRow("inside") << true << false << 5.0 << up << 6.0;
        QTest::newRow("stops at max") << true << false << 9.0 << up << 9.0;
        QTest::newRow("stops at min") << true << false << 1.0 << down << 1.0;
        QTest::newRow("wraps to min") << true << true << 9.0 << up << 1.0;
        QTest::newRow("wraps to max") << true << true << 1.0 << down << 9.0;
        QTest::newRow("no limit passes min") << false << false << 1.0 << down << 0.0;
        QTest::newRow("no limit passes max") << false << true << 9.0 << up << 10.0;
    }
    void steps() {
        QFETCH(bool, limit);
        QFETCH(bool, wrap);
        QFETCH(double, start);
        QFETCH(TUpDownDirection, direction);
        QFETCH(double, result);
        TForm form;
        form.Range(limit, wrap, start);
        form.Key(direction);
        QCOMPARE(Value(form.edit), result);
        QCOMPARE(form.edit->text(), QString::number(result));
        form.Range(limit, wrap, start);
        form.Click(direction);
        QCOMPARE(Value(form.edit), result);
    }

    void incrementAndLowerBoundOnly() {
        TForm form;
        form.edit->SetIncrement(2.5L);
        form.edit->SetLimit(true);
        form.edit->SetLimitOptions(loMax);
        form.edit->SetMax(10);
        form.edit->SetMin(0);
        form.edit->SetValue(1);
        form.Key(TUpDownDirection::updDown);
        QCOMPARE(Value(form.edit), -1.5);  // no lower bound applies
        form.edit->SetValue(9);
        form.Key(TUpDownDirection::updUp);
        QCOMPARE(Value(form.edit), 10.0);
    }

    void nonFiniteIncrementIsIgnored_data() {
        QTest::addColumn<double>("increment");
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    }
    void nonFiniteIncrementIsIgnored() {
        QFETCH(double, increment);
        TForm form;
        form.Range(true, false, 5);
        form.edit->SetIncrement(2);
        form.edit->SetIncrement(increment);
        QCOMPARE(static_cast<double>(form.edit->Increment()), 2.0);
        form.Click(TUpDownDirection::updUp);
        QCOMPARE(Value(form.edit), 7.0);
    }

    void vetoLeavesEverything() {
        TForm form;
        form.Range(true, false, 4);
        QSignalSpy changed(form.edit, &TUpdownNumberEdit::OnUDChanged);
        QSignalSpy changes(form.edit, &TNumberEdit::OnChange);
        long double offered = 0;
        TUpDownDirection direction = TUpDownDirection::updNone;
        connect(form.edit, &TUpdownNumberEdit::OnUDClick, form.edit,
                [&](bool& allow, long double newValue, TUpDownDirection dir) {
                    offered = newValue;
                    direction = dir;
                    allow = false;
                });
        form.Click(TUpDownDirection::updUp);
        QCOMPARE(static_cast<double>(offered), 5.0);
        QCOMPARE(direction, TUpDownDirection::updUp);
        form.Key(TUpDownDirection::updDown);
        QCOMPARE(static_cast<double>(offered), 3.0);
        QCOMPARE(direction, TUpDownDirection::updDown);
        QCOMPARE(Value(form.edit), 4.0);
        QCOMPARE(form.edit->text(), QStringLiteral("4"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(changes.count(), 0);
    }

    void clickRaisesChangedKeyDoesNot() {
        TForm form;
        form.Range(true, false, 4);
        QSignalSpy changed(form.edit, &TUpdownNumberEdit::OnUDChanged);
        form.Key(TUpDownDirection::updUp);
        QCOMPARE(changed.count(), 0);
        form.edit->setModified(false);
        form.Click(TUpDownDirection::updUp);
        QCOMPARE(changed.count(), 1);
        QVERIFY(form.edit->isModified());
        QCOMPARE(Value(form.edit), 6.0);
    }

    void readOnlyIgnoresClicksNotKeys() {
        TForm form;
        form.Range(true, false, 4);
        form.edit->setReadOnly(true);
        QSignalSpy asked(form.edit, &TUpdownNumberEdit::OnUDClick);
        form.Click(TUpDownDirection::updUp);
        QCOMPARE(Value(form.edit), 4.0);
        QCOMPARE(asked.count(), 0);
        form.Key(TUpDownDirection::updUp);
        QCOMPARE(Value(form.edit), 5.0);
        form.edit->SetAllowKeys(false);
        form.Key(TUpDownDirection::updUp);
        QCOMPARE(Value(form.edit), 5.0);
    }

    void clickFocusesTheFieldAndStepsOnce() {
        TForm form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.Range(true, false, 4);
        form.other->setFocus();
        QVERIFY(form.other->hasFocus());
        form.Click(TUpDownDirection::updUp);
        QVERIFY(form.edit->hasFocus());
        QCOMPARE(Value(form.edit), 5.0);
    }

    void returnClicksTheDefaultButton() {
        TForm form;
        QSignalSpy clicked(form.okButton, &QPushButton::clicked);
        QSignalSpy returned(form.edit, &QLineEdit::returnPressed);
        QTest::keyClick(form.edit, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(returned.count(), 1);
        // A disabled default button is not clicked.
        form.okButton->setEnabled(false);
        QTest::keyClick(form.edit, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
    }

    void returnStaysInTheFieldsWindow_data() {
        QTest::addColumn<bool>("fieldInDialog");
        // The field sits in a dialog without buttons over a window with a default button.
        QTest::newRow("owner window") << true;
        // The field's window has no usable default button, but a window it owns has one.
        QTest::newRow("owned window") << false;
    }
    void returnStaysInTheFieldsWindow() {
        QFETCH(bool, fieldInDialog);
        TForm form;
        QDialog dialog(&form.window);
        auto* layout = new QVBoxLayout(&dialog);
        auto* dialogEdit = new TUpdownNumberEdit;
        layout->addWidget(dialogEdit);
        QPushButton* dialogButton = nullptr;
        if (!fieldInDialog) {
            dialogButton = new QPushButton(QStringLiteral("Apply"));
            layout->addWidget(dialogButton);
            dialogButton->setDefault(true);
            form.okButton->setEnabled(false);
        }
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy ownerClicked(form.okButton, &QPushButton::clicked);
        QSignalSpy dialogClicked(dialogButton ? dialogButton : form.okButton,
                                 &QPushButton::clicked);
        QTest::keyClick(fieldInDialog ? dialogEdit : form.edit, Qt::Key_Return);
        QCOMPARE(ownerClicked.count(), 0);
        QCOMPARE(dialogClicked.count(), 0);
    }

    void buttonsSitInsideTheRightEdgeClearOfTheText_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("vertical") << false;
        QTest::newRow("horizontal") << true;
    }
    void buttonsSitInsideTheRightEdgeClearOfTheText() {
        QFETCH(bool, horizontal);
        TTextAreaProbe edit;
        if (horizontal) {
            edit.SetOrientation(TUDOrientation::udHorizontal);
        }
        edit.resize(120, 26);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const QRect button = edit.Updown()->geometry();
        const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        QCOMPARE(button.right(), edit.width() - 1 - frame);
        QVERIFY(edit.rect().contains(button));
        QCOMPARE(edit.TextArea().right(), button.left() - 3);  // two free pixels
        const int scrollBar = edit.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QCOMPARE(button.width(), horizontal ? scrollBar + 10 : scrollBar);
    }

    void disabledWithTheField() {
        TForm form;
        form.edit->setEnabled(false);
        QVERIFY(!form.edit->Updown()->UpButton()->isEnabled());
        form.edit->setEnabled(true);
        QVERIFY(form.edit->Updown()->UpButton()->isEnabled());
    }

    void lostButtonIsMadeAgain() {
        TForm form;
        form.edit->SetIncrement(5);
        delete form.edit->Updown();
        QCOMPARE(static_cast<double>(form.edit->Increment()), 1.0);
        form.edit->SetValue(2);
        form.Click(TUpDownDirection::updUp);
        QCOMPARE(Value(form.edit), 3.0);
    }
};

QTEST_MAIN(UpdownNumberEditTest)
#include "UpdownNumberEditTest.moc"
