#include "platform/posix/CupsPdfConfig.h"

#include <pwd.h>
#include <strings.h>

#include <fstream>
#include <sstream>

namespace korvent::platform {

namespace {

constexpr std::string_view kScheme = "cups-pdf:/";

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

CupsPdfConfig::CupsPdfConfig(const std::filesystem::path& folder, const std::string& deviceUri) {
    std::ifstream in(FileFor(folder, deviceUri));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (strcasecmp(key.c_str(), "Out") == 0) {
            std::getline(words >> std::ws, fOut);
        }
    }
}

std::filesystem::path CupsPdfConfig::FileFor(const std::filesystem::path& folder,
                                             const std::string& deviceUri) {
    if (deviceUri.starts_with(kScheme) && deviceUri.size() > kScheme.size()) {
        return folder / ("cups-pdf-" + deviceUri.substr(kScheme.size()) + ".conf");
    }
    return folder / "cups-pdf.conf";
}

std::filesystem::path CupsPdfConfig::OutputFolder(const std::string& owner) const {
    const passwd* account = getpwnam(owner.c_str());
    if (account == nullptr) {
        return {};
    }
    std::string folder = fOut;
    ReplaceAll(folder, "${HOME}", account->pw_dir);
    ReplaceAll(folder, "${USER}", owner);
    return folder;
}

}  // namespace korvent::platform
