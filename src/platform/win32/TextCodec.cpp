#include "platform/TextCodec.h"

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

constexpr unsigned kCp932 = 932;
constexpr unsigned kUtf8 = 65001;

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    return EncodeText(kCp932, DecodeText(kUtf8, utf8));
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return EncodeText(kUtf8, DecodeText(kCp932, cp932));
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
    const std::wstring units = DecodeText(kCp932, cp932);
    return std::u16string(units.begin(), units.end());
}

}  // namespace korvent::platform
