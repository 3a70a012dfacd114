#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/TemporaryFolder.h"
#include "platform/posix/SpawnedProgram.h"

namespace korvent::platform {

// LibreOffice started headless with a user profile of its own, made in a temporary folder at
// the first start and reused by every later start of this object, so the user's own profile is
// never touched and the profile is built once per run. Two programs on one profile would hand
// their work to each other: start one at a time.
class LibreOfficeProgram {
public:
    // Starts soffice with `arguments` after the headless and profile options. Throws
    // std::system_error when the profile folder cannot be made.
    std::unique_ptr<SpawnedProgram> Start(const std::vector<std::string>& arguments);

    // Why a program that has ended did not do its work; empty when it ended with exit code 0.
    static std::string FailureText(const SpawnedProgram& program);

    // Makes `document` reachable as `folder`/`stem`.<its extension>, so soffice never sees a
    // name that starts with "-" or is not valid in the user's locale; returns that path.
    static std::filesystem::path StageDocument(const std::filesystem::path& document,
                                               const std::filesystem::path& folder,
                                               const std::string& stem = "document");

private:
    std::unique_ptr<TemporaryFolder> fProfile;
};

}  // namespace korvent::platform
