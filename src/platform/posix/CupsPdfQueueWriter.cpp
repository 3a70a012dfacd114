#include "platform/posix/CupsPdfQueueWriter.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <span>
#include <system_error>

#include "platform/posix/DocumentAccess.h"
#include "platform/posix/FollowedJob.h"
#include "platform/posix/WriterFailure.h"

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

// The jobs of one cupsGetJobs2 call, freed with the object.
class JobList {
public:
    JobList(const std::string& queue, bool mine) {
        fCount = cupsGetJobs2(CUPS_HTTP_DEFAULT, &fJobs, queue.c_str(), mine ? 1 : 0,
                              CUPS_WHICHJOBS_ALL);
    }
    ~JobList() { cupsFreeJobs(fCount, fJobs); }
    JobList(const JobList&) = delete;
    JobList& operator=(const JobList&) = delete;

    // False when the print system did not answer (an empty queue answers with no jobs).
    bool Answered() const { return fCount >= 0; }
    std::span<const cups_job_t> Jobs() const {
        return {fJobs, static_cast<std::size_t>(std::max(fCount, 0))};
    }

private:
    cups_job_t* fJobs = nullptr;
    int fCount = 0;
};

// The file of job `id` in cups-pdf's output folder, with the label after or before the title.
fs::path LabelledPdf(const fs::path& folder, int id) {
    const std::string suffix = "-job_" + std::to_string(id) + ".pdf";
    const std::string prefix = "job_" + std::to_string(id) + "-";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(suffix) || (name.starts_with(prefix) && name.ends_with(".pdf"))) {
            return entry.path();
        }
    }
    return {};
}

class QueueJob final : public FollowedJob {
public:
    QueueJob(std::string queue, const CupsPdfConfig& config)
        : fQueue(std::move(queue)), fConfig(config) {}

    ~QueueJob() override {
        if (Running() && fJobId > 0) {
            cupsCancelJob2(CUPS_HTTP_DEFAULT, fQueue.c_str(), fJobId, 0);
        }
    }

    // The job is known from the start (CUPS road).
    void Follow(int jobId) { fJobId = jobId; }
    // The job is made by LibreOffice: the first of this user's jobs after `lastJobId`.
    void FollowPrintBy(std::shared_ptr<LibreOfficeProgram> program, const fs::path& document,
                       int lastJobId) {
        fProgram = std::move(program);
        fLastJobId = lastJobId;
        try {
            fFolder = std::make_unique<TemporaryFolder>("korvent-soffice-print");
            const fs::path staged = LibreOfficeProgram::StageDocument(document, fFolder->Path());
            fSoffice = fProgram->Start({"-pt", fQueue, staged.string()});
        } catch (const std::system_error&) {
            Fail(writer_failure::kNoTemporaryFolder);
        }
    }
    using FollowedJob::Fail;

    WriterJobState Poll() override {
        if (Running() && FindJob()) {
            FollowJob();
        }
        return State();
    }
    Process* RequestProcess() override { return fSoffice.get(); }

private:
    // True once the print job is known; fails the job when LibreOffice made none.
    bool FindJob() {
        if (fJobId > 0) {
            return true;
        }
        if (fSoffice->Running()) {
            return false;
        }
        if (std::string failure = LibreOfficeProgram::FailureText(*fSoffice); !failure.empty()) {
            Fail(std::move(failure));
            return false;
        }
        JobList mine(fQueue, true);
        for (const cups_job_t& job : mine.Jobs()) {
            if (job.id > fLastJobId && (fJobId == 0 || job.id < fJobId)) {
                fJobId = job.id;
            }
        }
        if (fJobId == 0) {
            Fail(writer_failure::kNoPrintJob);
        }
        return fJobId > 0;
    }

    void FollowJob() {
        JobList mine(fQueue, true);
        const auto job = std::find_if(mine.Jobs().begin(), mine.Jobs().end(),
                                      [&](const cups_job_t& j) { return j.id == fJobId; });
        if (!mine.Answered() || job == mine.Jobs().end()) {
            Fail(writer_failure::kJobLost);
        } else if (job->state == IPP_JSTATE_ABORTED) {
            Fail(writer_failure::kJobAborted);
        } else if (job->state == IPP_JSTATE_CANCELED) {
            Fail(writer_failure::kJobCancelled);
        } else if (job->state == IPP_JSTATE_COMPLETED) {
            TakeOutput(job->user);
        }
    }

    void TakeOutput(const std::string& owner) {
        TakePdf(LabelledPdf(fConfig.OutputFolder(owner), fJobId));
    }

    std::string fQueue;
    CupsPdfConfig fConfig;
    // Declared in this order so that soffice is stopped before its folders are removed.
    std::shared_ptr<LibreOfficeProgram> fProgram;
    std::unique_ptr<TemporaryFolder> fFolder;
    std::unique_ptr<SpawnedProgram> fSoffice;
    int fLastJobId = 0;
    int fJobId = 0;
};

bool PrintSystemDown() {
    return cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

}  // namespace

CupsPdfQueueWriter::CupsPdfQueueWriter(std::string queue, CupsPdfConfig config,
                                       std::shared_ptr<LibreOfficeProgram> program)
    : fQueue(std::move(queue)), fConfig(std::move(config)), fProgram(std::move(program)) {}

bool CupsPdfQueueWriter::PrintedByCups(const fs::path& document) {
    static constexpr std::array<std::string_view, 16> kExtensions = {
        ".pdf", ".ps",  ".eps",  ".txt", ".text", ".jpg", ".jpeg", ".png",
        ".gif", ".tif", ".tiff", ".bmp", ".pnm",  ".pbm", ".pgm",  ".ppm"};
    std::string extension = document.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

std::unique_ptr<WriterJob> CupsPdfQueueWriter::Start(const std::string& path, int& error) {
    error = DocumentAccessError(path);
    if (error != 0) {
        return nullptr;
    }
    if (!PrintedByCups(path)) {
        return StartInLibreOffice(path, error);
    }
    // The title names the document; cups-pdf names its file after it (TitlePref 1).
    const std::string title = fs::path(path).filename().string();
    const int id =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, fQueue.c_str(), path.c_str(), title.c_str(), 0, nullptr);
    if (id == 0 && PrintSystemDown()) {
        error = shell_error::PrintSystemUnavailable;
        return nullptr;
    }
    auto job = std::make_unique<QueueJob>(fQueue, fConfig);
    if (id == 0) {
        job->Fail(std::string(writer_failure::kPrintRefused) + "（" + cupsLastErrorString() + "）");
    } else {
        job->Follow(id);
    }
    return job;
}

std::unique_ptr<WriterJob> CupsPdfQueueWriter::StartInLibreOffice(const fs::path& document,
                                                                  int& error) {
    JobList all(fQueue, false);
    if (!all.Answered()) {
        error = shell_error::PrintSystemUnavailable;
        return nullptr;
    }
    int lastJobId = 0;
    for (const cups_job_t& job : all.Jobs()) {
        lastJobId = std::max(lastJobId, job.id);
    }
    auto job = std::make_unique<QueueJob>(fQueue, fConfig);
    job->FollowPrintBy(fProgram, document, lastJobId);
    return job;
}

}  // namespace korvent::platform
