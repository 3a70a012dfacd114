#include "platform/TextCase.h"

namespace korvent::platform {

namespace {

// Decodes one UTF-8 sequence at `i`; an invalid byte is taken as itself (length 1).
char32_t Decode(std::string_view s, std::size_t i, std::size_t& length) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    auto cont = [&](std::size_t k) { return k < s.size() && (b(k) & 0xC0) == 0x80; };
    if (c >= 0xC2 && c < 0xE0 && cont(i + 1)) {
        length = 2;
        return ((c & 0x1F) << 6) | (b(i + 1) & 0x3F);
    }
    if (c >= 0xE0 && c < 0xF0 && cont(i + 1) && cont(i + 2)) {
        length = 3;
        return ((c & 0x0F) << 12) | ((b(i + 1) & 0x3F) << 6) | (b(i + 2) & 0x3F);
    }
    length = 1;
    return c;
}

void Encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t Upper(char32_t cp) {
    if ((cp >= U'a' && cp <= U'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) ||
        (cp >= 0xFF41 && cp <= 0xFF5A)) {
        return cp - 0x20;
    }
    return cp;
}

}  // namespace

std::string UpperCaseText(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = 1;
        char32_t cp = Decode(name, i, length);
        if (length == 1 && cp >= 0x80) {
            out += name[i];  // not UTF-8: kept byte for byte
        } else {
            Encode(Upper(cp), out);
        }
        i += length;
    }
    return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return UpperCaseText(a) == UpperCaseText(b);
}

}  // namespace korvent::platform
