#include "settings/ValueText.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "platform/Exception.h"
#include "platform/IniDocument.h"

namespace korvent::settings {
namespace {

struct NamedColor {
    std::int32_t value;
    const char* name;
};

// System colours carry the high byte 0xFF and the system colour index.
constexpr std::int32_t System(int index) {
    return static_cast<std::int32_t>(0xFF000000u | static_cast<unsigned>(index));
}

constexpr NamedColor kColors[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {System(0), "clScrollBar"},
    {System(1), "clBackground"},
    {System(2), "clActiveCaption"},
    {System(3), "clInactiveCaption"},
    {System(4), "clMenu"},
    {System(5), "clWindow"},
    {System(6), "clWindowFrame"},
    {System(7), "clMenuText"},
    {System(8), "clWindowText"},
    {System(9), "clCaptionText"},
    {System(10), "clActiveBorder"},
    {System(11), "clInactiveBorder"},
    {System(12), "clAppWorkSpace"},
    {System(13), "clHighlight"},
    {System(14), "clHighlightText"},
    {System(15), "clBtnFace"},
    {System(16), "clBtnShadow"},
    {System(17), "clGrayText"},
    {System(18), "clBtnText"},
    {System(19), "clInactiveCaptionText"},
    {System(20), "clBtnHighlight"},
    {System(21), "cl3DDkShadow"},
    {System(22), "cl3DLight"},
    {System(23), "clInfoText"},
    {System(24), "clInfoBk"},
    {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
};

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    // Hexadecimal texts cover the whole 32-bit pattern ("$FFFFFFFF" is -1).
    if (base == 16 && magnitude <= 0xFFFFFFFFu) {
        const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string FormatGeneralFloat(double value, char decimalSeparator) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    // to_chars writes "1e+20"; the stored form is "1E20" / "1E-5".
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string exponent = text.substr(e + 1);
        const bool negative = exponent.front() == '-';
        exponent.erase(0, exponent.find_first_not_of("+-0"));
        text = text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
    }
    for (char& c : text) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return text;
}

std::string ColorToText(std::int32_t color) {
    for (const auto& named : kColors) {
        if (named.value == color) {
            return named.name;
        }
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%.8X", static_cast<unsigned>(color));
    return buffer;
}

std::int32_t TextToColor(std::string_view text) {
    for (const auto& named : kColors) {
        if (platform::EqualsIgnoreCase(named.name, text)) {
            return named.value;
        }
    }
    if (const auto value = ParseInteger(text)) {
        return *value;
    }
    throw Exception("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace korvent::settings
