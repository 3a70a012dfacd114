#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TemporaryFolder.h"

namespace korvent::platform {

// A fresh folder of its own for a test, removed with its contents, with short ways to name and
// write files in it.
class ScratchFolder {
public:
    const std::filesystem::path& Path() const { return fFolder.Path(); }
    std::string operator/(const std::string& name) const { return (Path() / name).string(); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = *this / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    TemporaryFolder fFolder{"korvent"};
};

}  // namespace korvent::platform
