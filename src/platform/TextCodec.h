#pragma once

#include <string>
#include <string_view>

namespace korvent::platform {

// Text inside the program is UTF-8. CP932 (the Japanese Windows code page) is the encoding of
// the PDF layer's byte strings and of INI files written by the Windows version. Characters that
// have no counterpart become '?', as the Windows conversion functions do by default.
std::string Utf8ToCp932(std::string_view utf8);
std::string Cp932ToUtf8(std::string_view cp932);
// UTF-16 code units of CP932 text, in logical order (no byte-order mark).
std::u16string Cp932ToUtf16(std::string_view cp932);
bool IsValidUtf8(std::string_view text);

}  // namespace korvent::platform
