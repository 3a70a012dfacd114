#include "platform/TemporaryFolder.h"

#include <windows.h>

#include <system_error>

namespace korvent::platform {

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // A fresh name per try; CreateDirectoryW refuses a name that another process took.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            base / (prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(GetTickCount64() + attempt));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            fPath = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "cannot make a folder in " + base.string());
}

}  // namespace korvent::platform
