#pragma once

#include <chrono>
#include <string>
#include <string_view>

// Text helpers of the PDF writer. Byte strings are CP932; numbers never depend on the locale.
namespace korvent::pdf {

using TDateTime = std::chrono::system_clock::time_point;

// "D:" and the 14 digits of the current local date and time. The argument is not used: files
// always carry the moment they were made.
std::string PdfDateText(TDateTime ignored = {});
// The general format with at most 15 significant digits, no trailing zeros, a period.
std::string FormatReal(double value);
// Rounds to two decimals (half up, towards zero for negatives after adding 0.5) and formats.
// Throws EPdfInvalidValue for values no page coordinate can have (infinite, NaN, beyond 1e15).
std::string FormatOperand(double value);
std::string HexOfBytes(std::string_view bytes);
// True when any byte lies above 0x7F: readers would take such bytes as PDFDocEncoding.
bool HasNonAsciiByte(std::string_view bytes);
std::string EscapeLiteral(std::string_view bytes);
std::string EscapeName(std::string_view bytes);
// CP932 to UTF-16, four uppercase hex digits per code unit.
std::string UnicodeHex(std::string_view bytes);
// True for a CP932 lead byte.
bool IsLeadByte(unsigned char byte);

}  // namespace korvent::pdf
