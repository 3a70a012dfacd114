#include "platform/posix/LibreOfficeProgram.h"

#include <cerrno>

#include "platform/posix/WriterFailure.h"

namespace korvent::platform {

namespace {

// A file URL for LibreOffice's -env: option; temporary folders hold only safe characters.
std::string FileUrl(const std::filesystem::path& folder) {
    return "file://" + folder.string();
}

}  // namespace

std::unique_ptr<SpawnedProgram> LibreOfficeProgram::Start(
    const std::vector<std::string>& arguments) {
    if (!fProfile) {
        fProfile = std::make_unique<TemporaryFolder>("korvent-soffice-profile");
    }
    std::vector<std::string> argv = {"soffice", "--headless", "--norestore", "--nolockcheck",
                                     "-env:UserInstallation=" + FileUrl(fProfile->Path())};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return std::make_unique<SpawnedProgram>(argv);
}

std::string LibreOfficeProgram::FailureText(const SpawnedProgram& program) {
    if (program.SpawnError() == ENOENT) {
        return writer_failure::kNoLibreOffice;
    }
    if (program.SpawnError() != 0) {
        return writer_failure::kLibreOfficeNotStarted;
    }
    if (program.ExitCode() != 0) {
        return writer_failure::kLibreOfficeFailed;
    }
    return {};
}

std::filesystem::path LibreOfficeProgram::StageDocument(const std::filesystem::path& document,
                                                        const std::filesystem::path& folder,
                                                        const std::string& stem) {
    const std::filesystem::path staged = folder / (stem + document.extension().string());
    std::filesystem::create_symlink(std::filesystem::absolute(document), staged);
    return staged;
}

}  // namespace korvent::platform
