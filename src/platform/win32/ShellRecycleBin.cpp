#include "platform/win32/ShellRecycleBin.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One file at a time, so that each one's fate is known.
bool RecycleOne(const std::wstring& path) {
    std::wstring list = path;
    list.push_back(L'\0');  // the list ends with an empty name
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    return SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted && !Exists(path);
}

}  // namespace

std::vector<std::string> ShellRecycleBin::Recycle(const std::vector<std::string>& paths) {
    std::vector<std::string> stayed;
    for (const std::string& path : paths) {
        if (!RecycleOne(ToUtf16(path))) {
            stayed.push_back(path);
        }
    }
    return stayed;
}

}  // namespace korvent::platform
