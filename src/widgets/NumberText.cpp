#include "widgets/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace korvent::widgets {
namespace {

bool IsSign(QChar c) {
    return c == u'+' || c == u'-';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsHexDigit(QChar c) {
    return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool AllDigits(const QString& s) {
    for (const QChar c : s) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// Adds one to a string of decimal digits ("999" gives "1000", "" gives "1").
QString IncrementDigits(QString digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return u'1' + digits;
}

// The digits of a signed whole-number text without sign and leading zeros ("0" for zero), or
// nothing when the text is not a whole number.
std::optional<QString> WholeDigits(const QString& text) {
    QString digits = text;
    if (!digits.isEmpty() && IsSign(digits[0])) {
        digits.remove(0, 1);
    }
    if (digits.isEmpty() || !AllDigits(digits)) {
        return std::nullopt;
    }
    qsizetype first = 0;
    while (first + 1 < digits.size() && digits[first] == u'0') {
        ++first;
    }
    return digits.mid(first);
}

// Unsigned value of up to 64 bits of hexadecimal digits; leading zeros do not count.
std::optional<std::uint64_t> HexValue(const QString& digits, int maxDigits) {
    if (digits.isEmpty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    int significant = 0;
    for (const QChar c : digits) {
        if (!IsHexDigit(c)) {
            return std::nullopt;
        }
        const int digit = IsDigit(c) ? c.unicode() - u'0' : (c.toUpper().unicode() - u'A' + 10);
        if (value == 0 && digit == 0) {
            continue;
        }
        if (++significant > maxDigits) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
    }
    return value;
}

QString HexDigits(std::uint64_t value, int minDigits) {
    QString digits = QString::number(static_cast<qulonglong>(value), 16).toUpper();
    if (digits.size() < minDigits) {
        digits.prepend(QString(minDigits - digits.size(), u'0'));
    }
    return digits;
}

}  // namespace

TNumberSeparators TNumberSeparators::FromLocale(const QLocale& locale) {
    TNumberSeparators separators;
    const QString decimal = locale.decimalPoint();
    const QString thousands = locale.groupSeparator();
    if (decimal.size() == 1) {
        separators.Decimal = decimal[0];
    }
    if (thousands.size() == 1 && thousands[0] != separators.Decimal) {
        separators.Thousands = thousands[0];
    } else if (separators.Decimal == u',') {
        separators.Thousands = u'.';
    }
    return separators;
}

QString CleanDecimalText(const QString& text, const TNumberSeparators& separators) {
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (c != separators.Thousands && c.unicode() >= u' ') {
            cleaned.append(c);
        }
    }
    return cleaned;
}

std::optional<long double> DecimalTextValue(const QString& text, QChar decimalSeparator) {
    const QString trimmed = text.trimmed();
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(trimmed.size()));
    bool anyDigit = false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c == decimalSeparator) {
            ascii.push_back('.');
        } else if (c.unicode() < 0x80) {
            anyDigit = anyDigit || IsDigit(c);
            // from_chars knows no leading "+"; a lone sign is dropped here and the text checked
            // by the conversion below.
            if (!(i == 0 && c == u'+')) {
                ascii.push_back(static_cast<char>(c.unicode()));
            }
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) {
        // A lone separator or sign is what a user has typed so far, not an error.
        if (ascii.empty() || ascii == "." || ascii == "-" || ascii == "-.") {
            return 0.0L;
        }
        return std::nullopt;
    }
    long double value = 0;
    const char* end = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<long double> ParseText(QString& text, const TNumberFormat& format) {
    if (text.isEmpty() || text == u"-" || text == u"+") {
        return 0.0L;
    }
    if (format.NumberType == TNumberType::ntDecimal) {
        text = CleanDecimalText(text, format.Separators);
        if (text.isEmpty()) {
            return 0.0L;
        }
        return DecimalTextValue(text, format.Separators.Decimal);
    }
    if (format.ValidMinus) {
        const bool negative = text.startsWith(u'-');
        const auto magnitude = HexValue(negative ? text.mid(1) : text, 16);
        if (!magnitude) {
            return std::nullopt;
        }
        // 16 digits wrap into the signed range as a 64-bit conversion does ("FFFF...F" is -1).
        const auto value = static_cast<std::int64_t>(*magnitude);
        return negative ? -static_cast<long double>(value) : static_cast<long double>(value);
    }
    const auto value = HexValue(text, 8);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<long double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(*value)));
}

QString PlainFloatText(long double value, QChar decimalSeparator) {
    if (value == 0 || !std::isfinite(value)) {
        return QStringLiteral("0");
    }
    // 15 significant digits in scientific form: [-]d.dddddddddddddde[+-]x
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    if (ec != std::errc()) {
        return QStringLiteral("0");
    }
    const std::string scientific(buffer, end);
    const bool negative = scientific[0] == '-';
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (scientific[i] != '.') {
            digits.push_back(scientific[i]);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    const int integerDigits = exponent + 1;  // digits before the separator
    QString result = negative ? QStringLiteral("-") : QString();
    const QString d = QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
    if (integerDigits <= 0) {
        result += u'0';
        result += decimalSeparator;
        result += QString(-integerDigits, u'0');
        result += d;
    } else if (integerDigits >= d.size()) {
        result += d;
        result += QString(integerDigits - d.size(), u'0');
    } else {
        result += d.left(integerDigits);
        result += decimalSeparator;
        result += d.mid(integerDigits);
    }
    return result;
}

QString RoundToFigure(const QString& text, int figure, TRoundMode mode,
                      const TNumberSeparators& separators) {
    const QString s = CleanDecimalText(text, separators);
    const qsizetype p = s.indexOf(separators.Decimal);
    if (p < 0 || p == s.size() - 1 || figure < 0) {
        return s;
    }
    const QString decimals = s.mid(p + 1);
    if (decimals.size() <= figure || !AllDigits(decimals)) {
        return s;
    }
    bool carry = false;
    if (mode == TRoundMode::rmRound) {
        carry = decimals[figure] >= u'5';
    } else if (mode == TRoundMode::rmUp) {
        for (qsizetype i = figure; i < decimals.size(); ++i) {
            carry = carry || decimals[i] != u'0';
        }
    }
    QString kept = decimals.left(figure);
    for (qsizetype i = figure - 1; carry && i >= 0; --i) {
        if (kept[i] == u'9') {
            kept[i] = u'0';
        } else {
            kept[i] = QChar(kept[i].unicode() + 1);
            carry = false;
        }
    }
    QString integer = s.left(p);
    if (carry) {
        // The integer part moves one further from zero, its sign kept (-0 becomes -1).
        QString sign;
        QString digits = integer;
        if (!digits.isEmpty() && IsSign(digits[0])) {
            sign = digits[0];
            digits.remove(0, 1);
        }
        if (AllDigits(digits)) {
            integer = sign + IncrementDigits(digits.isEmpty() ? QStringLiteral("0") : digits);
        }
    }
    return integer + separators.Decimal + kept;
}

long double ClampValue(long double value, const TNumberFormat& format) {
    if (!format.Limit) {
        return value;
    }
    if ((format.LimitOptions & loMin) && value < format.Min) {
        value = format.Min;
    }
    if ((format.LimitOptions & loMax) && value > format.Max) {
        value = format.Max;
    }
    return value;
}

std::int64_t RoundedWhole(long double value, TRoundMode mode) {
    const TNumberSeparators plain;
    QString text = RoundToFigure(PlainFloatText(value, plain.Decimal), 0, mode, plain);
    const qsizetype p = text.indexOf(plain.Decimal);
    if (p >= 0) {
        text.truncate(p);
    }
    const bool negative = text.startsWith(u'-');
    const auto digits = WholeDigits(text);
    if (!digits) {
        return 0;
    }
    std::uint64_t magnitude = 0;
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 63 : std::uint64_t{std::numeric_limits<std::int64_t>::max()};
    for (const QChar c : *digits) {
        const auto digit = static_cast<std::uint64_t>(c.unicode() - u'0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    return negative ? static_cast<std::int64_t>(0 - magnitude)
                    : static_cast<std::int64_t>(magnitude);
}

std::int32_t RoundedInteger(long double value, TRoundMode mode) {
    const std::int64_t whole = RoundedWhole(value, mode);
    if (whole > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (whole < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(whole);
}

QString GroupThousands(const QString& integerDigits, QChar thousandsSeparator) {
    QString sign;
    QString digits = integerDigits;
    if (!digits.isEmpty() && IsSign(digits[0])) {
        sign = digits[0];
        digits.remove(0, 1);
    }
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += thousandsSeparator;
        }
        grouped += digits[i];
    }
    return sign + grouped;
}

QString HexText(std::int64_t value, const TNumberFormat& format) {
    const int minDigits = std::max(format.Figure, 1);
    if (format.ValidMinus) {
        const std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        return (value < 0 ? QStringLiteral("-") : QString()) + HexDigits(magnitude, minDigits);
    }
    const auto clamped = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    return HexDigits(static_cast<std::uint32_t>(clamped), minDigits);
}

TFormattedValue FormatValue(long double value, const QString& currentText,
                            const TNumberFormat& format) {
    const TNumberSeparators& sep = format.Separators;
    value = ClampValue(value, format);
    QString s;
    if (format.NumberType == TNumberType::ntDecimal) {
        const bool plus = currentText.startsWith(u'+');
        s = RoundToFigure(PlainFloatText(value, sep.Decimal), format.Figure, format.RoundMode, sep);
        if (format.Comma) {
            const qsizetype p = s.indexOf(sep.Decimal);
            const QString integer = p < 0 ? s : s.left(p);
            const QString rest = p < 0 ? QString() : s.mid(p);
            const auto digits = WholeDigits(integer);
            const QString grouped =
                GroupThousands(digits ? *digits : QStringLiteral("0"), sep.Thousands) + rest;
            const bool negative = s.startsWith(u'-');
            s = (negative && !grouped.startsWith(u'-')) ? u'-' + grouped : grouped;
        }
        if (format.Fixed && format.Figure >= 0) {
            const qsizetype p = s.indexOf(sep.Decimal);
            if (p < 0) {
                if (format.Figure >= 1) {
                    s += sep.Decimal + QString(format.Figure, u'0');
                }
            } else if (format.Figure == 0) {
                s.truncate(p);
            } else {
                const qsizetype decimals = s.size() - p - 1;
                if (decimals < format.Figure) {
                    s += QString(format.Figure - decimals, u'0');
                } else {
                    s.truncate(p + 1 + format.Figure);
                }
            }
        }
        // A "+" the user typed stays, unless the number has become negative.
        if (plus && !s.startsWith(u'-')) {
            s.prepend(u'+');
        }
        if (s.endsWith(sep.Decimal)) {
            s.chop(1);
        }
    } else {
        // Decimals of a value set by the program are rounded away by the field's mode.
        s = HexText(RoundedWhole(value, format.RoundMode), format);
    }
    QString parsed = s;
    const long double shown = ParseText(parsed, format).value_or(value);
    if (shown == 0 && !format.ZeroVisible) {
        s.clear();
    }
    return {s, shown};
}

TEditState RegroupText(const TEditState& state, const TNumberSeparators& separators) {
    const QString& text = state.Text;
    const QString cleaned = CleanDecimalText(text, separators);
    const qsizetype p = cleaned.indexOf(separators.Decimal);
    const QString integer = p < 0 ? cleaned : cleaned.left(p);
    const QString rest = p < 0 ? QString() : cleaned.mid(p);
    const auto digits = WholeDigits(integer);
    QString grouped =
        GroupThousands(digits ? *digits : QStringLiteral("0"), separators.Thousands) + rest;
    // The sign the user typed stays in front, also on a zero ("-0.5" while typing "-0.5").
    if (!text.isEmpty() && IsSign(text[0]) && !grouped.startsWith(text[0])) {
        grouped.prepend(text[0]);
    }
    const int right = static_cast<int>(text.size()) - state.SelStart;
    const int caret =
        std::clamp(static_cast<int>(grouped.size()) - right, 0, static_cast<int>(grouped.size()));
    return {grouped, caret, 0};
}

bool IsValidKey(QChar key, bool controlHeld, const TEditState& state, const TNumberFormat& format) {
    if (controlHeld) {
        return true;
    }
    if (key == u'\b' || key == u'\t' || key == u'\r') {
        return true;
    }
    const QString& text = state.Text;
    if (format.NumberType == TNumberType::ntHex) {
        if (IsHexDigit(key)) {
            return true;
        }
        if (key == u'-') {
            return format.ValidMinus;
        }
        if (key == u'+') {
            return text.startsWith(u'-');
        }
        return false;
    }
    const TNumberSeparators& sep = format.Separators;
    if (!(IsSign(key) || IsDigit(key) || key == sep.Decimal)) {
        return false;
    }
    if (format.MaxIntLength <= 0) {
        return true;
    }
    // p: 1-based position of the decimal separator, or just past the end.
    const qsizetype found = text.indexOf(sep.Decimal);
    const qsizetype p = found < 0 ? text.size() + 1 : found + 1;
    int count = 0;
    for (qsizetype i = 0; i < p - 1; ++i) {
        if (!IsSign(text[i]) && text[i] != sep.Thousands) {
            ++count;
        }
    }
    if (count < format.MaxIntLength || IsSign(key) || key == sep.Decimal) {
        return true;
    }
    if (state.SelStart >= p) {
        return true;  // the caret is among the decimals
    }
    if (state.SelLength > 0 && state.SelStart + 1 < p) {
        const QString selected = text.mid(state.SelStart, state.SelLength);
        const bool lone =
            selected.size() == 1 &&
            (selected[0] == sep.Thousands || selected[0] == sep.Decimal || IsSign(selected[0]));
        return !lone;  // the typed digit replaces at least one digit of the integer part
    }
    return false;
}

TEditState ApplySignKey(QChar key, const TEditState& state, const TNumberFormat& format) {
    QString text = state.Text;
    if (state.SelStart == 0 && state.SelLength > 0) {
        text.remove(0, state.SelLength);
    }
    int caret = state.SelStart;
    const bool hasSign = !text.isEmpty() && IsSign(text[0]);
    if (key == u'-') {
        if (hasSign && text[0] == u'-') {
            text.remove(0, 1);
            --caret;
        } else if (hasSign) {
            text[0] = u'-';
        } else {
            text.prepend(u'-');
            ++caret;
        }
    } else if (format.NumberType == TNumberType::ntHex) {
        if (text.contains(u'-')) {
            text.remove(0, 1);
        }
    } else if (hasSign && text[0] == u'+') {
        text.remove(0, 1);
        --caret;
    } else if (hasSign) {
        text[0] = u'+';
    } else {
        text.prepend(u'+');
        ++caret;
    }
    return {text, std::clamp(caret, 0, static_cast<int>(text.size())), 0};
}

std::optional<TEditState> PasteText(const QString& clipboard, const TEditState& state,
                                    const TNumberFormat& format) {
    const QChar decimal = format.Separators.Decimal;
    const bool hex = format.NumberType == TNumberType::ntHex;
    QString text = state.Text;
    text.remove(state.SelStart, state.SelLength);
    qsizetype at = state.SelStart;
    for (qsizetype i = at; i < text.size(); ++i) {
        if (IsSign(text[i])) {
            return std::nullopt;  // nothing may go in front of a sign
        }
    }
    for (qsizetype k = 0; k < clipboard.size(); ++k) {
        const QChar c = clipboard[k];
        const bool allowed = hex ? IsHexDigit(c) : (IsDigit(c) || IsSign(c) || c == decimal);
        if (!allowed) {
            continue;
        }
        if (IsSign(c) && !(k == 0 && at == 0 && !(text.size() > 0 && IsSign(text[0])))) {
            continue;
        }
        if (c == decimal && text.contains(decimal)) {
            continue;
        }
        text.insert(at++, c);
    }
    return TEditState{text, static_cast<int>(at), 0};
}

}  // namespace korvent::widgets
