#include "platform/AtomicFile.h"

#include <system_error>

namespace korvent::platform {

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    try {
        AtomicFile file(target);
        file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.Commit();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace korvent::platform
