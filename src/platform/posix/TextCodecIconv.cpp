#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace korvent::platform {
namespace {

// Bytes of the character that starts `in`, so an unconvertible character is replaced once.
using CharacterLength = size_t (*)(const unsigned char* in, size_t left);

size_t Utf8CharacterLength(const unsigned char* in, size_t left) {
    size_t n = 1;
    while (n < left && n < 4 && (in[n] & 0xC0) == 0x80) {
        ++n;
    }
    return n;
}

size_t Cp932CharacterLength(const unsigned char* in, size_t left) {
    const bool lead = (in[0] >= 0x81 && in[0] <= 0x9F) || (in[0] >= 0xE0 && in[0] <= 0xFC);
    return (lead && left >= 2) ? 2 : 1;
}

// One conversion through iconv; an unconvertible or broken character becomes `replacement`,
// so no input ever stops a conversion.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, CharacterLength characterLength) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    std::string out;
    out.reserve(in.size() * 2 + 8);
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.append(replacement);
            const size_t skip =
                characterLength(reinterpret_cast<const unsigned char*>(src), srcLeft);
            src += skip;
            srcLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, dst);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, "?", Utf8CharacterLength);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", Cp932CharacterLength);
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
    const std::string bytes =
        Convert("UTF-16BE", "CP932", cp932, std::string("\xFF\xFD", 2), Cp932CharacterLength);
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                              static_cast<unsigned char>(bytes[i + 1])));
    }
    return units;
}

}  // namespace korvent::platform
