#include "platform/TextCodec.h"

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

constexpr unsigned kCp932 = 932;
constexpr unsigned kUtf8 = 65001;

// No character outside the basic plane is in CP932; each becomes one '?', not one per
// surrogate as WideCharToMultiByte would make it.
std::wstring OneUnitPerCharacter(std::wstring units) {
    std::wstring out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        out.push_back(pair ? L'\xFFFD' : units[i]);
        i += pair ? 1 : 0;
    }
    return out;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    return EncodeText(kCp932, OneUnitPerCharacter(DecodeText(kUtf8, utf8)));
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return EncodeText(kUtf8, DecodeText(kCp932, cp932));
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
    const std::wstring units = DecodeText(kCp932, cp932);
    return std::u16string(units.begin(), units.end());
}

}  // namespace korvent::platform
