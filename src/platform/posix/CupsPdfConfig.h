#pragma once

#include <filesystem>
#include <string>

namespace korvent::platform {

// Where a cups-pdf device leaves its PDFs, read as the backend reads it: from the one file it
// uses in its configuration folder (cups-pdf-<name>.conf for the device "cups-pdf:/<name>",
// cups-pdf.conf for "cups-pdf:/"), key `Out`, in which ${HOME} stands for the job owner's home
// folder and ${USER} for the owner's name.
class CupsPdfConfig {
public:
    // cups-pdf looks in this folder whatever the scheduler's own ServerRoot is.
    static constexpr const char* kSystemFolder = "/etc/cups";

    CupsPdfConfig(const std::filesystem::path& folder, const std::string& deviceUri);

    // The file the backend reads for `deviceUri`.
    static std::filesystem::path FileFor(const std::filesystem::path& folder,
                                         const std::string& deviceUri);
    // The output folder for jobs of `owner`; empty when the owner has no account here.
    std::filesystem::path OutputFolder(const std::string& owner) const;

private:
    std::string fOut = "/var/spool/cups-pdf/${USER}";
};

}  // namespace korvent::platform
