#pragma once

#include <optional>
#include <string>

namespace korvent::spi {

// The folders behind the search options of TSPIs. Each answer is a folder, or nothing when the
// option names no folder on this system (the search then skips it).
class TSPIFolders {
public:
    virtual ~TSPIFolders() = default;

    virtual std::optional<std::string> SusieDir() = 0;
    virtual std::optional<std::string> AppDir() = 0;
    virtual std::optional<std::string> CurrentDir() = 0;
    virtual std::optional<std::string> SystemDir() = 0;
    virtual std::optional<std::string> WindowsDir() = 0;
};

}  // namespace korvent::spi
