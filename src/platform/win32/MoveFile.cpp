#include "platform/MoveFile.h"

#include <windows.h>
// windows.h names its own function MoveFile as a macro; ours keeps its name.
#undef MoveFile

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
        return std::make_error_code(std::errc::file_exists);
    }
    return {static_cast<int>(code), std::system_category()};
}

DWORD Flags(MoveMode mode) {
    return MOVEFILE_WRITE_THROUGH | (mode == MoveMode::Replace ? MOVEFILE_REPLACE_EXISTING : 0);
}

// A copy of `from` under a temporary name in the target's folder, flushed to disk.
std::error_code CopyBeside(const fs::path& from, const fs::path& to, fs::path& copy) {
    const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folder.c_str(), L"kvm", 0, name) == 0) {
        return LastError();
    }
    copy = name;
    if (!CopyFileW(from.c_str(), name, FALSE)) {
        const std::error_code error = LastError();
        DeleteFileW(name);
        return error;
    }
    return {};
}

}  // namespace

std::error_code MoveFile(const fs::path& from, const fs::path& to, MoveMode mode) {
    // Within one volume a rename, which refuses an existing target in one step.
    if (MoveFileExW(from.c_str(), to.c_str(), Flags(mode))) {
        return {};
    }
    if (GetLastError() != ERROR_NOT_SAME_DEVICE) {
        return LastError();
    }
    fs::path copy;
    if (const std::error_code error = CopyBeside(from, to, copy)) {
        return error;
    }
    if (!MoveFileExW(copy.c_str(), to.c_str(), Flags(mode))) {
        const std::error_code error = LastError();
        DeleteFileW(copy.c_str());
        return error;
    }
    DeleteFileW(from.c_str());
    return {};
}

}  // namespace korvent::platform
