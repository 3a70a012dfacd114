#include "platform/posix/FollowedJob.h"

#include <system_error>

#include "platform/posix/CompletePdf.h"
#include "platform/posix/WriterFailure.h"

namespace korvent::platform {

void FollowedJob::Fail(std::string reason) {
    fFailure = std::move(reason);
    fState = WriterJobState::Failed;
}

void FollowedJob::TakePdf(const std::filesystem::path& pdf) {
    std::error_code ec;
    if (pdf.empty() || !std::filesystem::exists(pdf, ec)) {
        Fail(writer_failure::kNoPdf);
    } else if (!IsCompletePdf(pdf)) {
        Fail(writer_failure::kIncompletePdf);
    } else {
        fOutput = pdf;
        fState = WriterJobState::Completed;
    }
}

}  // namespace korvent::platform
