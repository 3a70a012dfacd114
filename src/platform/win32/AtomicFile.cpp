#include "platform/AtomicFile.h"

#include <windows.h>

#include <string>
#include <system_error>

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

[[noreturn]] void ThrowLastError(const std::string& what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

void FlushToDisk(const std::filesystem::path& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ThrowLastError("cannot open " + path.string());
    }
    const BOOL flushed = FlushFileBuffers(h);
    CloseHandle(h);
    if (!flushed) {
        ThrowLastError("cannot flush " + path.string());
    }
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : fTarget(std::move(target)) {
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(FolderOf(fTarget).c_str(), L"kvt", 0, name) == 0) {
        ThrowLastError("cannot create a temporary file beside " + fTarget.string());
    }
    fTemporary = name;
    fStream.open(fTemporary, std::ios::binary | std::ios::trunc);
    if (!fStream) {
        DeleteFileW(fTemporary.c_str());
        throw std::system_error(std::make_error_code(std::errc::io_error),
                                "cannot open " + fTemporary.string());
    }
}

AtomicFile::~AtomicFile() {
    if (!fCommitted) {
        fStream.close();
        DeleteFileW(fTemporary.c_str());
    }
}

void AtomicFile::Commit() {
    fStream.flush();
    fStream.close();
    if (fStream.fail()) {
        throw std::system_error(std::make_error_code(std::errc::io_error),
                                "cannot write " + fTemporary.string());
    }
    FlushToDisk(fTemporary);
    if (!MoveFileExW(fTemporary.c_str(), fTarget.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError("cannot rename " + fTemporary.string() + " to " + fTarget.string());
    }
    fCommitted = true;
}

}  // namespace korvent::platform
