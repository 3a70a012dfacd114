#include "platform/MoveFile.h"

#include <fstream>
#include <system_error>

#include "platform/AtomicFile.h"

namespace korvent::platform {

bool MoveFile(const std::filesystem::path& from, const std::filesystem::path& to, bool replace) {
    std::error_code ec;
    if (!replace && std::filesystem::exists(to, ec)) {
        return false;
    }
    std::filesystem::rename(from, to, ec);
    if (!ec) {
        return true;
    }
    if (ec != std::errc::cross_device_link) {
        return false;
    }
    try {
        AtomicFile file(to);
        std::ifstream in(from, std::ios::binary);
        file.Stream() << in.rdbuf();
        if (!in) {
            return false;
        }
        file.Commit();
    } catch (const std::exception&) {
        return false;
    }
    std::filesystem::remove(from, ec);
    return true;
}

}  // namespace korvent::platform
