#include "platform/win32/Utf16.h"

#include <windows.h>

namespace korvent::platform {
std::wstring DecodeText(unsigned codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), n);
    return wide;
}

std::string EncodeText(unsigned codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), n, nullptr, nullptr);
    return narrow;
}

std::wstring ToUtf16(std::string_view utf8) {
    return DecodeText(CP_UTF8, utf8);
}

std::string FromUtf16(std::wstring_view utf16) {
    return EncodeText(CP_UTF8, utf16);
}

std::string ToAnsi(std::string_view utf8) {
    return GetACP() == CP_UTF8 ? std::string(utf8) : EncodeText(CP_ACP, ToUtf16(utf8));
}

std::string FromAnsi(std::string_view ansi) {
    return GetACP() == CP_UTF8 ? std::string(ansi) : FromUtf16(DecodeText(CP_ACP, ansi));
}

std::string SystemErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(code) : FromUtf16(message);
}

}  // namespace korvent::platform
