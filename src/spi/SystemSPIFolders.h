#pragma once

#include <memory>

#include "spi/SPIFolders.h"

namespace korvent::platform {
class ProfileStore;
class Registry;
}  // namespace korvent::platform

namespace korvent::spi {

// The search folders on this system:
//   spsSusieDir    the string value "Path" of the key "Software\Quorvel\Susie\Plug-in" in the
//                  user's registry (on Linux the registry file registry.ini in the user's
//                  configuration folder); skipped when absent, empty or unreadable
//   spsAppDir      the folder of the running program
//   spsCurrentDir  the current folder at the time of the search
//   spsSystemDir   the folder the shipped plug-ins are installed to (<prefix>/lib/KorventPDF/
//                  plugins); the Windows system folder has no counterpart here
//   spsWindowsDir  nothing
class TSystemSPIFolders final : public TSPIFolders {
public:
    static constexpr const char* kSusieKey = "Software\\Quorvel\\Susie\\Plug-in";
    static constexpr const char* kPathValue = "Path";

    // Reads the registry through `registry`; without one, through the user's registry file.
    explicit TSystemSPIFolders(platform::Registry* registry = nullptr);
    ~TSystemSPIFolders() override;

    std::optional<std::string> SusieDir() override;
    std::optional<std::string> AppDir() override;
    std::optional<std::string> CurrentDir() override;
    std::optional<std::string> SystemDir() override;
    std::optional<std::string> WindowsDir() override;

private:
    std::unique_ptr<platform::ProfileStore> FOwnStore;
    std::unique_ptr<platform::Registry> FOwnRegistry;
    platform::Registry* FRegistry;
};

}  // namespace korvent::spi
