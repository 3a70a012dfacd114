#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvent::cli {

// What the command line asks for. Unset values leave the setting of the INI file as it is.
struct CliOptions {
    bool merge = false;
    bool json = false;
    bool dryRun = false;
    bool help = false;
    bool version = false;
    bool landscape = false;
    std::optional<std::string> ini;
    std::optional<std::string> out;
    std::optional<std::string> writer;
    // Position in the window's paper list (A3, A4, B4, B5); -1: the paper follows the picture.
    std::optional<int> paper;
    std::optional<int> quality;
    std::optional<int> margins;
    std::optional<bool> keep;
    std::vector<std::string> files;

    // Throws UsageError with a one-line message.
    static CliOptions Parse(const std::vector<std::string>& arguments);
};

}  // namespace korvent::cli
