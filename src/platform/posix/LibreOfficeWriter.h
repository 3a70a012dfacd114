#pragma once

#include <memory>

#include "platform/DocumentWriter.h"
#include "platform/posix/LibreOfficeBatches.h"

namespace korvent::platform {

// "LibreOffice PDF": documents are exported by `soffice --convert-to pdf` into a private
// temporary folder, several to one soffice where the run said which documents come next
// (LibreOfficeBatches); a job is complete when its soffice has ended well and left a complete
// PDF for its document. The PDF is removed with the job (or its batch), so the caller moves it
// away first (MoveFile). Jobs share the program's profile.
class LibreOfficeWriter final : public DocumentWriter {
public:
    explicit LibreOfficeWriter(std::shared_ptr<LibreOfficeBatches> batches);

    // Refuses (null) a document that cannot be read, with its shell error code. A soffice that
    // is missing or cannot start gives a job that has failed already.
    std::unique_ptr<WriterJob> Start(const std::string& path, int& error) override;

private:
    std::shared_ptr<LibreOfficeBatches> fBatches;
};

}  // namespace korvent::platform
