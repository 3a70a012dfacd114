#include "platform/posix/LibreOfficeWriter.h"

#include <system_error>

#include "platform/posix/DocumentAccess.h"
#include "platform/posix/FollowedJob.h"
#include "platform/posix/WriterFailure.h"

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

// One document's share of a batch: complete once the batch's soffice has ended well and left a
// complete PDF for this document.
class ExportJob final : public FollowedJob {
public:
    ExportJob(LibreOfficeBatches& batches, const fs::path& document) {
        try {
            fBatch = batches.Take(document, fPlace);
        } catch (const std::system_error&) {
            Fail(writer_failure::kNoTemporaryFolder);
        }
    }

    WriterJobState Poll() override {
        if (Running() && !fBatch->Soffice().Running()) {
            Finish();
        }
        return State();
    }
    Process* RequestProcess() override { return fBatch ? &fBatch->Soffice() : nullptr; }

private:
    void Finish() {
        if (std::string failure = LibreOfficeProgram::FailureText(fBatch->Soffice());
            !failure.empty()) {
            Fail(std::move(failure));
            return;
        }
        // soffice ends with 0 also when it could not read a document; only the file tells.
        TakePdf(fBatch->PdfAt(fPlace));
    }

    std::shared_ptr<LibreOfficeBatch> fBatch;
    std::size_t fPlace = 0;
};

}  // namespace

LibreOfficeWriter::LibreOfficeWriter(std::shared_ptr<LibreOfficeBatches> batches)
    : fBatches(std::move(batches)) {}

std::unique_ptr<WriterJob> LibreOfficeWriter::Start(const std::string& path, int& error) {
    error = DocumentAccessError(path);
    if (error != 0) {
        return nullptr;
    }
    return std::make_unique<ExportJob>(*fBatches, path);
}

}  // namespace korvent::platform
