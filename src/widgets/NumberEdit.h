#pragma once

#include "widgets/NumberText.h"

#include <QClipboard>
#include <QLineEdit>

#include <cstdint>
#include <optional>

namespace korvent::widgets {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A single-line edit that holds a number: it filters typed keys and pasted text, keeps `Value`
// in step with the text while the user types (grouping thousands on the fly when `Comma` is
// set), and shows the rounded, padded and clamped number when the field is left. Decimal and
// thousands separators come from the widget's locale at each use.
class TNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    long double Value() const { return FValue; }
    void SetValue(long double value);

    // `Value` rounded by `RoundMode` and clamped to the signed 32-bit range.
    std::int32_t AsInteger() const;
    void SetAsInteger(std::int32_t value) { SetValue(value); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
    bool Comma() const { return FFormat.Comma; }
    void SetComma(bool comma);
    int Figure() const { return FFormat.Figure; }
    void SetFigure(int figure);
    bool Fixed() const { return FFormat.Fixed; }
    void SetFixed(bool fixed);
    bool Limit() const { return FFormat.Limit; }
    void SetLimit(bool limit);
    TLimitOptions LimitOptions() const { return FFormat.LimitOptions; }
    void SetLimitOptions(TLimitOptions options);
    TNumberType NumberType() const { return FFormat.NumberType; }
    void SetNumberType(TNumberType type);
    long double Max() const { return FFormat.Max; }
    void SetMax(long double max);
    long double Min() const { return FFormat.Min; }
    void SetMin(long double min);
    int MaxIntLength() const { return FFormat.MaxIntLength; }
    void SetMaxIntLength(int length) { FFormat.MaxIntLength = length; }
    TRoundMode RoundMode() const { return FFormat.RoundMode; }
    void SetRoundMode(TRoundMode mode) { FFormat.RoundMode = mode; }
    bool ValidMinus() const { return FFormat.ValidMinus; }
    void SetValidMinus(bool validMinus);
    bool ZeroVisible() const { return FFormat.ZeroVisible; }
    void SetZeroVisible(bool visible);

    // The text rules with the separators of the widget's current locale.
    TNumberFormat Format() const;

signals:
    // The text changed and `Value` follows it (not raised while the field formats itself, nor
    // when the text becomes empty, "-" or "+").
    void OnChange();
    void OnEnter();
    void OnExit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The field's text with its caret and selection.
    TEditState EditState() const;

private:
    void TextChanged();
    // Sets text and caret; the change notification runs as for typing.
    void SetEditState(const TEditState& state);
    // text := FormatValue; with `quiet` no change notification runs.
    void Reformat(bool quiet);
    void PasteFrom(QClipboard::Mode mode);

    TNumberFormat FFormat;
    long double FValue = 0;
    TAlignment FAlignment = TAlignment::taRightJustify;
    bool FAutoSelect = true;
    bool FUpdating = false;
    bool FTyped = false;
    std::optional<int> FCaretHint;  // caret for the next change notification
};

}  // namespace korvent::widgets
