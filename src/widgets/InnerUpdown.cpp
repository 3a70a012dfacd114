#include "widgets/InnerUpdown.h"

#include <QToolButton>

namespace korvent::widgets {
namespace {

QToolButton* MakeArrow(QWidget* parent, const char* name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRepeat(true);
    // Clicking an arrow must not take the focus from the field; the field decides.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(false);
    return button;
}

}  // namespace

TInnerUpdown::TInnerUpdown(QWidget* parent)
    : QWidget(parent), FUp(MakeArrow(this, "UpButton")), FDown(MakeArrow(this, "DownButton")) {
    setCursor(Qt::ArrowCursor);
    connect(FUp, &QToolButton::clicked, this, [this] { emit Clicked(TUpDownDirection::updUp); });
    connect(FDown, &QToolButton::clicked, this,
            [this] { emit Clicked(TUpDownDirection::updDown); });
    Arrange();
}

void TInnerUpdown::SetOrientation(TUDOrientation orientation) {
    FOrientation = orientation;
    Arrange();
}

void TInnerUpdown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

void TInnerUpdown::Arrange() {
    const int w = width();
    const int h = height();
    if (FOrientation == TUDOrientation::udVertical) {
        FUp->setArrowType(Qt::UpArrow);
        FDown->setArrowType(Qt::DownArrow);
        FUp->setGeometry(0, 0, w, h / 2);
        FDown->setGeometry(0, h / 2, w, h - h / 2);
    } else {
        // Side by side: the left arrow steps down, the right arrow up.
        FUp->setArrowType(Qt::RightArrow);
        FDown->setArrowType(Qt::LeftArrow);
        FDown->setGeometry(0, 0, w / 2, h);
        FUp->setGeometry(w / 2, 0, w - w / 2, h);
    }
}

}  // namespace korvent::widgets
