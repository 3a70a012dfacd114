#pragma once

#include <string>
#include <string_view>

namespace korvent::platform {

// Conversions between the program's UTF-8 and the UTF-16 of the Windows "W" functions, and
// the process's code page of the "A" functions. Broken input becomes U+FFFD, never an error.
std::wstring DecodeText(unsigned codePage, std::string_view bytes);
// Characters the code page lacks become its default character ('?').
std::string EncodeText(unsigned codePage, std::wstring_view units);
std::wstring ToUtf16(std::string_view utf8);
std::string FromUtf16(std::wstring_view utf16);
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

// The system's text for an error code of GetLastError(), without its line end.
std::string SystemErrorText(unsigned long code);

}  // namespace korvent::platform
