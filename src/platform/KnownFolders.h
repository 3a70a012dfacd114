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
    Config,        // $XDG_CONFIG_HOME
    Data,          // $XDG_DATA_HOME
    Temp,          // $TMPDIR or /tmp
    Root,          // "/": the whole file system
    Applications,  // $XDG_DATA_HOME/applications: menu entries
    Autostart,     // $XDG_CONFIG_HOME/autostart: programs started at log-in
    Fonts,         // $XDG_DATA_HOME/fonts: the user's own fonts
    Trash,         // $XDG_DATA_HOME/Trash/files: the freedesktop.org trash
};

std::filesystem::path SpecialFolderPath(SpecialFolder folder);

}  // namespace korvent::platform
