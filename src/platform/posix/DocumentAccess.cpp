#include "platform/posix/DocumentAccess.h"

#include <unistd.h>

#include <system_error>

#include "platform/ShellActions.h"

namespace korvent::platform {

int DocumentAccessError(const std::filesystem::path& document) {
    std::error_code ec;
    if (!std::filesystem::is_directory(
            document.parent_path().empty() ? "." : document.parent_path(), ec)) {
        return shell_error::PathNotFound;
    }
    if (!std::filesystem::is_regular_file(document, ec)) {
        return shell_error::FileNotFound;
    }
    if (access(document.c_str(), R_OK) != 0) {
        return shell_error::AccessDenied;
    }
    return 0;
}

}  // namespace korvent::platform
