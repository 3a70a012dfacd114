#include "platform/posix/LibreOfficeWriter.h"

#include <system_error>

#include "platform/posix/CompletePdf.h"
#include "platform/posix/DocumentAccess.h"
#include "platform/posix/WriterFailure.h"

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

// One document's share of a batch: complete once the batch's soffice has ended well and left a
// complete PDF for this document.
class ExportJob final : public WriterJob {
public:
    ExportJob(LibreOfficeBatches& batches, const fs::path& document) {
        try {
            fBatch = batches.Take(document, fPlace);
        } catch (const std::system_error&) {
            Fail(writer_failure::kNoTemporaryFolder);
        }
    }

    WriterJobState Poll() override {
        if (fState == WriterJobState::Running && !fBatch->Soffice().Running()) {
            Finish();
        }
        return fState;
    }
    std::string OutputFile() const override { return fOutput.string(); }
    std::string FailureText() const override { return fFailure; }
    Process* RequestProcess() override { return fBatch ? &fBatch->Soffice() : nullptr; }

private:
    void Fail(std::string reason) {
        fFailure = std::move(reason);
        fState = WriterJobState::Failed;
    }

    void Finish() {
        if (std::string failure = LibreOfficeProgram::FailureText(fBatch->Soffice());
            !failure.empty()) {
            Fail(std::move(failure));
            return;
        }
        // soffice ends with 0 also when it could not read a document; only the file tells.
        const fs::path pdf = fBatch->PdfAt(fPlace);
        std::error_code ec;
        if (!fs::exists(pdf, ec)) {
            Fail(writer_failure::kNoPdf);
        } else if (!IsCompletePdf(pdf)) {
            Fail(writer_failure::kIncompletePdf);
        } else {
            fOutput = pdf;
            fState = WriterJobState::Completed;
        }
    }

    std::shared_ptr<LibreOfficeBatch> fBatch;
    std::size_t fPlace = 0;
    WriterJobState fState = WriterJobState::Running;
    fs::path fOutput;
    std::string fFailure;
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
