#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvent::settings {

// The integer a stored text stands for: optional sign and decimal digits, or hexadecimal digits
// after a leading "$"; nothing when the text is not such a number or does not fit 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// A floating-point value in general format: up to 15 significant digits, no trailing zeros, an
// exponent ("1E20", "1E-5") only where fixed notation would need more digits, and
// `decimalSeparator` in place of the point.
std::string FormatGeneralFloat(double value, char decimalSeparator);

// A colour as its standard identifier ("clRed", "clBtnFace"), else "$" and 8 hex digits.
std::string ColorToText(std::int32_t color);
// The inverse of ColorToText, also accepting any integer text; throws korvent::Exception
// when `text` is neither.
std::int32_t TextToColor(std::string_view text);

}  // namespace korvent::settings
