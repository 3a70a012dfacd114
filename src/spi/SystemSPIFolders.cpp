#include "spi/SystemSPIFolders.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "platform/IniProfileStore.h"
#include "platform/Paths.h"
#include "platform/ProfileRegistry.h"
#ifdef _WIN32
#include "platform/win32/UserRegistry.h"
#endif

namespace korvent::spi {

TSystemSPIFolders::TSystemSPIFolders(platform::Registry* registry) : FRegistry(registry) {
    if (!FRegistry) {
#ifdef _WIN32
        FOwnRegistry = std::make_unique<platform::UserRegistry>();
#else
        FOwnStore = std::make_unique<platform::IniProfileStore>();
        FOwnRegistry = std::make_unique<platform::ProfileRegistry>(
            *FOwnStore, (platform::UserConfigDir() / "registry.ini").string());
#endif
        FRegistry = FOwnRegistry.get();
    }
}

TSystemSPIFolders::~TSystemSPIFolders() = default;

std::optional<std::string> TSystemSPIFolders::SusieDir() {
    try {
        return FRegistry->ReadString(kSusieKey, kPathValue);
    } catch (const std::exception&) {
        // An unreadable registry only drops this folder from the search.
        return std::nullopt;
    }
}

std::optional<std::string> TSystemSPIFolders::AppDir() {
    const auto program = platform::ProgramFilePath();
    if (program.empty()) {
        return std::nullopt;
    }
    return program.parent_path().string();
}

std::optional<std::string> TSystemSPIFolders::CurrentDir() {
    std::error_code ec;
    const auto current = std::filesystem::current_path(ec);
    if (ec) {
        return std::nullopt;
    }
    return current.string();
}

std::optional<std::string> TSystemSPIFolders::SystemDir() {
    return std::string(KORVENT_PLUGIN_INSTALL_DIR);
}

std::optional<std::string> TSystemSPIFolders::WindowsDir() {
    return std::nullopt;
}

}  // namespace korvent::spi
