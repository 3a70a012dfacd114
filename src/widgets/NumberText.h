#pragma once

// Text rules of the numeric edit field, kept apart from the widget so that they can be checked
// without a window: parsing, rounding, grouping, formatting, key validity and paste filtering.

#include <QChar>
#include <QFlags>
#include <QString>

#include <cstdint>
#include <optional>

class QLocale;

namespace korvent::widgets {

enum class TNumberType { ntDecimal, ntHex };
enum class TRoundMode { rmDown, rmRound, rmUp };

enum TLimitOption { loMax = 0x1, loMin = 0x2 };
Q_DECLARE_FLAGS(TLimitOptions, TLimitOption)

// The two characters the user's locale uses in numbers, read again at each use.
struct TNumberSeparators {
    QChar Decimal = u'.';
    QChar Thousands = u',';

    static TNumberSeparators FromLocale(const QLocale& locale);
};

// Everything that shapes the text of a numeric field.
struct TNumberFormat {
    TNumberSeparators Separators;
    TNumberType NumberType = TNumberType::ntDecimal;
    bool ValidMinus = false;
    int Figure = -1;  // decimals; negative = as many as the number has
    bool Fixed = false;
    bool Comma = false;
    TRoundMode RoundMode = TRoundMode::rmDown;
    bool ZeroVisible = true;
    bool Limit = false;
    TLimitOptions LimitOptions = TLimitOptions(loMax) | loMin;
    long double Min = 0;
    long double Max = 0;
    int MaxIntLength = 0;  // 0 = no limit
};

// The text of an edit control with its caret (selection start) and selection length.
struct TEditState {
    QString Text;
    int SelStart = 0;
    int SelLength = 0;

    bool operator==(const TEditState&) const = default;
};

// Removes thousands separators and control characters from a decimal text.
QString CleanDecimalText(const QString& text, const TNumberSeparators& separators);

// The number of a decimal text with the given decimal separator (signs, digits, one separator,
// an optional exponent). A text without any digit ("", ".", "-.") is 0. Nothing for a text that
// is not a number or does not fit.
std::optional<long double> DecimalTextValue(const QString& text, QChar decimalSeparator);

// The number a field text stands for; `text` is cleaned in place in decimal mode. Nothing when
// the text is not a number of the field's kind (the caller keeps its previous value).
std::optional<long double> ParseText(QString& text, const TNumberFormat& format);

// Plain digits of `value` with at most 15 significant digits, never with an exponent
// (-1.5E-5 gives "-0.000015").
QString PlainFloatText(long double value, QChar decimalSeparator);

// Cuts a decimal text to `figure` decimals by `mode`, carrying into the integer part as far as
// needed. Texts with `figure` or fewer decimals, or a negative `figure`, come back cleaned but
// otherwise unchanged; `figure` 0 leaves a trailing separator.
QString RoundToFigure(const QString& text, int figure, TRoundMode mode,
                      const TNumberSeparators& separators);

// `value` clamped to the format's bounds when `Limit` is on.
long double ClampValue(long double value, const TNumberFormat& format);

// `value` rounded to a whole number by `mode` (saturating at the 64-bit range).
std::int64_t RoundedWhole(long double value, TRoundMode mode);

// `AsInteger`: `value` rounded by `mode` and clamped to the signed 32-bit range.
std::int32_t RoundedInteger(long double value, TRoundMode mode);

// The digits of a whole number grouped in thousands ("-1234567" gives "-1,234,567").
QString GroupThousands(const QString& integerDigits, QChar thousandsSeparator);

// The hexadecimal text of a whole number, at least max(Figure, 1) digits: with `ValidMinus` the
// magnitude with a leading "-", otherwise the 32-bit two's-complement form.
QString HexText(std::int64_t value, const TNumberFormat& format);

// The text a field shows for `value` when it is left, and the number that text stands for.
struct TFormattedValue {
    QString Text;
    long double Value = 0;
};
TFormattedValue FormatValue(long double value, const QString& currentText,
                            const TNumberFormat& format);

// Regroups a decimal text in thousands while the user types, keeping the caret among the same
// characters to its right.
TEditState RegroupText(const TEditState& state, const TNumberSeparators& separators);

// Whether a typed character may enter the field. Backspace, tab and return are '\b', '\t', '\r'.
bool IsValidKey(QChar key, bool controlHeld, const TEditState& state, const TNumberFormat& format);

// "+" or "-" typed: sets, changes or removes the sign at the front.
TEditState ApplySignKey(QChar key, const TEditState& state, const TNumberFormat& format);

// Pastes `clipboard` at the caret, dropping what may not enter the field. Nothing when the paste
// is refused (a sign at or after the caret).
std::optional<TEditState> PasteText(const QString& clipboard, const TEditState& state,
                                    const TNumberFormat& format);

}  // namespace korvent::widgets

Q_DECLARE_OPERATORS_FOR_FLAGS(korvent::widgets::TLimitOptions)
