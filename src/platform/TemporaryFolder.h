#pragma once

#include <filesystem>
#include <string>

namespace korvent::platform {

// A folder of its own under the system's temporary folder, removed with everything in it when
// the object goes.
class TemporaryFolder {
public:
    // Throws std::system_error when the folder cannot be made.
    explicit TemporaryFolder(const std::string& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fPath;
};

}  // namespace korvent::platform
