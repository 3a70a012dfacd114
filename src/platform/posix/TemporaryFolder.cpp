#include "platform/TemporaryFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <system_error>

namespace korvent::platform {

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    fPath = pattern;
}

}  // namespace korvent::platform
