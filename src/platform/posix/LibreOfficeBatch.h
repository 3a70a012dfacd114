#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/posix/LibreOfficeProgram.h"

namespace korvent::platform {

// One soffice exporting a list of documents to PDF into a temporary folder of its own, and
// which of its PDFs have been handed to a job: each PDF serves one job, so a document converted
// again later is exported again. Dropping the batch stops soffice and removes the folder.
class LibreOfficeBatch {
public:
    // Throws std::system_error when the folder cannot be made.
    LibreOfficeBatch(LibreOfficeProgram& program,
                     const std::vector<std::filesystem::path>& documents);

    // The place of `document` in the batch if it is there and not handed out yet; it is handed
    // out by this call.
    std::optional<std::size_t> Take(const std::filesystem::path& document);
    SpawnedProgram& Soffice() { return *fSoffice; }
    // Where the PDF of the document at `place` appears once soffice has ended.
    std::filesystem::path PdfAt(std::size_t place) const;

private:
    struct Entry {
        std::filesystem::path document;
        bool taken = false;
    };

    // Declared in this order so that soffice is stopped before its folder is removed.
    TemporaryFolder fFolder{"korvent-soffice-job"};
    std::vector<Entry> fEntries;
    std::unique_ptr<SpawnedProgram> fSoffice;
};

}  // namespace korvent::platform
