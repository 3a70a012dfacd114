#include "platform/posix/CompletePdf.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>

namespace korvent::platform {

bool IsCompletePdf(const std::filesystem::path& file) {
    constexpr std::streamoff kTail = 1024;
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) {
        return false;
    }
    const std::streamoff size = in.tellg();
    std::string head(5, '\0');
    in.seekg(0);
    if (size < 16 || !in.read(head.data(), 5) || head != "%PDF-") {
        return false;
    }
    const std::streamoff tailSize = std::min(size, kTail);
    std::string tail(static_cast<std::size_t>(tailSize), '\0');
    in.seekg(size - tailSize);
    in.read(tail.data(), tailSize);
    return in && std::string_view(tail).find("%%EOF") != std::string_view::npos;
}

}  // namespace korvent::platform
