#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/posix/LibreOfficeBatch.h"
#include "platform/posix/LibreOfficeProgram.h"

namespace korvent::platform {

// The exports of a run: LibreOffice's start costs far more than exporting a small document, so
// the first document asked for goes to one soffice together with the documents the run will
// hand over after it, and their jobs are served from that batch.
class LibreOfficeBatches {
public:
    // Bounded so that the first job of a batch stays well within the run's time for a job.
    static constexpr std::size_t kMaxDocuments = 16;

    explicit LibreOfficeBatches(std::shared_ptr<LibreOfficeProgram> program)
        : fProgram(std::move(program)) {}

    // The documents the run will hand over next, the next one first; replaces the last list.
    void Expect(std::vector<std::filesystem::path> documents) { fUpcoming = std::move(documents); }

    // The batch that exports `document` and its place in it: the current batch where it holds
    // the document unserved, otherwise a new one. Throws std::system_error (temporary folder).
    std::shared_ptr<LibreOfficeBatch> Take(const std::filesystem::path& document,
                                           std::size_t& place);

private:
    // `document` and, where it is expected, the documents expected after it.
    std::vector<std::filesystem::path> BatchFrom(const std::filesystem::path& document) const;

    std::shared_ptr<LibreOfficeProgram> fProgram;
    std::vector<std::filesystem::path> fUpcoming;
    // Kept for the jobs still to come; a batch of one belongs to its job alone, so that
    // dropping the job stops its soffice.
    std::shared_ptr<LibreOfficeBatch> fCurrent;
};

}  // namespace korvent::platform
