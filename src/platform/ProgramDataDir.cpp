#include "platform/Paths.h"

#include <system_error>

namespace korvent::platform {

std::filesystem::path ProgramDataDir() {
    const auto programDir = ProgramFilePath().parent_path();
    if (!programDir.empty() && IsWritableDirectory(programDir)) {
        return programDir;
    }
    const auto config = UserConfigDir();
    std::error_code ec;
    std::filesystem::create_directories(config, ec);
    return config;
}

}  // namespace korvent::platform
