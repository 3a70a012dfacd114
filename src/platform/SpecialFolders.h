#pragma once

#include <filesystem>

namespace korvent::platform {

// Well-known folders of the user. On Linux they come from the XDG user directories
// (~/.config/user-dirs.dirs), falling back to the home folder as xdg-user-dir does.
enum class SpecialFolder {
    Home,
    Desktop,
    Documents,
    Downloads,
    Music,
    Pictures,
    Videos,
    Templates,
    PublicShare,
    Config,      // $XDG_CONFIG_HOME
    Data,        // $XDG_DATA_HOME
    Temp,        // $TMPDIR or /tmp
    Root,        // "/": the whole file system
};

std::filesystem::path SpecialFolderPath(SpecialFolder folder);

}  // namespace korvent::platform
