#pragma once

#include <filesystem>
#include <string>

namespace korvent::platform {

// The separator of native paths.
#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

// The running program's file (the counterpart of the module file name on Windows).
std::filesystem::path ProgramFilePath();
// The program's per-user configuration folder, $XDG_CONFIG_HOME/KorventPDF (default
// ~/.config/KorventPDF). Not created here.
std::filesystem::path UserConfigDir();
// The folder for files the program keeps beside itself (INI, merge list): the program's
// folder when it is writable, otherwise UserConfigDir() (created on demand).
std::filesystem::path ProgramDataDir();
bool IsWritableDirectory(const std::filesystem::path& dir);
// Whether two paths name the same file as this system sees it: the same file when both exist
// (whatever their spelling), otherwise the same text, compared as the file system compares
// names (exactly here, since names differing in case are different files).
bool SameFilePath(const std::string& a, const std::string& b);

}  // namespace korvent::platform
