#include "platform/KnownFolders.h"

#include <windows.h>

#include <shlobj.h>

namespace korvent::platform {
namespace {

std::filesystem::path KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* path = nullptr;
    std::filesystem::path result;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK) {
        result = path;
    }
    CoTaskMemFree(path);
    return result;
}

std::filesystem::path TempFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return n == 0 ? std::filesystem::path() : std::filesystem::path(std::wstring(buffer, n));
}

// The root of the drive Windows runs from, the nearest thing to the whole file system.
std::filesystem::path SystemRoot() {
    return KnownFolder(FOLDERID_Windows).root_path();
}

}  // namespace

std::filesystem::path SpecialFolderPath(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::Home:
            return KnownFolder(FOLDERID_Profile);
        case SpecialFolder::Desktop:
            return KnownFolder(FOLDERID_Desktop);
        case SpecialFolder::Documents:
            return KnownFolder(FOLDERID_Documents);
        case SpecialFolder::Downloads:
            return KnownFolder(FOLDERID_Downloads);
        case SpecialFolder::Music:
            return KnownFolder(FOLDERID_Music);
        case SpecialFolder::Pictures:
            return KnownFolder(FOLDERID_Pictures);
        case SpecialFolder::Videos:
            return KnownFolder(FOLDERID_Videos);
        case SpecialFolder::Templates:
            return KnownFolder(FOLDERID_Templates);
        case SpecialFolder::PublicShare:
            return KnownFolder(FOLDERID_Public);
        case SpecialFolder::Config:
            return KnownFolder(FOLDERID_RoamingAppData);
        case SpecialFolder::Data:
            return KnownFolder(FOLDERID_LocalAppData);
        case SpecialFolder::Temp:
            return TempFolder();
        case SpecialFolder::Root:
            return SystemRoot();
        case SpecialFolder::Applications:
            return KnownFolder(FOLDERID_Programs);
        case SpecialFolder::Autostart:
            return KnownFolder(FOLDERID_Startup);
        case SpecialFolder::Fonts:
            return KnownFolder(FOLDERID_Fonts);
        case SpecialFolder::Trash:
            // The recycle bin is a shell folder without a path of its own.
            return {};
    }
    return {};
}

}  // namespace korvent::platform
