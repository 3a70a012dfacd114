#include "platform/posix/LibreOfficeWriter.h"

#include <system_error>

#include "platform/posix/CompletePdf.h"
#include "platform/posix/DocumentAccess.h"
#include "platform/posix/WriterFailure.h"

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

// The only PDF in a folder that soffice wrote into, whatever name it chose; empty if none.
fs::path OnlyPdfIn(const fs::path& folder) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".pdf") {
            return entry.path();
        }
    }
    return {};
}

class ExportJob final : public WriterJob {
public:
    ExportJob(std::shared_ptr<LibreOfficeProgram> program, const fs::path& document)
        : fProgram(std::move(program)) {
        try {
            fFolder = std::make_unique<TemporaryFolder>("korvent-soffice-job");
            fs::create_directory(OutputFolder());
            const fs::path staged = LibreOfficeProgram::StageDocument(document, fFolder->Path());
            fSoffice = fProgram->Start(
                {"--convert-to", "pdf", "--outdir", OutputFolder().string(), staged.string()});
        } catch (const std::system_error&) {
            Fail(writer_failure::kNoTemporaryFolder);
        }
    }

    WriterJobState Poll() override {
        if (fState == WriterJobState::Running && !fSoffice->Running()) {
            Finish();
        }
        return fState;
    }
    std::string OutputFile() const override { return fOutput.string(); }
    std::string FailureText() const override { return fFailure; }
    Process* RequestProcess() override { return fSoffice.get(); }

private:
    fs::path OutputFolder() const { return fFolder->Path() / "out"; }

    void Fail(std::string reason) {
        fFailure = std::move(reason);
        fState = WriterJobState::Failed;
    }

    void Finish() {
        if (std::string failure = LibreOfficeProgram::FailureText(*fSoffice); !failure.empty()) {
            Fail(std::move(failure));
            return;
        }
        // soffice ends with 0 also when it could not read the document; only the file tells.
        const fs::path pdf = OnlyPdfIn(OutputFolder());
        if (pdf.empty()) {
            Fail(writer_failure::kNoPdf);
        } else if (!IsCompletePdf(pdf)) {
            Fail(writer_failure::kIncompletePdf);
        } else {
            fOutput = pdf;
            fState = WriterJobState::Completed;
        }
    }

    // Declared in this order so that soffice is stopped before its folders are removed.
    std::shared_ptr<LibreOfficeProgram> fProgram;
    std::unique_ptr<TemporaryFolder> fFolder;
    std::unique_ptr<SpawnedProgram> fSoffice;
    WriterJobState fState = WriterJobState::Running;
    fs::path fOutput;
    std::string fFailure;
};

}  // namespace

LibreOfficeWriter::LibreOfficeWriter(std::shared_ptr<LibreOfficeProgram> program)
    : fProgram(std::move(program)) {}

std::unique_ptr<WriterJob> LibreOfficeWriter::Start(const std::string& path, int& error) {
    error = DocumentAccessError(path);
    if (error != 0) {
        return nullptr;
    }
    return std::make_unique<ExportJob>(fProgram, path);
}

}  // namespace korvent::platform
