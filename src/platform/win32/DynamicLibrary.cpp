#include "platform/DynamicLibrary.h"

#include <windows.h>

#include <filesystem>

#include "platform/win32/Utf16.h"

namespace korvent::platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& path, std::string* error) {
    if (path.empty()) {
        if (error) {
            *error = "no library named";
        }
        return nullptr;
    }
    // A full path makes the library's own folder the first place its dependencies are looked
    // for; a bare name is taken from the current folder as the caller found it there.
    const std::filesystem::path file = std::filesystem::absolute(ToUtf16(path));
    HMODULE handle = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!handle) {
        if (error) {
            *error = SystemErrorText(GetLastError());
        }
        return nullptr;
    }
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() {
    FreeLibrary(static_cast<HMODULE>(fHandle));
}

void* DynamicLibrary::Symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(fHandle), name));
}

std::string DynamicLibrary::ModulePath() const {
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(static_cast<HMODULE>(fHandle), buffer, 32768);
    return n == 0 ? std::string() : FromUtf16(std::wstring_view(buffer, n));
}

}  // namespace korvent::platform
