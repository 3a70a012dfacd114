#include "platform/KnownFolders.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace korvent::platform {
namespace {

std::filesystem::path EnvPath(const char* name, const std::filesystem::path& fallback) {
    const char* value = std::getenv(name);
    return (value && *value == '/') ? std::filesystem::path(value) : fallback;
}

std::filesystem::path Home() {
    return EnvPath("HOME", "/");
}
std::filesystem::path Config() {
    return EnvPath("XDG_CONFIG_HOME", Home() / ".config");
}
std::filesystem::path Data() {
    return EnvPath("XDG_DATA_HOME", Home() / ".local/share");
}

// One entry of user-dirs.dirs, e.g. XDG_DESKTOP_DIR="$HOME/Desktop".
std::optional<std::filesystem::path> UserDir(const std::string& key) {
    std::ifstream in(EnvPath("XDG_CONFIG_HOME", Home() / ".config") / "user-dirs.dirs");
    std::string line;
    const std::string prefix = key + "=\"";
    while (std::getline(in, line)) {
        if (!line.starts_with(prefix) || line.size() < prefix.size() + 1 || line.back() != '"') {
            continue;
        }
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.starts_with("$HOME")) {
            return Home().string() + value.substr(5);
        }
        if (value.starts_with("/")) {
            return std::filesystem::path(value);
        }
    }
    return std::nullopt;
}

std::filesystem::path UserDirOr(const std::string& key, const char* defaultName) {
    if (const auto dir = UserDir(key)) {
        return *dir;
    }
    return Home() / defaultName;
}

}  // namespace

std::filesystem::path SpecialFolderPath(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::Home:
            return Home();
        case SpecialFolder::Desktop:
            return UserDirOr("XDG_DESKTOP_DIR", "Desktop");
        case SpecialFolder::Documents:
            return UserDirOr("XDG_DOCUMENTS_DIR", "Documents");
        case SpecialFolder::Downloads:
            return UserDirOr("XDG_DOWNLOAD_DIR", "Downloads");
        case SpecialFolder::Music:
            return UserDirOr("XDG_MUSIC_DIR", "Music");
        case SpecialFolder::Pictures:
            return UserDirOr("XDG_PICTURES_DIR", "Pictures");
        case SpecialFolder::Videos:
            return UserDirOr("XDG_VIDEOS_DIR", "Videos");
        case SpecialFolder::Templates:
            return UserDirOr("XDG_TEMPLATES_DIR", "Templates");
        case SpecialFolder::PublicShare:
            return UserDirOr("XDG_PUBLICSHARE_DIR", "Public");
        case SpecialFolder::Config:
            return EnvPath("XDG_CONFIG_HOME", Home() / ".config");
        case SpecialFolder::Data:
            return EnvPath("XDG_DATA_HOME", Home() / ".local/share");
        case SpecialFolder::Temp:
            return EnvPath("TMPDIR", "/tmp");
        case SpecialFolder::Root:
            return "/";
        case SpecialFolder::Applications:
            return Data() / "applications";
        case SpecialFolder::Autostart:
            return Config() / "autostart";
        case SpecialFolder::Fonts:
            return Data() / "fonts";
        case SpecialFolder::Trash:
            return Data() / "Trash" / "files";
    }
    return Home();
}

}  // namespace korvent::platform
