#include "platform/Paths.h"

#include <windows.h>

#include "platform/KnownFolders.h"
#include "platform/TextCase.h"

namespace korvent::platform {

std::filesystem::path ProgramFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::filesystem::path UserConfigDir() {
    return SpecialFolderPath(SpecialFolder::Config) / "KorventPDF";
}

bool IsWritableDirectory(const std::filesystem::path& dir) {
    // Permissions on Windows are told only by trying: a file that vanishes when closed.
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(dir.c_str(), L"kvw", 0, name) == 0) {
        return false;
    }
    DeleteFileW(name);
    return true;
}

bool SameFilePath(const std::string& a, const std::string& b) {
    // Names on Windows ignore letter case.
    return SameTextIgnoringCase(a, b);
}

}  // namespace korvent::platform
