#pragma once

#include "widgets/InnerUpdown.h"
#include "widgets/NumberEdit.h"

#include <QPointer>

namespace korvent::widgets {

// The numeric field with an up-down button pair inside its right edge. A button click or the
// up and down arrow keys add or subtract `Increment`, honouring the field's limits, with
// optional wrap-around to the other bound.
class TUpdownNumberEdit : public TNumberEdit {
    Q_OBJECT

public:
    explicit TUpdownNumberEdit(QWidget* parent = nullptr);

    bool AllowKeys() const { return FAllowKeys; }
    void SetAllowKeys(bool allow) { FAllowKeys = allow; }
    long double Increment();
    void SetIncrement(long double increment);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation orientation);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool wrap);

    // The button pair (created again if it was destroyed).
    TInnerUpdown* Updown();

    // The value one step from `Value` in `direction`, clamped or wrapped by the limits.
    long double SteppedValue(TUpDownDirection direction);

signals:
    // Before a step is applied; a slot may set `AllowChange` to false to refuse it. Connect
    // directly (the default within the thread) so that the answer arrives.
    void OnUDClick(bool& AllowChange, long double NewValue,
                   korvent::widgets::TUpDownDirection Direction);
    // After a button click has changed the value.
    void OnUDChanged();

protected:
    virtual void DoUDChanged();
    virtual void DoUDClick(bool& allowChange, TUpDownDirection direction, long double newValue);

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ButtonClicked(TUpDownDirection direction);
    void UpdateLayout();
    void ClickDefaultButton();

    QPointer<TInnerUpdown> FButton;
    int FButtonWidth = 0;
    bool FAllowKeys = true;
    bool FWrap = false;
    TUDOrientation FOrientation = TUDOrientation::udVertical;
};

}  // namespace korvent::widgets
