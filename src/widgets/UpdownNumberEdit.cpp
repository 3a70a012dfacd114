#include "widgets/UpdownNumberEdit.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace korvent::widgets {

TUpdownNumberEdit::TUpdownNumberEdit(QWidget* parent) : TNumberEdit(parent) {
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    UpdateLayout();
}

TInnerUpdown* TUpdownNumberEdit::Updown() {
    if (!FButton) {
        FButton = new TInnerUpdown(this);
        FButton->SetWrap(FWrap);
        FButton->SetOrientation(FOrientation);
        connect(FButton, &TInnerUpdown::Clicked, this, &TUpdownNumberEdit::ButtonClicked);
        FButton->show();
    }
    return FButton;
}

long double TUpdownNumberEdit::Increment() {
    return Updown()->Increment();
}

void TUpdownNumberEdit::SetIncrement(long double increment) {
    // A step that is not a number would send every click to a bound; it is ignored, as
    // non-finite values, minimums and maximums are.
    if (std::isfinite(increment)) {
        Updown()->SetIncrement(increment);
    }
}

void TUpdownNumberEdit::SetWrap(bool wrap) {
    FWrap = wrap;
    Updown()->SetWrap(wrap);
}

void TUpdownNumberEdit::SetOrientation(TUDOrientation orientation) {
    FOrientation = orientation;
    Updown()->SetOrientation(orientation);
    const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    FButtonWidth = orientation == TUDOrientation::udHorizontal ? arrow + 10 : arrow;
    UpdateLayout();
}

void TUpdownNumberEdit::UpdateLayout() {
    TInnerUpdown* button = Updown();
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int left = width() - frame - FButtonWidth;
    button->setGeometry(left, frame, FButtonWidth, std::max(height() - 2 * frame, 0));
    // Typed text stops two pixels before the buttons.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    setTextMargins(0, 0, std::max(contents.right() - (left - 3), 0), 0);
}

void TUpdownNumberEdit::resizeEvent(QResizeEvent* event) {
    TNumberEdit::resizeEvent(event);
    UpdateLayout();
}

void TUpdownNumberEdit::changeEvent(QEvent* event) {
    TNumberEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        UpdateLayout();
    }
}

long double TUpdownNumberEdit::SteppedValue(TUpDownDirection direction) {
    const long double step = direction == TUpDownDirection::updDown ? -Increment() : Increment();
    const long double v = Value() + step;
    const long double min = Min();
    const long double max = Max();
    const bool inRange = v >= min && v <= max;
    if (!Limit() || inRange || (v < min && !(LimitOptions() & loMin)) ||
        (v > max && !(LimitOptions() & loMax))) {
        return v;
    }
    if (!FWrap) {
        return v < min ? min : max;
    }
    return v < min ? max : min;
}

void TUpdownNumberEdit::ButtonClicked(TUpDownDirection direction) {
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    const long double v = SteppedValue(direction);
    // A read-only field keeps its value against clicks; the arrow keys still step it.
    if (isReadOnly()) {
        return;
    }
    bool allow = true;
    DoUDClick(allow, direction, v);
    if (allow) {
        SetValue(v);
        DoUDChanged();
    }
}

void TUpdownNumberEdit::DoUDChanged() {
    setModified(true);
    emit OnUDChanged();
}

void TUpdownNumberEdit::DoUDClick(bool& allowChange, TUpDownDirection direction,
                                  long double newValue) {
    emit OnUDClick(allowChange, newValue, direction);
}

void TUpdownNumberEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        TNumberEdit::keyPressEvent(event);
        event->accept();
        if (FAllowKeys) {
            const auto direction =
                key == Qt::Key_Up ? TUpDownDirection::updUp : TUpDownDirection::updDown;
            const long double v = SteppedValue(direction);
            bool allow = true;
            DoUDClick(allow, direction, v);
            if (allow) {
                SetValue(v);
            }
        }
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        TNumberEdit::keyPressEvent(event);
        event->accept();
        ClickDefaultButton();
        return;
    }
    TNumberEdit::keyPressEvent(event);
}

void TUpdownNumberEdit::ClickDefaultButton() {
    // The nearest container outwards that holds a usable default button wins. The search ends
    // at the field's own window: an owner window or another window parented below it has
    // buttons of its own that Return in this field must not press.
    QWidget* const window = this->window();
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget()) {
        const auto buttons = parent->findChildren<QPushButton*>();
        for (QPushButton* button : buttons) {
            if (button->window() == window && button->isDefault() && button->isEnabled() &&
                button->isVisible()) {
                button->click();
                return;
            }
        }
        if (parent == window) {
            break;
        }
    }
}

}  // namespace korvent::widgets
