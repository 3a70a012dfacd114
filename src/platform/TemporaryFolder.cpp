#include "platform/TemporaryFolder.h"

#include <system_error>

namespace korvent::platform {

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(fPath, ignored);
}

}  // namespace korvent::platform
