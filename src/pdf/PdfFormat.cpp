#include "pdf/PdfFormat.h"

#include "pdf/PdfInvalidValue.h"
#include "platform/LocalTime.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace korvent::pdf {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        out.push_back(kHexDigits[(value >> (4 * i)) & 0xF]);
    }
}

}  // namespace

std::string PdfDateText(TDateTime) {
    const std::tm local = platform::LocalTime(std::time(nullptr));
    char text[32];
    std::strftime(text, sizeof text, "D:%Y%m%d%H%M%S", &local);
    return text;
}

std::string FormatReal(double value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    std::string out(text, result.ptr);
    if (out == "-0") {
        out = "0";
    }
    return out;
}

std::string FormatOperand(double value) {
    const double scaled = value * 100 + 0.5;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 1e17) {
        throw EPdfInvalidValue("FormatOperand --invalid value");
    }
    const auto truncated = static_cast<std::int64_t>(scaled);
    return FormatReal(static_cast<double>(truncated) / 100);
}

std::string HexOfBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        AppendHex(out, c, 2);
    }
    return out;
}

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool HasNonAsciiByte(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
}

std::string EscapeLiteral(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        switch (c) {
            case '(':
            case ')':
            case '\\':
                out.push_back('\\');
                out.push_back(c);
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string EscapeName(std::string_view bytes) {
    static constexpr std::string_view kDelimiters = "#%()/<>[]{}";
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c >= 0x21 && c <= 0x7E && kDelimiters.find(static_cast<char>(c)) == kDelimiters.npos) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('#');
            AppendHex(out, c, 2);
        }
    }
    return out;
}

std::string UnicodeHex(std::string_view bytes) {
    const std::u16string units = platform::Cp932ToUtf16(bytes);
    std::string out;
    out.reserve(units.size() * 4);
    for (char16_t unit : units) {
        AppendHex(out, unit, 4);
    }
    return out;
}

}  // namespace korvent::pdf
