#pragma once

#include <QWidget>

class QToolButton;

namespace korvent::widgets {

enum class TUpDownDirection { updNone, updUp, updDown };
enum class TUDOrientation { udHorizontal, udVertical };

// The pair of arrow buttons inside a spin field. It only reports clicks (repeating while a
// button is held); the field does the stepping. It also keeps the field's step size.
class TInnerUpdown : public QWidget {
    Q_OBJECT

public:
    explicit TInnerUpdown(QWidget* parent = nullptr);

    long double Increment() const { return FIncrement; }
    void SetIncrement(long double increment) { FIncrement = increment; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool wrap) { FWrap = wrap; }
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation orientation);

    QToolButton* UpButton() const { return FUp; }
    QToolButton* DownButton() const { return FDown; }

signals:
    void Clicked(korvent::widgets::TUpDownDirection direction);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Arrange();

    QToolButton* FUp;
    QToolButton* FDown;
    long double FIncrement = 1;
    bool FWrap = false;
    TUDOrientation FOrientation = TUDOrientation::udVertical;
};

}  // namespace korvent::widgets
